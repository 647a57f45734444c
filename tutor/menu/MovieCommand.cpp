#include "tutor/menu/MovieCommand.h"

void LoadScreenMovie(TShockwaveFlash* flash, const String& path) {
    flash->SetMovie(ToWide(path));
    flash->DoObjectVerb(-1);
    flash->SetScaleMode(2);
}

void LoadScreenMovie(TShockwaveFlash* flash, const String& path, int pagesFrame) {
    flash->SetMovie(ToWide(path));
    flash->TGotoFrame(L"Pages", pagesFrame);
    flash->DoObjectVerb(-1);
    flash->SetScaleMode(2);
}

int MatchCommand(const WideString& command, std::initializer_list<const char*> names) {
    int index = 0;
    for (const char* name : names) {
        if (command.find(ToWide(name)) != WideString::npos) return index;
        ++index;
    }
    return -1;
}
