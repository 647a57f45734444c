#include <windows.h>
#include "platform/ui/Application.h"
#include "words/Main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application->SetTitle("لعبة الكلمات"_a);
    Application->Initialize();
    Application->CreateForm(MainForm);
    Application->Run();
    Application->Free();
    Application = nullptr;
    return 0;
}
