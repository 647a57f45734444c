#pragma once
// What every skinned control shares, written once: the option set, the three wallpapers
// (background, selected item, caption) and the rule that picks each (the shared collection's
// bitmap at the control's index, else the control's own, else none), the link to the
// collection, the caption bar drawn into the window frame, and the flat two-pixel border.
// A skinned control derives from its platform class and from TCoolSkin.
#include <cstdint>
#include <functional>
#include <memory>
#include "controls/CoolImages.h"
#include "controls/CoolUtils.h"
#include "platform/ui/Panel.h"
#include "platform/ui/TWinControl.h"

using TCoolOptions = std::uint32_t;
constexpr TCoolOptions ocPaintWallpaper = 1u << 0, ocPaintSelWallpaper = 1u << 1, ocPaintCaptionWallpaper = 1u << 2,
                       ocTileWallpaper = 1u << 3, ocInvertWallpaperAsSelect = 1u << 4, ocPaintGradiently = 1u << 5,
                       ocBevelOnlyIfSel = 1u << 6, ocNoHighlightImage = 1u << 7, ocNoImageAttached = 1u << 8,
                       ocUseImageList = 1u << 9, oc3dMDIForm = 1u << 10, ocWallpaperForMDIChildren = 1u << 11,
                       ocGradientForMDIChildren = 1u << 12, ocNoCaption = 1u << 13, ocSmallCaption = 1u << 14,
                       ocNoMDIChildrensCaptions = 1u << 15, ocDragUsingClientArea = 1u << 16,
                       ocNoDragUsingCaption = 1u << 17, ocRoundedForm = 1u << 18, ocFlatBorder = 1u << 19,
                       ocPaintTransparently = 1u << 20;

// What a list shows (the ExtendedStyle of the list controls).
enum class TCoolControlStyle { ctCoolControl, ctColorControl, ctFontControl, ctPrinterControl, ctCheckControl, ctFolderControl };
using enum TCoolControlStyle;

enum class TWallpaperKind { wkBackground, wkSelected, wkCaption };
using enum TWallpaperKind;

// How the flat border treats a frame: a plain one, one with scroll bars whose corner strips
// stay in the face colour, or a grid's (scroll bars, no window-coloured inner ring).
enum class TFlatBorderKind { fbPlain, fbScrollBars, fbGrid };
using enum TFlatBorderKind;

// Of ocPaintWallpaper and ocPaintTransparently, the one that value adds to old wins.
TCoolOptions ExclusiveCoolOptions(TCoolOptions old, TCoolOptions value);

class TCoolSkin {
public:
    TCoolSkin(const TCoolSkin&) = delete;
    TCoolSkin& operator=(const TCoolSkin&) = delete;

    TCoolOptions Options() const { return FOptions; }
    void SetOptions(TCoolOptions value);
    TCoolImages* CoolImages() const { return FCoolImages; }
    void SetCoolImages(TCoolImages* value);
    int idWallpaper() const { return FIndex[0]; }
    void SetidWallpaper(int value) { SetIndex(wkBackground, value); }
    int idSelWallpaper() const { return FIndex[1]; }
    void SetidSelWallpaper(int value) { SetIndex(wkSelected, value); }
    int idCaptionWallpaper() const { return FIndex[2]; }
    void SetidCaptionWallpaper(int value) { SetIndex(wkCaption, value); }
    // The control's own bitmaps, made on first use; a write copies the picture.
    TBitmap* Wallpaper() { return Own(wkBackground); }
    void SetWallpaper(TBitmap* value) { SetOwn(wkBackground, value); }
    TBitmap* SelWallpaper() { return Own(wkSelected); }
    void SetSelWallpaper(TBitmap* value) { SetOwn(wkSelected, value); }
    TBitmap* CaptionWallpaper() { return Own(wkCaption); }
    void SetCaptionWallpaper(TBitmap* value) { SetOwn(wkCaption, value); }
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor value);
    TColor CaptionTextColor() const { return FCaptionTextColor; }
    void SetCaptionTextColor(TColor value);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The wallpaper rule; nullptr when the kind has no usable bitmap.
    TBitmap* WallpaperOf(TWallpaperKind kind) const;
    bool HasWallpaper() const { return WallpaperOf(wkBackground) != nullptr; }
    bool HasSelWallpaper() const { return WallpaperOf(wkSelected) != nullptr; }
    // The control shows something other than its colour behind its content.
    bool PaintsBackground() const;
    // Each draws the kind's bitmap and answers whether there was one.
    bool PaintWallpaper(HDC dc, TWallpaperKind kind, const TRect& rect, bool tile, DWORD rop) const;
    bool PaintWallpaperClipped(HDC dc, TWallpaperKind kind, const TRect& full, const TRect& clip, bool tile,
                               DWORD rop) const;
    // Paints into dc what the control shows behind its content over the client area: the
    // parent's background when see-through, else the wallpaper when one is painted and allowed;
    // false when neither applies (the control then erases as usual).
    bool PaintOwnBackground(HDC dc, bool wallpaperAllowed = true) const;
    // Makes the system measure and paint the window frame again.
    void FrameChanged();
    TFlatBorderKind FlatBorderKind() const { return FBorderKind; }

protected:
    TCoolSkin(TWinControl* control, TCoolOptions options, bool captionBar, TFlatBorderKind border);
    virtual ~TCoolSkin();

    // After Options changed; the caption style lives in the window's style, so by default the
    // window is made again and the control told its colours changed.
    virtual void OptionsChanged();
    virtual String CaptionText() const;      // the window's text
    // The caption bar is painted here rather than by the system: by default only when its
    // colours or wallpaper differ from the system's.
    virtual bool ShowsOwnCaption() const;
    // The control's Notification passes component removals here.
    void SkinNotification(TComponent* component, TOperation operation);
    // WS_CAPTION and WS_EX_TOOLWINDOW from the options.
    void CaptionParams(TCreateParams& params) const;
    // The messages every skinned control handles alike, with inherited as the control's own
    // handling: the caption bar in the frame with its hit test, double-click and text, the flat
    // border on focus and on mouse enter and leave (with the mouse events), and the repaint
    // after a move or a parent colour change while transparent. False for other messages.
    bool SkinMessage(TMessage& message, const std::function<void(TMessage&)>& inherited);
    // The flat border once the window has painted.
    void FlatBorderAfterPaint();

    TWinControl* SkinControl() const { return FControl; }

private:
    TBitmap* Own(TWallpaperKind kind);
    void SetOwn(TWallpaperKind kind, TBitmap* value);
    void SetIndex(TWallpaperKind kind, int value);
    void OwnChanged(TWallpaperKind kind);
    void RepaintClient();
    void PaintCaptionBar(TMessage& message, const std::function<void(TMessage&)>& inherited);

    TWinControl* FControl;
    TCoolOptions FOptions;
    bool FCaptionBar;
    TFlatBorderKind FBorderKind;
    TColor FCaptionColor = clActiveCaption;
    TColor FCaptionTextColor = clInactiveCaptionText;
    std::unique_ptr<TBitmap> FOwn[3];
    int FIndex[3] = {-1, -1, -1};
    TCoolImages* FCoolImages = nullptr;
    std::unique_ptr<TCoolChangeLink> FLink;
};

// True for any skinned control; false for none.
bool IsCoolControl(TControl* control);
// The flat frame in the control's non-client area, sunken at its outer ring when hot. dc 0
// takes the window's DC for the call.
void DrawFlatBorder(HDC dc, TWinControl* control, bool hot);
