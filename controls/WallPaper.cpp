#include "controls/WallPaper.h"
#include <windows.h>
#include <wininet.h>   // the active-desktop interface is declared only beside it
#include <shlobj.h>
#include "platform/rtl/Os.h"
#include "platform/win/OleInit.h"

void TWallPaper::TTaskMemFree::operator()(void* block) const { CoTaskMemFree(block); }

TWallPaper::TWallPaper(TComponent* owner) : TControl(owner) {
    SetColor(clGrayText);
    SetBounds(Left(), Top(), 30, 30);
    SetVisible(true);
    FWindowsDir = os::WindowsDirectory();
    // The shell's objects need COM on this thread; the first user initialises it for the thread.
    EnsureOleInitialized();
    void* desktop = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                   IID_IActiveDesktop, &desktop)))
        FActiveDesktop = static_cast<IActiveDesktop*>(desktop);
    FPathBuffer.reset(static_cast<char*>(CoTaskMemAlloc(MAX_PATH)));
}

TWallPaper::~TWallPaper() {
    if (FActiveDesktop) FActiveDesktop->Release();
}
