#include "controls/CoolSkin.h"
#include "platform/graphics/GdiObject.h"
#include "platform/ui/Forms.h"
#include "platform/ui/NonClientMetrics.h"

TCoolOptions ExclusiveCoolOptions(TCoolOptions old, TCoolOptions value) {
    if ((value & ocPaintTransparently) && (old & ocPaintWallpaper)) return value & ~ocPaintWallpaper;
    if ((value & ocPaintWallpaper) && (old & ocPaintTransparently)) return value & ~ocPaintTransparently;
    return value;
}

TCoolSkin::TCoolSkin(TWinControl* control, TCoolOptions options, bool captionBar, TFlatBorderKind border)
    : FControl(control), FOptions(options), FCaptionBar(captionBar), FBorderKind(border),
      FLink(std::make_unique<TCoolChangeLink>()) {
    FLink->OnChange = [this](TObject*) {
        FrameChanged();
        FControl->Invalidate();
    };
}

TCoolSkin::~TCoolSkin() = default;

void TCoolSkin::RepaintClient() { FControl->Invalidate(); }

void TCoolSkin::FrameChanged() {
    if (FControl->HandleAllocated())
        SetWindowPos(FControl->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCoolSkin::SetOptions(TCoolOptions value) {
    if (value == FOptions) return;
    FOptions = ExclusiveCoolOptions(FOptions, value);
    OptionsChanged();
}

void TCoolSkin::OptionsChanged() {
    FControl->RecreateWnd();
    FControl->Perform(CM_COLORCHANGED);
}

void TCoolSkin::SetCoolImages(TCoolImages* value) {
    if (value == FCoolImages) return;
    if (FCoolImages) {
        // a collection being destroyed has let go of its links already
        if (FLink->Sender == FCoolImages) FCoolImages->UnRegisterChanges(FLink.get());
        FControl->RemoveFreeNotification(FCoolImages);
    }
    FCoolImages = value;
    if (value) {
        value->RegisterChanges(FLink.get());
        // a collection on another form, or on none, tells this control when it goes
        FControl->FreeNotification(value);
    }
    RepaintClient();
    FrameChanged();
}

void TCoolSkin::SkinNotification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component && component == FCoolImages) SetCoolImages(nullptr);
}

void TCoolSkin::SetIndex(TWallpaperKind kind, int value) {
    int& index = FIndex[static_cast<int>(kind)];
    if (value == index) return;
    index = value;
    if (kind == wkCaption) FrameChanged();
    else RepaintClient();
}

TBitmap* TCoolSkin::Own(TWallpaperKind kind) {
    auto& own = FOwn[static_cast<int>(kind)];
    if (!own) own = std::make_unique<TBitmap>();
    own->OnChange = [this, kind](TObject*) { OwnChanged(kind); };
    return own.get();
}

void TCoolSkin::SetOwn(TWallpaperKind kind, TBitmap* value) {
    Own(kind)->Assign(value);
    if (kind == wkCaption) FrameChanged();
}

void TCoolSkin::OwnChanged(TWallpaperKind kind) {
    if (kind == wkCaption) FrameChanged();
    RepaintClient();
    FControl->Perform(CM_COLORCHANGED);
}

void TCoolSkin::SetCaptionColor(TColor value) {
    if (value == FCaptionColor) return;
    FCaptionColor = value;
    FrameChanged();
}

void TCoolSkin::SetCaptionTextColor(TColor value) {
    if (value == FCaptionTextColor) return;
    FCaptionTextColor = value;
    FrameChanged();
}

TBitmap* TCoolSkin::WallpaperOf(TWallpaperKind kind) const {
    int k = static_cast<int>(kind);
    if (FCoolImages)
        if (TBitmap* shared = FCoolImages->UsableBitmap(FIndex[k])) return shared;
    const auto& own = FOwn[k];
    return own && !own->Empty() ? own.get() : nullptr;
}

bool TCoolSkin::PaintsBackground() const {
    return (FOptions & ocPaintTransparently) || ((FOptions & ocPaintWallpaper) && HasWallpaper());
}

bool TCoolSkin::PaintWallpaper(HDC dc, TWallpaperKind kind, const TRect& rect, bool tile, DWORD rop) const {
    TBitmap* b = WallpaperOf(kind);
    if (!b) return false;
    TileBitmap(dc, b, rect, tile, rop);
    return true;
}

bool TCoolSkin::PaintWallpaperClipped(HDC dc, TWallpaperKind kind, const TRect& full, const TRect& clip, bool tile,
                                      DWORD rop) const {
    TBitmap* b = WallpaperOf(kind);
    if (!b) return false;
    TileBitmapClipped(dc, b, full, clip, tile, rop);
    return true;
}

bool TCoolSkin::PaintOwnBackground(HDC dc, bool wallpaperAllowed) const {
    if (FOptions & ocPaintTransparently) {
        PaintParentBackground(FControl, dc);
        return true;
    }
    return wallpaperAllowed && (FOptions & ocPaintWallpaper) &&
           PaintWallpaper(dc, wkBackground, FControl->ClientRect(), FOptions & ocTileWallpaper, SRCCOPY);
}

String TCoolSkin::CaptionText() const { return FControl->Text(); }

void TCoolSkin::CaptionParams(TCreateParams& p) const {
    if (FOptions & ocNoCaption) p.Style &= ~WS_CAPTION;
    else p.Style |= WS_CAPTION;
    if (FOptions & ocSmallCaption) p.ExStyle |= WS_EX_TOOLWINDOW;
    else p.ExStyle &= ~WS_EX_TOOLWINDOW;
}

// With the default colours and no caption wallpaper, the window's own caption stays.
bool TCoolSkin::ShowsOwnCaption() const {
    if (!FCaptionBar || (FOptions & ocNoCaption)) return false;
    return FCaptionColor != clActiveCaption || FCaptionTextColor != clInactiveCaptionText ||
           (FOptions & ocPaintCaptionWallpaper);
}

// The caption is painted here and left out of the region the system then paints the rest of
// the frame in, so it is not drawn twice.
void TCoolSkin::PaintCaptionBar(TMessage& m, const std::function<void(TMessage&)>& inherited) {
    if (!ShowsOwnCaption()) {
        inherited(m);
        return;
    }
    HWND window = FControl->Handle();
    RECT w;
    GetWindowRect(window, &w);
    TGdiObject<HRGN> clip(CreateRectRgn(w.left, w.top, w.right, w.bottom));
    if (m.WParam > 1) CombineRgn(clip.Get(), reinterpret_cast<HRGN>(m.WParam), nullptr, RGN_COPY);
    {
        TWindowDCBorrow frame(window, true);
        HDC dc = frame.Get();
        TScopedDCState state(dc);
        OffsetRgn(clip.Get(), -w.left, -w.top);
        SelectClipRgn(dc, clip.Get());

        bool small = FOptions & ocSmallCaption;
        TRect caption = Rect(0, 0, w.right - w.left, w.bottom - w.top);
        AdjustRect(caption, GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME),
                   -GetSystemMetrics(SM_CXDLGFRAME), -GetSystemMetrics(SM_CYDLGFRAME));
        caption.Bottom = caption.Top + GetSystemMetrics(small ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
        if (!(FOptions & ocPaintCaptionWallpaper) || !PaintWallpaper(dc, wkCaption, caption, true, SRCCOPY)) {
            TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(FCaptionColor)));
            RECT r = caption;
            FillRect(dc, &r, brush.Get());
        }
        TGdiObject<HFONT> font = CreateCaptionFont(small);
        TScopedSelect select(dc, font.Get());
        SetTextColor(dc, ColorToRGB(FCaptionTextColor));
        SetBkMode(dc, TRANSPARENT);
        RECT text = caption;
        text.left += 2;
        WideString title = ToWide(CaptionText());
        DrawTextW(dc, title.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);

        ExcludeClipRect(dc, caption.Left, caption.Top, caption.Right, caption.Bottom);
        GetClipRgn(dc, clip.Get());
        OffsetRgn(clip.Get(), w.left, w.top);
    }
    WPARAM given = m.WParam;
    m.WParam = reinterpret_cast<WPARAM>(clip.Get());
    inherited(m);
    m.WParam = given;
}

bool TCoolSkin::SkinMessage(TMessage& m, const std::function<void(TMessage&)>& inherited) {
    switch (m.Msg) {
    case WM_NCPAINT:
        if (!FCaptionBar) return false;
        PaintCaptionBar(m, inherited);
        return true;
    case WM_NCHITTEST:
        if (!FCaptionBar) return false;
        inherited(m);
        if (m.Result == HTCAPTION && (FOptions & ocNoDragUsingCaption)) m.Result = HTNOWHERE;
        return true;
    case WM_SETTEXT:
        if (!FCaptionBar) return false;
        inherited(m);
        FrameChanged();   // the caption may show the text
        return true;
    case WM_NCLBUTTONDBLCLK:
        if (!FCaptionBar) return false;
        if (m.WParam == HTCAPTION) m.Result = 0;   // no maximising a control by its caption
        else inherited(m);
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        inherited(m);
        if (FOptions & ocFlatBorder) DrawFlatBorder(nullptr, FControl, m.Msg == WM_SETFOCUS);
        return true;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        inherited(m);
        bool enter = m.Msg == CM_MOUSEENTER;
        if ((FOptions & ocFlatBorder) && FControl->HandleAllocated() && !IsCoolControl(Screen ? Screen->ActiveControl() : nullptr))
            DrawFlatBorder(nullptr, FControl, enter);
        const TNotifyEvent& event = enter ? OnMouseEnter : OnMouseLeave;
        if (event) event(FControl);
        return true;
    }
    case WM_MOVE:
        inherited(m);
        RepaintClient();
        return true;
    case CM_PARENTCOLORCHANGED:
        inherited(m);
        if (FOptions & ocPaintTransparently) RepaintClient();
        return true;
    default:
        return false;
    }
}

void TCoolSkin::FlatBorderAfterPaint() {
    if (FOptions & ocFlatBorder) DrawFlatBorder(nullptr, FControl, FControl->Focused());
}

bool IsCoolControl(TControl* control) { return dynamic_cast<TCoolSkin*>(control) != nullptr; }

void DrawFlatBorder(HDC dc, TWinControl* control, bool hot) {
    HWND window = control->Handle();
    std::unique_ptr<TWindowDCBorrow> own;
    if (!dc) {
        own = std::make_unique<TWindowDCBorrow>(window, true);
        dc = own->Get();
    }
    RECT r;
    GetWindowRect(window, &r);
    OffsetRect(&r, -r.left, -r.top);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    FrameRect(dc, &r, face);
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, face);
    if (hot) {
        InflateRect(&r, 1, 1);
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    }
    auto* skin = dynamic_cast<TCoolSkin*>(control);
    TFlatBorderKind kind = skin ? skin->FlatBorderKind() : fbPlain;
    if (kind == fbPlain) {
        InflateRect(&r, -1, -1);
    } else {
        LONG style = GetWindowLongW(window, GWL_STYLE);
        bool vertical = style & WS_VSCROLL, horizontal = style & WS_HSCROLL;
        int h = GetSystemMetrics(SM_CYHSCROLL);
        if (vertical) {
            RECT strip{r.right - h, r.bottom - 2, r.right, r.bottom - 1};
            FillRect(dc, &strip, face);
        }
        if (horizontal) {
            RECT strip{r.right - 2, r.bottom - h, r.right - 1, r.bottom};
            FillRect(dc, &strip, face);
        }
        if (horizontal) r.bottom -= 1;
        if (vertical) r.right -= 1;
        if (!horizontal && !vertical) InflateRect(&r, -1, -1);
    }
    if (kind != fbGrid) FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
}
