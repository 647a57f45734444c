#include "controls/WallPaper.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>
#include <shlobj.h>
#include <memory>
#include "platform/ui/Forms.h"
#include "platform/win/OleInit.h"

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

// Stands in for the shell's class in this process only, as a class that makes no object: the
// system then has no active desktop to give.
class MissingActiveDesktop : public IClassFactory {
public:
    MissingActiveDesktop() {
        EnsureOleInitialized();
        CoRegisterClassObject(CLSID_ActiveDesktop, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &FCookie);
    }
    ~MissingActiveDesktop() { CoRevokeClassObject(FCookie); }
    bool Ready() const { return FCookie != 0; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, void** out) override {
        *out = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    DWORD FCookie = 0;
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
