#include "platform/graphics/Color.h"
#include <windows.h>
#include "platform/rtl/SysUtils.h"

namespace {

struct ColorName { TColor Value; const char* Name; };

// The standard colours, then the system colours in index order.
const ColorName ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {clNone, "clNone"}, {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"}, {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"}, {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"}, {clHotLight, "clHotLight"}, {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
};

}  // namespace

std::uint32_t ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<std::uint32_t>(color);
}

bool ColorToIdent(TColor color, String& ident) {
    for (const ColorName& c : ColorNames)
        if (c.Value == color) { ident = c.Name; return true; }
    return false;
}

bool IdentToColor(const String& ident, TColor& color) {
    for (const ColorName& c : ColorNames)
        if (SameText(ident, c.Name)) { color = c.Value; return true; }
    return false;
}

String ColorToString(TColor color) {
    String name;
    if (ColorToIdent(color, name)) return name;
    return "$" + IntToHex(static_cast<std::uint32_t>(color), 8);
}

TColor StringToColor(const String& text) {
    TColor color;
    if (IdentToColor(text, color)) return color;
    String t = Trim(text);
    if (t.size() > 1 && t[0] == '$') {
        bool ok = t.size() <= 9;
        std::uint32_t v = 0;
        for (std::size_t i = 1; ok && i < t.size(); ++i) {
            char c = t[i];
            int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (d < 0) ok = false; else v = v * 16 + d;
        }
        if (ok) return static_cast<TColor>(v);
        throw EConvertError("'" + text + "' is not a valid integer value");
    }
    return StrToInt(text);
}

void GetColorValues(const std::function<void(const String&)>& proc) {
    for (const ColorName& c : ColorNames) proc(c.Name);
}
