#pragma once
// TCustomComboBox over the system COMBOBOX class. As with the list box, the items live in the
// window and wait in the control while it has none. The owner-drawn styles are drop-down lists;
// DrawItem sees odComboBoxEdit when it draws the selection field.
#include <memory>
#include <vector>
#include "platform/rtl/Classes.h"
#include "platform/ui/Forms.h"
#include "platform/ui/OwnerDraw.h"
#include "platform/ui/TControlCanvas.h"

class TCustomComboBox;

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
using enum TComboBoxStyle;

class TComboBoxStrings : public TStrings {
public:
    explicit TComboBoxStrings(TCustomComboBox* owner) : FOwner(owner) {}
    int Add(const String& s) override;
    void Clear() override;
    void Delete(int index) override;
    void Insert(int index, const String& s) override;
    void PutObject(int index, TObject* object) override;
    int IndexOf(const String& s) const override;  // the system's exact find, without regard to case
protected:
    String Get(int index) const override;
    int GetCount() const override;
    TObject* GetObjectAt(int index) const override;
    void SetUpdateState(bool updating) override;
private:
    TCustomComboBox* FOwner;
};

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(*value); }
    int ItemIndex();
    void SetItemIndex(int value);            // by code: no OnChange, no OnClick
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
    friend class TComboBoxStrings;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change() { if (OnChange) OnChange(this); }
    virtual void Select() { if (OnSelect) OnSelect(this); else Change(); }
    virtual void DropDown() { if (OnDropDown) OnDropDown(this); }
    virtual void CloseUp() { if (OnCloseUp) OnCloseUp(this); }
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    virtual LRESULT GetItemData(int index);
    virtual void SetItemData(int index, LRESULT data);
    virtual void ResetContent();
    virtual void DeleteString(int index);

    void CNCommand(TWMCommand& message);
    void CNDrawItem(TWMDrawItem& message);
    void CNMeasureItem(TWMMeasureItem& message);
    bool IsOwnerDrawn() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }

private:
    struct SavedItem {
        String Text;
        LRESULT Data;
    };
    void AdjustDropDown();

    std::unique_ptr<TComboBoxStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TComboBoxStyle FStyle = csDropDown;
    int FItemHeight = 16;
    int FDropDownCount = 8;
    bool FSorted = false;
    int FMaxLength = 0;
    bool FDestroying = false;
    bool FHasSaved = false;
    std::vector<SavedItem> FSaveItems;
    int FSaveItemIndex = -1;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};
