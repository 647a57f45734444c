#pragma once
// The item side that the skinned list box and combo box share: each item painted over its
// colour, a wallpaper or the parent's background, with a picture, its text and a bevel; the
// list modes that fill the items themselves (colours, fonts, printers, a folder's entries);
// the check box in front of every item in check mode; and the horizontal extent that follows
// the widest text. The box derives from its platform class and from TCoolItems.
#include <deque>
#include <memory>
#include "controls/CoolCheck.h"
#include "controls/CoolSkin.h"
#include "platform/graphics/ImageList.h"
#include "platform/ui/FileListBox.h"
#include "platform/ui/ItemStrings.h"
#include "platform/ui/OwnerDraw.h"

// The colour an item text names: "Red" and "clRed" name clRed, "$00123456" names that value.
// False for any other text.
bool ItemColor(const String& text, TColor& color);

class TCoolItems : public TCoolSkin {
public:
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value) { FGlyph->Assign(value); }
    TColor SelColor() const { return FSelColor; }
    void SetSelColor(TColor value) { FSelColor = value; }
    TFont* SelFont() const { return FSelFont.get(); }
    void SetSelFont(TFont* value) { FSelFont->Assign(value); }
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value) { Store(FBevelInner, value); }
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value) { Store(FBevelOuter, value); }
    TBevelStyleEx BevelStyle() const { return FBevelStyle; }
    void SetBevelStyle(TBevelStyleEx value) { Store(FBevelStyle, value); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    bool FlatCheckBox() const { return FFlatCheckBox; }
    void SetFlatCheckBox(bool value) { Store(FFlatCheckBox, value); }
    bool FontAutoUpdate() const { return FFontAutoUpdate; }
    void SetFontAutoUpdate(bool value) { Store(FFontAutoUpdate, value); }

    TCoolControlStyle ExtendedStyle() const { return FExtendedStyle; }
    void SetExtendedStyle(TCoolControlStyle value);
    bool ExtendedCheck() const { return FExtendedCheck; }
    void SetExtendedCheck(bool value);
    bool TrueType() const { return FTrueType; }
    void SetTrueType(bool value);
    bool LightColorControl() const { return FLightColorControl; }
    void SetLightColorControl(bool value);
    const String& FolderName() const { return FFolderName; }
    // Kept with a trailing backslash, every ".." component resolved.
    void SetFolderName(const String& value);
    TFileType FileType() const { return FFileType; }
    void SetFileType(TFileType value);

    // The colour of the selected item in the colour mode; -1 when no item names it.
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor value);
    // The font of the selected item in the font mode.
    TFont* SelectedFont();
    void SetSelectedFont(TFont* value);

    // The width the list needs for a text: the wider of the two fonts, plus the picture's place.
    int ItemWidth(const String& text);
    // The widest item's ItemWidth, measured; 0 for an empty list.
    int MaxItemWidth();
    // The extent last given to the window.
    int HorizontalExtent() const { return FExtent; }

    // Check mode: ExtendedStyle ctCheckControl, or ExtendedCheck.
    bool CheckMode() const { return FExtendedStyle == ctCheckControl || FExtendedCheck; }
    bool Checked(int index);
    void SetChecked(int index, bool value);

protected:
    TCoolItems(TWinControl* control, TItemWindow* window, TStrings* items, TCanvas* canvas,
               const TItemMessages& messages, UINT setExtentMessage, TCoolOptions options, bool captionBar,
               TFlatBorderKind border);
    ~TCoolItems() override;

    // What the box answers for the items.
    virtual int ItemsHeight() = 0;
    virtual int ExtentLimit() = 0;            // the width the texts must pass before the list scrolls
    // Repaints the check box of an item whose state changed.
    virtual void InvalidateCheckArea(int index) = 0;
    // An item is drawn selected while it is selected and not disabled.
    virtual bool DrawnSelected(TOwnerDrawState state) const;

    // The messages both boxes handle alike, with inherited as the box's own handling: the
    // horizontal extent after items come and go, the selection font after the parent's font,
    // the colour mode after a selection change, the wallpaper or the parent's background behind
    // the items; then those of every skinned control. False for other messages.
    bool ItemsMessage(TMessage& message, const std::function<void(TMessage&)>& inherited);

    // The box's item drawing, on the canvas that holds the item's DC, font and brush: the flat
    // border first, then the box's item-drawing event when one is assigned, else the item
    // painted here; a tiled wallpaper is anchored to anchor.
    void DrawBoxItem(const TDrawItemEvent& event, int index, const TRect& rect, TOwnerDrawState state,
                     const TRect& anchor);
    // Fills the list of the mode. False when the control went away while the fill let
    // messages through (the caller must then touch nothing of it).
    bool FillList();
    bool FillsOnLoad() const;
    // Ctrl+Enter: the colour dialog in the colour mode, the font dialog in the font mode; true
    // when a font was chosen.
    bool ExecuteModeDialog();
    void ItemsNotification(TComponent* component, TOperation operation);
    void ToggleChecked(int index);
    // Asked for at each paint of the items' window: a new top index means the items scrolled,
    // and a wallpaper or see-through background is then painted whole again (area of window,
    // nullptr for all of it) so that it stays in place.
    void TopIndexAnswered(int top, HWND window, const TRect* area);

    // The box's item data, deletions and window re-creation: in check mode an item's own data
    // lives in its wrapper, and the check states are kept in item order while the window is
    // made again, then given back as the box writes each item's data into the new window.
    LRESULT ItemData(int index);
    void SetItemDataWord(int index, LRESULT data);
    void ItemDeleting(int index);
    void ItemsResetting();
    void WindowDestroying();
    void WindowDestroyed() { FWrappers.Clear(); }
    void WindowCreated() { FSavedStates.clear(); }

private:
    template <class T>
    void Store(T& field, T value) {
        if (field == value) return;
        field = value;
        SkinControl()->Invalidate();
    }
    LRESULT RawData(int index) const;
    void SetRawData(int index, LRESULT data);
    TCheckWrapper* FindWrapper(int index);
    TCheckWrapper* GetWrapper(int index);
    void CheckModeChanged(bool was);
    void ItemAdded(const String& text);
    void ItemsRemoved();
    void SelectionChanged();
    void ParentFontChanged(TMessage& message);
    void PaintItem(int index, const TRect& rect, TOwnerDrawState state, const TRect& anchor);
    bool Fill(const std::vector<String>& names, bool letMessagesThrough);
    bool FillFolderList();
    void ModePicture(int index, TBitmap& picture, bool& ownDisabledFrame);

    TItemWindow* FWindow;
    TStrings* FItems;
    TCanvas* FCanvas;
    const TItemMessages& FMessages;
    UINT FSetExtentMessage;

    TColor FSelColor = clHighlight;
    std::unique_ptr<TFont> FSelFont;
    std::unique_ptr<TBitmap> FGlyph;
    TBevelCut FBevelInner = bvNone, FBevelOuter = bvNone;
    TBevelStyleEx FBevelStyle = bsBevelBoth;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageLink;
    TCoolControlStyle FExtendedStyle = ctCoolControl;
    bool FTrueType = false;
    bool FFlatCheckBox = false;
    bool FExtendedCheck = false;
    bool FLightColorControl = true;
    bool FFontAutoUpdate = false;
    TColor FSelectedColor = 0;
    std::unique_ptr<TFont> FSelectedFont;
    String FFolderName;
    TFileType FFileType = ftDirectory | ftArchive;
    TCheckWrappers FWrappers;
    std::deque<BYTE> FSavedStates;
    int FExtent = 0;
    int FLastTopIndex = 0;      // each control keeps its own
    // A fill that lets messages through stops when another starts or the control goes.
    int FFillSerial = 0;
    std::shared_ptr<bool> FAlive;
};

// The overrides the list box and the combo box make alike, written once over the box's
// platform class (TCustomListBox or TCustomComboBox).
template <class TBox>
class TCoolItemsBox : public TBox, public TCoolItems {
public:
    void Notification(TComponent* component, TOperation operation) override {
        TBox::Notification(component, operation);
        ItemsNotification(component, operation);
    }

protected:
    TCoolItemsBox(TComponent* owner, const TItemMessages& messages, UINT setExtentMessage, TCoolOptions options,
                  bool captionBar, TFlatBorderKind border)
        : TBox(owner), TCoolItems(this, static_cast<TItemWindow*>(this), TBox::Items(), TBox::Canvas(), messages,
                                  setExtentMessage, options, captionBar, border) {}

    void Loaded() override {
        TBox::Loaded();
        if (FillsOnLoad()) FillList();
    }
    void CreateWnd() override {
        TBox::CreateWnd();
        WindowCreated();
    }
    void DestroyWnd() override {
        WindowDestroying();
        TBox::DestroyWnd();
        WindowDestroyed();
    }
    LRESULT GetItemData(int index) override { return ItemData(index); }
    void SetItemData(int index, LRESULT data) override { SetItemDataWord(index, data); }
    void ResetContent() override {
        ItemsResetting();
        TBox::ResetContent();
    }
    void DeleteString(int index) override {
        ItemDeleting(index);
        TBox::DeleteString(index);
    }
};
