#pragma once
// TCustomListBox over the system LISTBOX class. The items live in the window; while there is
// none (between DestroyWnd and CreateWnd) they and their data wait in the control, so a
// recreated window gets them back. Owner drawing reaches the virtual DrawItem through CN_DRAWITEM.
#include <memory>
#include <vector>
#include "platform/rtl/Classes.h"
#include "platform/ui/Forms.h"
#include "platform/ui/OwnerDraw.h"
#include "platform/ui/TControlCanvas.h"

class TCustomListBox;

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
using enum TListBoxStyle;

class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox* owner) : FOwner(owner) {}
    int Add(const String& s) override;            // in sorted place when the box is Sorted
    void Clear() override;
    void Delete(int index) override;
    void Insert(int index, const String& s) override;
    void Put(int index, const String& s) override;
    void PutObject(int index, TObject* object) override;
    int IndexOf(const String& s) const override;  // the system's exact find, without regard to case
protected:
    String Get(int index) const override;
    int GetCount() const override;
    TObject* GetObjectAt(int index) const override;
    void SetUpdateState(bool updating) override;
private:
    TCustomListBox* FOwner;
};

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(*value); }
    int ItemIndex();                         // -1 when none; the focused item when MultiSelect
    void SetItemIndex(int value);
    int ItemHeight();
    void SetItemHeight(int value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle value);
    TCanvas* Canvas() const { return FCanvas.get(); }
    int TopIndex();
    void SetTopIndex(int value);
    // The item under pos (client coordinates); with existing false a point below the last item
    // gives Count, otherwise -1.
    int ItemAtPos(TPoint pos, bool existing);
    TRect ItemRect(int index);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool value);
    bool Selected(int index);
    void SetSelected(int index, bool value);
    int SelCount();                          // -1 without MultiSelect, as the system answers
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool value);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }   // bsNone or bsSingle
    void SetBorderStyle(TFormBorderStyle value);
    void Clear() { FItems->Clear(); }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void WndProc(TMessage& message) override;

protected:
    friend class TListBoxStrings;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // The window's data word of an item and the window's own deletions, for descendants that
    // keep something of their own there.
    virtual LRESULT GetItemData(int index);
    virtual void SetItemData(int index, LRESULT data);
    virtual void ResetContent();
    virtual void DeleteString(int index);

    void CNCommand(TWMCommand& message);
    void CNDrawItem(TWMDrawItem& message);
    void CNMeasureItem(TWMMeasureItem& message);

private:
    struct SavedItem {
        String Text;
        LRESULT Data;
    };
    std::unique_ptr<TListBoxStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    bool FSorted = false;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    int FColumns = 0;
    bool FIntegralHeight = false;
    int FTabWidth = 0;
    TFormBorderStyle FBorderStyle = bsSingle;
    bool FDestroying = false;
    bool FHasSaved = false;
    std::vector<SavedItem> FSaveItems;
    int FSaveItemIndex = -1;
    int FSaveTopIndex = 0;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};
