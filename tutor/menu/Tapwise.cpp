#include <windows.h>
#include "platform/ui/Application.h"
#include "tutor/menu/ProgramBlock.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    StartTapwise();
    Application->Run();
    Application->Free();   // the forms go with it, the main menu's destroy handler last of its work
    Application = nullptr;
    return 0;
}
