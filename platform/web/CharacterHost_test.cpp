#include "platform/web/CharacterHost.h"
#include <gtest/gtest.h>
#include "platform/rtl/SysUtils.h"
#include "platform/win/ComPtr.h"
#include "platform/web/testing/CharacterFixture.h"

namespace {

using namespace character_testing;
using web::TCharacterHost;
using web::TCharacterWindow;

VARIANT Int(int v) {
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_I4;
    r.lVal = v;
    return r;
}

VARIANT Text(const wchar_t* s) {
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_BSTR;
    r.bstrVal = SysAllocString(s);
    return r;
}

struct CharacterHostTest : ::testing::Test {
    testing_support::TempFolder Dir;
    std::uint32_t Now = 5000;
    TComPtr<TCharacterHost> Host = TComPtr<TCharacterHost>::Attach(new TCharacterHost);

    void SetUp() override {
        rtl::SetTickSource([this] { return Now; });
        Host->Character().SetCharacterFile(WriteCharacter(Dir));
        Host->SetSoundFolder(Dir.Path() + "\\wave caracter");
        Dir.Write("wave caracter\\hello.wav", SilentWave(500));
    }
    void TearDown() override {
        Host.Reset();
        rtl::SetTickSource({});
    }
    void At(std::uint32_t ms) {
        Now = 5000 + ms;
        SendMessageW(Host->Character().Handle(), WM_TIMER, TCharacterWindow::TimerId, 0);
    }
    DISPID Id(const wchar_t* name) {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_EQ(Host->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK) << FromWide(name);
        return id;
    }
    // the script engine's way: arguments last first, a method that may also be read
    HRESULT Call(const wchar_t* name, std::vector<VARIANT> args, VARIANT* result = nullptr, UINT* argErr = nullptr) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
        HRESULT hr = Host->Invoke(Id(name), IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, result,
                                  nullptr, argErr);
        for (VARIANT& v : args) VariantClear(&v);
        return hr;
    }
};

TEST_F(CharacterHostTest, PagesScriptsReachTheCharacterThroughTheExternalObject) {
    DISPID id = 0;
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Dance")};
    EXPECT_EQ(Host->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    EXPECT_EQ(Id(L"moveto"), Id(L"MoveTo"));

    VARIANT language;
    VariantInit(&language);
    Host->SetLanguage(L"E");
    ASSERT_EQ(Call(L"Language", {}, &language), S_OK);
    ASSERT_EQ(language.vt, VT_BSTR);
    EXPECT_STREQ(language.bstrVal, L"E");
    VariantClear(&language);

    // numbers may come as texts, as a script hands them over
    EXPECT_EQ(Call(L"MoveTo", {Int(240), Text(L"180")}), S_OK);
    EXPECT_EQ(Call(L"Show", {}), S_OK);
    EXPECT_EQ(Call(L"Speak", {Text(L"Hello"), Text(L"hello.wav")}), S_OK);
    EXPECT_EQ(Host->Character().Pending(), 3);

    UINT argErr = 99;
    EXPECT_EQ(Call(L"MoveTo", {Int(1)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(L"Hide", {Int(1)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(L"MoveTo", {Int(1), Text(L"far")}, nullptr, &argErr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);   // the last argument comes first
    EXPECT_EQ(Host->Character().Pending(), 3);

    At(0);
    At(300);
    EXPECT_EQ(Host->Character().Position().x, 240);
    EXPECT_EQ(Host->Character().Position().y, 180);
    EXPECT_TRUE(Host->Character().Speaking());
    EXPECT_EQ(Host->Character().Sound(), Dir.File("wave caracter\\hello.wav"));
}

TEST_F(CharacterHostTest, PlaysLinesWithTheirSoundsFromItsFolderAndNoneOfAMalformedBlock) {
    EXPECT_EQ(Host->SoundFile(L"hello.wav"), Dir.File("wave caracter\\hello.wav"));
    EXPECT_EQ(Host->SoundFile(L"C:\\sounds\\x.wav"), "C:\\sounds\\x.wav");
    EXPECT_EQ(Host->SoundFile(L""), "");

    std::string error;
    EXPECT_FALSE(Host->PlayLines(L"Zarek.Show\r\nZarek.MoveTo 600\r\n", &error));
    EXPECT_EQ(error.rfind("line 2: ", 0), 0u);
    EXPECT_EQ(Host->Character().Pending(), 0);

    ASSERT_TRUE(Host->PlayLines(L"Zarek.MoveTo 100, 120\r\nZarek.Show\r\nZarek.Speak \"Hi\", \"hello.wav\"\r\n"));
    At(0);
    At(300);
    EXPECT_EQ(Host->Character().Sound(), Dir.File("wave caracter\\hello.wav"));
    // a new page replaces the story at once
    ASSERT_TRUE(Host->PlayLines(L"Zarek.MoveTo 400, 120\r\n"));
    EXPECT_FALSE(Host->Character().Visible());
    EXPECT_FALSE(Host->Character().Speaking());
    EXPECT_EQ(Host->Character().Pending(), 1);
}

}  // namespace
