#pragma once
// TCustomComboBox over the system COMBOBOX class. As with the list box, the items live in the
// window and wait in the control while it has none. The owner-drawn styles are drop-down lists;
// DrawItem sees odComboBoxEdit when it draws the selection field.
#include <memory>
#include <vector>
#include "platform/rtl/Classes.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ItemStrings.h"
#include "platform/ui/OwnerDraw.h"
#include "platform/ui/TControlCanvas.h"

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
using enum TComboBoxStyle;

class TCustomComboBox : public TWinControl, protected TItemWindow {
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(*value); }
    int ItemIndex() override;
    void SetItemIndex(int value) override;   // by code: no OnChange, no OnClick
    int ItemHeight();
    void SetItemHeight(int value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value) { FDropDownCount = value < 1 ? 1 : value; }
    bool DroppedDown();
    void SetDroppedDown(bool value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    TCanvas* Canvas() const { return FCanvas.get(); }
    void Clear() { FItems->Clear(); }

    TNotifyEvent OnChange;                   // the edit part typed in, or the selection changed
    TNotifyEvent OnSelect;                   // the selection changed; OnChange when not assigned
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change() { if (OnChange) OnChange(this); }
    virtual void Select() { if (OnSelect) OnSelect(this); else Change(); }
    virtual void DropDown() { if (OnDropDown) OnDropDown(this); }
    virtual void CloseUp() { if (OnCloseUp) OnCloseUp(this); }
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    LRESULT GetItemData(int index) override;
    void SetItemData(int index, LRESULT data) override;
    void ResetContent() override;            // the edit part keeps no text of a list that is gone
    void DeleteString(int index) override;

    void CNCommand(TWMCommand& message);
    void CNDrawItem(TWMDrawItem& message);
    void CNMeasureItem(TWMMeasureItem& message);
    bool IsOwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }

private:
    HWND ItemHandle() override { return Handle(); }
    void InvalidateItems() override { Invalidate(); }
    void AdjustDropDown();

    std::unique_ptr<TItemStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TComboBoxStyle FStyle = csDropDown;
    int FItemHeight = 16;
    int FDropDownCount = 8;
    bool FSorted = false;
    int FMaxLength = 0;
    bool FDestroying = false;
    TSavedItems FSaved;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};
