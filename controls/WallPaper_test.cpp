#include "controls/WallPaper.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>
#include <shlobj.h>
#include <memory>
#include "platform/ui/Forms.h"

namespace {

TEST(WallPaper, HoldsTheActiveDesktopAndTheWindowsFolder) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* paper = new TWallPaper(form.get());
    EXPECT_EQ(paper->Width(), 30);
    EXPECT_EQ(paper->Height(), 30);
    EXPECT_EQ(paper->Color(), clGrayText);
    EXPECT_TRUE(paper->Visible());
    EXPECT_EQ(paper->Style(), wpsCenter);
    wchar_t folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    EXPECT_EQ(paper->WindowsDir(), FromWide(folder));
    // the object answers as the shell's active desktop
    ASSERT_NE(paper->ActiveDesktop(), nullptr);
    IActiveDesktop* again = nullptr;
    EXPECT_EQ(paper->ActiveDesktop()->QueryInterface(IID_IActiveDesktop, reinterpret_cast<void**>(&again)), S_OK);
    if (again) again->Release();
}

// The shell's class pointed at a server that is not there, and put back afterwards.
class MissingActiveDesktop {
public:
    MissingActiveDesktop() {
        RegOpenKeyExW(HKEY_CLASSES_ROOT, Key, 0, KEY_READ | KEY_WRITE, &FServer);
        DWORD size = sizeof(FSaved);
        RegQueryValueExW(FServer, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(FSaved), &size);
        const wchar_t missing[] = L"C:\\no such folder\\no such shell.dll";
        RegSetValueExW(FServer, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(missing), sizeof(missing));
    }
    ~MissingActiveDesktop() {
        RegSetValueExW(FServer, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(FSaved),
                       static_cast<DWORD>((wcslen(FSaved) + 1) * sizeof(wchar_t)));
        RegCloseKey(FServer);
    }
    bool Ready() const { return FServer && FSaved[0]; }

private:
    static constexpr const wchar_t* Key = L"CLSID\\{75048700-EF1F-11D0-9888-006097DEACF9}\\InprocServer32";
    HKEY FServer = nullptr;
    wchar_t FSaved[MAX_PATH] = {};
};

TEST(WallPaper, WithoutTheShellObjectItStillConstructs) {
    MissingActiveDesktop missing;
    ASSERT_TRUE(missing.Ready());
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* paper = new TWallPaper(form.get());
    EXPECT_EQ(paper->ActiveDesktop(), nullptr);
    EXPECT_FALSE(paper->WindowsDir().empty());
    paper->SetStyle(wpsTile);
    EXPECT_EQ(paper->Style(), wpsTile);
}

}  // namespace
