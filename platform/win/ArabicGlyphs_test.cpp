// The fonts the program names must draw real Arabic letters in the system's list box and edit
// (under Wine through the prefix's font replacements), not the missing-glyph box, which looks the
// same for every letter.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The dark pixels of a rendering, cut to their bounding box, so that where the text stands does
// not matter, only its shape.
struct Ink {
    int width = 0, height = 0;
    std::vector<bool> dots;
    bool Empty() const { return dots.empty(); }
    bool operator==(const Ink&) const = default;
};

class ScopedFont {
public:
    ScopedFont(const wchar_t* face, BYTE charset, int height)
        : FFont(CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, face)) {}
    ~ScopedFont() { DeleteObject(FFont); }
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;
    HFONT Handle() const { return FFont; }
private:
    HFONT FFont;
};

class ScopedWindow {
public:
    ScopedWindow(const wchar_t* cls, DWORD style, HWND parent, int w, int h)
        : FWnd(CreateWindowExW(0, cls, L"", style, 0, 0, w, h, parent, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~ScopedWindow() { if (FWnd) DestroyWindow(FWnd); }
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;
    HWND Handle() const { return FWnd; }
private:
    HWND FWnd;
};

// Paints the control's client area into a white 32-bit DIB through WM_PRINTCLIENT.
Ink Render(HWND control) {
    RECT rc;
    GetClientRect(control, &rc);
    const int w = rc.right, h = rc.bottom;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    PatBlt(dc, 0, 0, w, h, WHITENESS);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();

    const auto* px = static_cast<const std::uint32_t*>(bits);
    auto dark = [&](int x, int y) {
        std::uint32_t p = px[y * w + x];
        int lum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        return lum < 3 * 128;
    };
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (dark(x, y)) {
                x0 = std::min(x0, x); y0 = std::min(y0, y);
                x1 = std::max(x1, x); y1 = std::max(y1, y);
            }
    Ink ink;
    if (x1 >= 0) {
        ink.width = x1 - x0 + 1;
        ink.height = y1 - y0 + 1;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) ink.dots.push_back(dark(x, y));
    }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return ink;
}

void ShowText(HWND control, bool listBox, const wchar_t* text) {
    if (listBox) {
        SendMessageW(control, LB_RESETCONTENT, 0, 0);
        SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageW(control, LB_SETCURSEL, WPARAM(-1), 0);
    } else {
        SetWindowTextW(control, text);
    }
}

struct Case {
    const wchar_t* cls;
    DWORD style;
    const wchar_t* face;
    BYTE charset;   // the framework's fonts default to DEFAULT_CHARSET, where no fallback hides a box
};

}  // namespace

TEST(ArabicGlyphsTest, ListBoxAndEditDrawRealArabicLetters) {
    ScopedWindow host(L"STATIC", WS_POPUP, nullptr, 400, 100);
    ASSERT_NE(host.Handle(), nullptr);
    const Case cases[] = {
        {L"LISTBOX", WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT, L"Arabic Transparent", DEFAULT_CHARSET},
        {L"LISTBOX", WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT, L"Arabic Transparent", ARABIC_CHARSET},
        {L"LISTBOX", WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT, L"Tahoma", DEFAULT_CHARSET},
        {L"EDIT", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, L"Arabic Transparent", DEFAULT_CHARSET},
        {L"EDIT", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, L"Tahoma", DEFAULT_CHARSET},
    };
    const wchar_t* letters[] = {L"\x0628", L"\x0633", L"\x0639", L"\x0647"};   // beh, seen, ain, heh
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.cls, c.cls + wcslen(c.cls)) << " "
                                        << std::string(c.face, c.face + wcslen(c.face)) << " charset " << int(c.charset));
        ScopedWindow control(c.cls, c.style, host.Handle(), 200, 60);
        ASSERT_NE(control.Handle(), nullptr);
        ScopedFont font(c.face, c.charset, 32);
        SendMessageW(control.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Handle()), FALSE);
        const bool listBox = c.cls[0] == L'L';

        // two characters no font has: both draw the same missing-glyph shape (or nothing)
        ShowText(control.Handle(), listBox, L"\xE000");
        Ink missing = Render(control.Handle());
        ShowText(control.Handle(), listBox, L"\xE001");
        EXPECT_EQ(Render(control.Handle()), missing);

        std::vector<Ink> inks;
        for (const wchar_t* letter : letters) {
            ShowText(control.Handle(), listBox, letter);
            Ink ink = Render(control.Handle());
            EXPECT_FALSE(ink.Empty()) << "nothing drawn for U+" << std::hex << int(letter[0]);
            EXPECT_NE(ink, missing) << "missing-glyph box for U+" << std::hex << int(letter[0]);
            for (const Ink& other : inks) EXPECT_NE(ink, other) << "same shape as another letter";
            inks.push_back(ink);
        }

        // a word joins its letters: it is wider than its first letter alone
        ShowText(control.Handle(), listBox, L"\x0645\x0631\x062D\x0628\x0627");   // marhaba
        Ink word = Render(control.Handle());
        EXPECT_GT(word.width, inks[0].width);
    }
}
