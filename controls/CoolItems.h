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
    virtual TRect ItemArea(int index) = 0;     // where the item shows in its window
    virtual int ExtentLimit() = 0;            // the width the texts must pass before the list scrolls
    // The list box draws an item selected while it is selected and not disabled.
    virtual bool DrawnSelected(TOwnerDrawState state) const;

    // Draws one item on the canvas, which holds the item's DC, font and brush; a tiled
    // wallpaper is anchored to anchor.
    void PaintItem(int index, const TRect& rect, TOwnerDrawState state, const TRect& anchor);
    // Fills the list of the mode. False when the control went away while the fill let
    // messages through (the caller must then touch nothing of it).
    bool FillList();
    bool FillsOnLoad() const;
    // The horizontal extent after an item came and after items went.
    void ItemAdded(const String& text);
    void ItemsRemoved();
    // The colour mode follows a change of selection (before the box's click event).
    void SelectionChanged();
    // Ctrl+Enter: the colour dialog in the colour mode, the font dialog in the font mode; true
    // when a font was chosen.
    bool ExecuteModeDialog();
    // The selection font follows the parent's font while the control's does.
    void ParentFontChanged(TMessage& message);
    void ItemsNotification(TComponent* component, TOperation operation);
    void ToggleChecked(int index);

    // The box's item data and deletions in check mode.
    LRESULT CheckItemData(int index);
    void SetCheckItemData(int index, LRESULT data);
    void FreeWrapper(int index);
    void FreeWrappers() { FWrappers.Clear(); }
    // Around a re-creation of the window: the check states in item order, then given back as
    // the box writes each item's data into the new window.
    void SaveCheckStates();
    void ForgetCheckStates() { FSavedStates.clear(); }

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
    void InvalidateCheckArea(int index);
    int ExtentWidth(const String& text);
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
    // A fill that lets messages through stops when another starts or the control goes.
    int FFillSerial = 0;
    std::shared_ptr<bool> FAlive;
};
