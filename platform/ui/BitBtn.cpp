#include "platform/ui/BitBtn.h"
#include "platform/graphics/GdiObject.h"

namespace {
struct KindInfo { const char* caption; TModalResult result; };
KindInfo InfoOf(TBitBtnKind kind) {
    switch (kind) {
    case bkOK: return {"OK", mrOk};
    case bkCancel: return {"Cancel", mrCancel};
    case bkHelp: return {"&Help", mrNone};
    case bkYes: return {"&Yes", mrYes};
    case bkNo: return {"&No", mrNo};
    case bkClose: return {"&Close", mrNone};
    case bkAbort: return {"Abort", mrAbort};
    case bkRetry: return {"&Retry", mrRetry};
    case bkIgnore: return {"&Ignore", mrIgnore};
    case bkAll: return {"&All", mrAll};
    default: return {"", mrNone};
    }
}
}  // namespace

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FGlyph(std::make_unique<TBitmap>()) {
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::CreateParams(TCreateParams& p) {
    TButton::CreateParams(p);
    p.Style = (p.Style & ~(BS_PUSHBUTTON | BS_DEFPUSHBUTTON)) | BS_OWNERDRAW;
}

void TBitBtn::SetNumGlyphs(int v) {
    v = v < 1 ? 1 : v > 4 ? 4 : v;
    if (v != FNumGlyphs) { FNumGlyphs = v; Invalidate(); }
}
void TBitBtn::SetLayout(TButtonLayout v) { if (v != FLayout) { FLayout = v; Invalidate(); } }
void TBitBtn::SetMargin(int v) { if (v != FMargin && v >= -1) { FMargin = v; Invalidate(); } }
void TBitBtn::SetSpacing(int v) { if (v != FSpacing) { FSpacing = v; Invalidate(); } }

void TBitBtn::SetKind(TBitBtnKind value) {
    if (value == FKind) return;
    FKind = value;
    if (value == bkCustom) return;
    KindInfo info = InfoOf(value);
    SetCaption(info.caption);
    SetModalResult(info.result);
    if (value == bkOK || value == bkYes) SetDefault(true);
    if (value == bkCancel || value == bkNo) SetCancel(true);
}

void TBitBtn::Click() {
    if (FKind == bkClose) {
        if (TForm* form = GetParentForm(this)) { form->Close(); return; }
    }
    TButton::Click();
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pushed = item.itemState & ODS_SELECTED;
    TGdiObject<HBRUSH> face(CreateSolidBrush(ColorToRGB(clBtnFace)));
    FillRect(dc, &r, face.Get());
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pushed ? DFCS_PUSHED : 0));
    TButtonState state = !Enabled() ? bsDisabled : pushed ? bsDown : bsUp;
    TButtonFace f{FGlyph.get(), FNumGlyphs, state, FLayout, FMargin, FSpacing, Text(), Font(), UseRightToLeftReading(), Enabled()};
    DrawButtonFace(dc, TRect::From(r), f, pushed ? Point(1, 1) : Point(0, 0));
    if (item.itemState & ODS_FOCUS) {
        RECT focus{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        DrawFocusRect(dc, &focus);
    }
}

void TBitBtn::WndProc(TMessage& m) {
    if (m.Msg == CN_DRAWITEM) {
        TWMDrawItem d(m);
        DrawItem(*d.DrawItemStruct);
        m.Result = TRUE;
        return;
    }
    TButton::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_ENABLEDCHANGED || m.Msg == CM_FONTCHANGED) Invalidate();
}
