#pragma once
// TCustomListBox over the system LISTBOX class. The items live in the window; while there is
// none (between DestroyWnd and CreateWnd) they and their data wait in the control, so a
// recreated window gets them back. Owner drawing reaches the virtual DrawItem through CN_DRAWITEM.
#include <memory>
#include <vector>
#include "platform/rtl/Classes.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ItemStrings.h"
#include "platform/ui/OwnerDraw.h"
#include "platform/ui/TControlCanvas.h"

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
using enum TListBoxStyle;

class TCustomListBox : public TWinControl, protected TItemWindow {
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(*value); }
    int ItemIndex() override;                // -1 when none; the focused item when MultiSelect
    void SetItemIndex(int value) override;
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
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // The window's data word of an item and the window's own deletions, for descendants that
    // keep something of their own there.
    LRESULT GetItemData(int index) override;
    void SetItemData(int index, LRESULT data) override;
    void ResetContent() override;
    void DeleteString(int index) override;

    void CNCommand(TWMCommand& message);
    void CNDrawItem(TWMDrawItem& message);
    void CNMeasureItem(TWMMeasureItem& message);
    int TextItemHeight();

private:
    HWND ItemHandle() override { return Handle(); }
    void InvalidateItems() override { Invalidate(); }

    std::unique_ptr<TItemStrings> FItems;
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
    TSavedItems FSaved;
    int FSaveTopIndex = 0;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};
