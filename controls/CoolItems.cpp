#include "controls/CoolItems.h"
#include <algorithm>
#include "controls/CoolPictures.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/FontDialog.h"
#include "platform/ui/Printers.h"

namespace {

const TColor LightColors[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
                                clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite};

// "Red" names clRed; "clRed" and "$00FF0000" stand as they are.
String ColorName(const String& text) {
    if (text.empty() || text[0] == '$' || text.rfind("cl", 0) == 0) return text;
    return "cl" + text;
}

}  // namespace

bool ItemColor(const String& text, TColor& color) {
    String name = ColorName(text);
    if (name.empty()) return false;
    if (IdentToColor(name, color)) return true;
    if (name[0] != '$') return false;
    try {
        color = StringToColor(name);
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

TCoolItems::TCoolItems(TWinControl* control, TItemWindow* window, TStrings* items, TCanvas* canvas,
                       const TItemMessages& messages, UINT setExtentMessage, TCoolOptions options, bool captionBar,
                       TFlatBorderKind border)
    : TCoolSkin(control, options, captionBar, border), FWindow(window), FItems(items), FCanvas(canvas),
      FMessages(messages), FSetExtentMessage(setExtentMessage), FSelFont(std::make_unique<TFont>()),
      FGlyph(std::make_unique<TBitmap>()), FImageLink(std::make_unique<TChangeLink>()),
      FSelectedFont(std::make_unique<TFont>()), FAlive(std::make_shared<bool>(true)) {
    FGlyph->OnChange = [this](TObject*) { SkinControl()->Invalidate(); };
    FImageLink->OnChange = [this](TObject*) { SkinControl()->Invalidate(); };
    FSelFont->SetColor(clHighlightText);
    FSelFont->OnChange = [this](TObject*) { SkinControl()->SetParentFont(false); };
}

TCoolItems::~TCoolItems() { *FAlive = false; }

void TCoolItems::SetImages(TCustomImageList* value) {
    if (value == FImages) return;
    if (FImages) {
        FImages->UnRegisterChanges(FImageLink.get());
        SkinControl()->RemoveFreeNotification(FImages);
    }
    FImages = value;
    if (value) {
        value->RegisterChanges(FImageLink.get());
        SkinControl()->FreeNotification(value);
    }
    SkinControl()->Invalidate();
}

void TCoolItems::ItemsNotification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component && component == FImages) {
        FImages = nullptr;
        SkinControl()->Invalidate();
    }
    SkinNotification(component, operation);
}

// ---- modes and their lists

void TCoolItems::SetExtendedStyle(TCoolControlStyle value) {
    if (value == FExtendedStyle) return;
    bool was = CheckMode();
    FExtendedStyle = value;
    CheckModeChanged(was);
    if (!FillList()) return;
    SkinControl()->Invalidate();
}

void TCoolItems::SetExtendedCheck(bool value) {
    if (value == FExtendedCheck) return;
    bool was = CheckMode();
    FExtendedCheck = value;
    CheckModeChanged(was);
    SkinControl()->Invalidate();
}

// Leaving check mode gives every item its own data word back.
void TCoolItems::CheckModeChanged(bool was) {
    if (!was || CheckMode()) return;
    if (SkinControl()->HandleAllocated())
        for (int i = 0, n = FItems->Count(); i < n; ++i)
            if (TCheckWrapper* w = FWrappers.Find(RawData(i))) SetRawData(i, w->Data);
    FWrappers.Clear();
}

void TCoolItems::SetTrueType(bool value) {
    if (value == FTrueType) return;
    FItems->Clear();
    FTrueType = value;
    if (FExtendedStyle == ctFontControl) FillList();
}

void TCoolItems::SetLightColorControl(bool value) {
    if (value == FLightColorControl) return;
    FLightColorControl = value;
    if (FExtendedStyle == ctColorControl) FillList();
}

void TCoolItems::SetFolderName(const String& value) {
    if (value == FFolderName) return;
    String name = value;
    if (!name.empty() && name.back() != '\\') name += '\\';
    FFolderName = ResolveParentFolders(name);
    if (FExtendedStyle == ctFolderControl) FillList();
}

void TCoolItems::SetFileType(TFileType value) {
    if (value == FFileType) return;
    FFileType = value;
    if (FExtendedStyle == ctFolderControl) FillList();
}

bool TCoolItems::FillsOnLoad() const {
    return FExtendedStyle == ctFontControl || FExtendedStyle == ctPrinterControl || FExtendedStyle == ctFolderControl;
}

bool TCoolItems::FillList() {
    std::vector<String> names;
    switch (FExtendedStyle) {
    case ctColorControl:
        if (FLightColorControl) {
            for (TColor c : LightColors) names.push_back(ColorToString(c).substr(2));
        } else {
            GetColorValues([&](const String& name) { names.push_back(name); });
        }
        return Fill(names, false);
    case ctFontControl:
        for (const String& font : Screen->Fonts())
            if (!FTrueType || IsTrueTypeFont(font)) names.push_back(font);
        return Fill(names, false);
    case ctPrinterControl: {
        TStrings* printers = Printer()->Printers();
        for (int i = 0; i < printers->Count(); ++i) names.push_back(printers->Strings(i));
        return Fill(names, false);
    }
    case ctFolderControl:
        return FillFolderList();
    default:
        return true;
    }
}

bool TCoolItems::FillFolderList() {
    if (FFolderName.empty()) return true;
    int mask = 0;
    const std::pair<TFileType, int> bits[] = {{ftReadOnly, faReadOnly}, {ftHidden, faHidden}, {ftSystem, faSysFile},
                                              {ftVolumeID, faVolumeID}, {ftDirectory, faDirectory}, {ftArchive, faArchive}};
    for (auto [type, attr] : bits)
        if (FFileType & type) mask |= attr;
    TStringList folders, files;
    folders.SetSorted(true);
    files.SetSorted(true);
    TSearchRec f;
    for (int r = FindFirst(FFolderName + "*.*", mask, f); r == 0; r = FindNext(f))
        if ((f.Attr & mask) && f.Name != ".") ((f.Attr & faDirectory) ? folders : files).Add(f.Name);
    FindClose(f);
    std::vector<String> names;
    for (int i = 0; i < folders.Count(); ++i) names.push_back(folders[i]);
    for (int i = 0; i < files.Count(); ++i) names.push_back(files[i]);
    return Fill(names, true);
}

// Letting messages through keeps a long folder responsive; a click that starts another fill,
// or closes the control, then ends this one instead of mixing two lists or using a freed control.
bool TCoolItems::Fill(const std::vector<String>& names, bool letMessagesThrough) {
    int fill = ++FFillSerial;
    std::shared_ptr<bool> alive = FAlive;
    FItems->BeginUpdate();
    try {
        FItems->Clear();
        for (const String& name : names) {
            if (letMessagesThrough) {
                Application->ProcessMessages();
                if (!*alive) return false;
                if (fill != FFillSerial || Application->Terminated()) break;
            }
            FItems->Add(name);
        }
    } catch (...) {
        if (*alive) FItems->EndUpdate();
        throw;
    }
    FItems->EndUpdate();
    return true;
}

void TCoolItems::SelectionChanged() {
    if (FExtendedStyle != ctColorControl) return;
    int index = FWindow->ItemIndex();
    if (index < 0) return;
    TColor c;
    FSelectedColor = ItemColor(FItems->Strings(index), c) ? c : -1;
}

void TCoolItems::SetSelectedColor(TColor value) {
    if (FExtendedStyle != ctColorControl) return;
    String wanted = ColorToString(value);
    for (int i = 0, n = FItems->Count(); i < n; ++i)
        if (ColorName(FItems->Strings(i)) == wanted) {
            FSelectedColor = value;
            FWindow->SetItemIndex(i);
            return;
        }
    FWindow->SetItemIndex(-1);
    FSelectedColor = -1;
}

TFont* TCoolItems::SelectedFont() {
    int index = FWindow->ItemIndex();
    if (index >= 0) {
        TNotifyEvent saved = std::move(FSelectedFont->OnChange);
        FSelectedFont->OnChange = nullptr;
        FSelectedFont->SetName(FItems->Strings(index));
        FSelectedFont->OnChange = std::move(saved);
    }
    return FSelectedFont.get();
}

void TCoolItems::SetSelectedFont(TFont* value) {
    FSelectedFont->Assign(value);
    FWindow->SetItemIndex(FItems->IndexOf(FSelectedFont->Name()));
}

bool TCoolItems::ExecuteModeDialog() {
    if (FExtendedStyle == ctColorControl) {
        std::unique_ptr<TColorDialog> dialog(new TColorDialog(SkinControl()));
        dialog->SetColor(FSelectedColor);
        if (dialog->Execute()) {
            TColor chosen = dialog->Color();
            SetSelectedColor(chosen);
            if (FWindow->ItemIndex() < 0) {
                FItems->Add(ColorToString(chosen));
                SetSelectedColor(chosen);
            }
        }
        return false;
    }
    if (FExtendedStyle == ctFontControl) {
        std::unique_ptr<TFontDialog> dialog(new TFontDialog(SkinControl()));
        dialog->SetFont(SelectedFont());
        if (!dialog->Execute()) return false;
        SetSelectedFont(dialog->Font());
        return true;
    }
    return false;
}

void TCoolItems::ParentFontChanged(TMessage& m) {
    if (!SkinControl()->ParentFont()) return;
    TFont* font = m.WParam ? reinterpret_cast<TFont*>(m.LParam) : SkinControl()->Font();
    TNotifyEvent saved = std::move(FSelFont->OnChange);
    FSelFont->OnChange = nullptr;
    if (font) FSelFont->Assign(font);
    FSelFont->SetColor(clHighlightText);
    FSelFont->OnChange = std::move(saved);
}

// ---- horizontal extent

int TCoolItems::ItemWidth(const String& text) {
    FCanvas->SetFont(FSelFont.get());
    int selected = FCanvas->TextWidth(text);
    FCanvas->SetFont(SkinControl()->Font());
    int plain = FCanvas->TextWidth(text);
    int margin = (Options() & ocNoImageAttached) ? 5 : FExtendedCheck ? 45 : 25;
    return std::max(selected, plain) + margin;
}

void TCoolItems::ItemAdded(const String& text) {
    int w = ItemWidth(text);
    if (w > FExtent && w > ExtentLimit()) {
        FExtent = w;
        SendMessageW(SkinControl()->Handle(), FSetExtentMessage, FExtent, 0);
    }
}

// Measured: in a proportional font the longest text need not be the widest.
int TCoolItems::MaxItemWidth() {
    int widest = 0;
    for (int i = 0, n = FItems->Count(); i < n; ++i) widest = std::max(widest, ItemWidth(FItems->Strings(i)));
    return widest;
}

void TCoolItems::ItemsRemoved() {
    FExtent = MaxItemWidth();
    SendMessageW(SkinControl()->Handle(), FSetExtentMessage, FExtent, 0);
}

// ---- check mode

LRESULT TCoolItems::RawData(int index) const {
    return SendMessageW(SkinControl()->Handle(), FMessages.GetData, index, 0);
}

void TCoolItems::SetRawData(int index, LRESULT data) {
    SendMessageW(SkinControl()->Handle(), FMessages.SetData, index, data);
}

TCheckWrapper* TCoolItems::FindWrapper(int index) {
    if (index < 0 || index >= FItems->Count()) throw Exception("Unable to obtain data");
    return FWrappers.Find(RawData(index));
}

// Data already on the item moves into its new wrapper, so entering check mode loses nothing.
TCheckWrapper* TCoolItems::GetWrapper(int index) {
    TCheckWrapper* w = FindWrapper(index);
    if (!w) {
        w = FWrappers.Make(RawData(index));
        SetRawData(index, TCheckWrappers::Word(w));
    }
    return w;
}

bool TCoolItems::Checked(int index) {
    TCheckWrapper* w = FindWrapper(index);
    return w && w->State == 1;
}

void TCoolItems::SetChecked(int index, bool value) {
    if (value == Checked(index)) return;
    GetWrapper(index)->State = value ? 1 : 0;
    InvalidateCheckArea(index);
}

void TCoolItems::ToggleChecked(int index) { SetChecked(index, !Checked(index)); }

LRESULT TCoolItems::ItemData(int index) {
    if (!CheckMode()) return RawData(index);
    TCheckWrapper* w = FindWrapper(index);
    return w ? w->Data : RawData(index);
}

void TCoolItems::SetItemDataWord(int index, LRESULT data) {
    if (!CheckMode()) {
        SetRawData(index, data);
        return;
    }
    TCheckWrapper* w = GetWrapper(index);
    w->Data = data;
    if (!FSavedStates.empty()) {
        w->State = FSavedStates.front();
        FSavedStates.pop_front();
    }
}

void TCoolItems::ItemDeleting(int index) {
    if (!CheckMode()) return;
    if (TCheckWrapper* w = FindWrapper(index)) FWrappers.Free(w);
}

void TCoolItems::ItemsResetting() {
    if (CheckMode()) FWrappers.Clear();
}

void TCoolItems::WindowDestroying() {
    FSavedStates.clear();
    if (!CheckMode()) return;
    for (int i = 0, n = FItems->Count(); i < n; ++i) FSavedStates.push_back(Checked(i) ? 1 : 0);
}

// ---- messages

void TCoolItems::TopIndexAnswered(int top, HWND window, const TRect* area) {
    if (top == FLastTopIndex || !PaintsBackground()) return;
    InvalidateControlRect(window, area, false);
    FLastTopIndex = top;
}

bool TCoolItems::ItemsMessage(TMessage& m, const std::function<void(TMessage&)>& inherited) {
    if (m.Msg == FMessages.Add || m.Msg == FMessages.Insert) {
        inherited(m);
        if (m.Result >= 0 && m.LParam) ItemAdded(FromWide(reinterpret_cast<const wchar_t*>(m.LParam)));
        return true;
    }
    if (m.Msg == FMessages.Delete || m.Msg == FMessages.Reset) {
        inherited(m);
        ItemsRemoved();
        return true;
    }
    switch (m.Msg) {
    case WM_ERASEBKGND:
        // an empty list shows its wallpaper when it paints, not here
        if (PaintOwnBackground(reinterpret_cast<HDC>(m.WParam), FItems->Count() > 0)) m.Result = 1;
        else inherited(m);
        return true;
    case CM_PARENTFONTCHANGED:
        inherited(m);
        ParentFontChanged(m);
        return true;
    case CN_COMMAND:
        // LBN_SELCHANGE and CBN_SELCHANGE are one code
        if (HIWORD(m.WParam) == LBN_SELCHANGE) SelectionChanged();
        inherited(m);
        return true;
    default:
        return SkinMessage(m, inherited);
    }
}

// ---- painting

bool TCoolItems::DrawnSelected(TOwnerDrawState state) const {
    // keyboard-cue and hot flags that a system adds do not make a selected item look unselected
    return (state & odSelected) && !(state & (odDisabled | odGrayed));
}

void TCoolItems::ModePicture(int index, TBitmap& b, bool& ownDisabledFrame) {
    ownDisabledFrame = false;
    int size = ItemsHeight();
    String text = FItems->Strings(index);
    switch (FExtendedStyle) {
    case ctCoolControl:
        if ((Options() & ocUseImageList) && FImages) {
            if (index < FImages->Count()) FImages->GetBitmap(index, &b);
        } else if (!FGlyph->Empty()) {
            int frames = std::max(1, FGlyph->Width() / std::max(1, FGlyph->Height()));
            int w = FGlyph->Width() / frames, h = FGlyph->Height();
            int frame = !SkinControl()->Enabled() && frames > 1 ? 1 : 0;
            ownDisabledFrame = frames > 1;
            b.SetSize(w, h);
            BitBlt(b.Canvas()->Handle(), 0, 0, w, h, FGlyph->Canvas()->Handle(), frame * w, 0, SRCCOPY);
        }
        break;
    case ctColorControl: {
        TColor c;
        if (ItemColor(text, c)) MakeColorSwatch(&b, size, c, FCanvas->Brush()->Color());
        break;
    }
    case ctFontControl:
        LoadCoolMark(IsTrueTypeFont(text) ? cmTrueTypeFont : cmOtherFont, &b);
        if (FFontAutoUpdate) FCanvas->Font()->SetName(text);
        break;
    case ctPrinterControl: LoadCoolMark(cmPrinter, &b); break;
    case ctCheckControl: MakeCheckBoxPicture(&b, size, Checked(index), FFlatCheckBox); break;
    case ctFolderControl: MakeFileIconPicture(&b, size, FFolderName, text); break;
    }
}

void TCoolItems::DrawBoxItem(const TDrawItemEvent& event, int index, const TRect& rect, TOwnerDrawState state,
                             const TRect& anchor) {
    if (Options() & ocFlatBorder) DrawFlatBorder(nullptr, SkinControl(), SkinControl()->Focused());
    if (event) {
        event(SkinControl(), index, rect, state);
        return;
    }
    PaintItem(index, rect, state, anchor);
}

void TCoolItems::PaintItem(int index, const TRect& rect, TOwnerDrawState state, const TRect& anchor) {
    TCanvas* c = FCanvas;
    HDC dc = c->Handle();
    COLORREF oldText = GetTextColor(dc), oldBack = GetBkColor(dc);
    TCoolOptions options = Options();
    bool tile = options & ocTileWallpaper;
    bool selected = DrawnSelected(state);
    bool noImage = options & ocNoImageAttached;
    bool checkAndImage = FExtendedCheck && FExtendedStyle != ctCheckControl;
    int itemHeight = ItemsHeight();

    if (selected) {
        c->SetFont(FSelFont.get());
        c->Brush()->SetColor(FSelColor);
        TRect h = rect;
        if (options & ocNoHighlightImage)
            h.Left = (checkAndImage ? rect.Left + 2 * itemHeight + 6 : !noImage ? rect.Left + itemHeight + 4 : rect.Left + 2) - 4;
        bool drawn = ((options & ocInvertWallpaperAsSelect) && PaintWallpaperClipped(dc, wkBackground, anchor, h, tile, NOTSRCCOPY)) ||
                     ((options & ocPaintSelWallpaper) && PaintWallpaperClipped(dc, wkSelected, anchor, h, true, SRCCOPY));
        if (!drawn) c->FillRect(h);
    } else if (!((options & ocPaintWallpaper) && PaintWallpaperClipped(dc, wkBackground, anchor, rect, tile, SRCCOPY))) {
        if (!(options & ocPaintTransparently)) {
            TColor brush = c->Brush()->Color();
            c->Brush()->SetColor(SkinControl()->Color());
            c->FillRect(rect);
            c->Brush()->SetColor(brush);
        } else {
            PaintParentBackgroundRect(SkinControl(), dc, rect);
        }
    }

    int imageWidth = 0;
    if (!noImage) {
        bool enabled = SkinControl()->Enabled();
        auto draw = [&](TBitmap& b, int x, bool ownDisabledFrame) {
            if (b.Empty()) return;
            if (!enabled && !ownDisabledFrame) MakeDisabledBitmap(&b, c->Brush()->Color());
            b.SetTransparent(true);
            c->Draw(x, rect.Top + (rect.Height() - b.Height()) / 2, &b);
        };
        TBitmap picture;
        bool ownDisabledFrame = false;
        if (checkAndImage) {
            TBitmap box;
            MakeCheckBoxPicture(&box, itemHeight, Checked(index), FFlatCheckBox);
            draw(box, rect.Left + 2, false);
            ModePicture(index, picture, ownDisabledFrame);
            draw(picture, rect.Left + 4 + picture.Width(), ownDisabledFrame);
        } else {
            ModePicture(index, picture, ownDisabledFrame);
            draw(picture, rect.Left + 2, ownDisabledFrame);
        }
        imageWidth = picture.Width();
    }

    int x = checkAndImage ? rect.Left + 2 * imageWidth + 6 : !noImage ? rect.Left + imageWidth + 4 : rect.Left + 2;
    String text = FItems->Strings(index);
    if (!text.empty()) {
        int y = rect.Top + (itemHeight - c->TextHeight(text)) / 2;
        if (SkinControl()->Enabled()) {
            TBrushStyle style = c->Brush()->Style();
            c->Brush()->SetStyle(bsClear);
            c->TextRect(rect, x, y, text);
            c->Brush()->SetStyle(style);
        } else {
            WideString w = ToWide(text);
            DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(w.c_str()), static_cast<WPARAM>(w.size()), x, y,
                       0, 0, DST_TEXT | DSS_DISABLED);
        }
    }

    // the selected item of a combo box's edit part shows no bevel
    bool bevelled = selected && !(state & odComboBoxEdit);
    if ((FBevelInner != bvNone || FBevelOuter != bvNone) && (!(options & ocBevelOnlyIfSel) || bevelled)) {
        RECT bevel = rect;
        if (FBevelStyle == bsBevelOnlyImage) bevel.right = x - 4;
        if (FBevelStyle == bsBevelOnlyText) bevel.left = x - 4;
        DrawEdge(dc, &bevel, BevelEdgeFlags(FBevelInner, FBevelOuter), BF_RECT);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}
