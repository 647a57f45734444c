#pragma once
// The items of a list or combo box window as TStrings. Both system classes keep strings and a
// data word per item and answer the same requests under their own message numbers; the box
// itself does the deletions and the data, so that descendants can watch them.
#include <vector>
#include <windows.h>
#include "platform/rtl/Classes.h"
#include "platform/rtl/Errors.h"

struct TItemMessages {
    UINT Count, TextLength, Text, Add, Insert, FindExact, GetData, SetData, Delete, Reset;
    LRESULT Error;
};
extern const TItemMessages ListBoxMessages;
extern const TItemMessages ComboBoxMessages;

// What the strings need of their box.
class TItemWindow {
public:
    virtual HWND ItemHandle() = 0;
    virtual LRESULT GetItemData(int index) = 0;
    virtual void SetItemData(int index, LRESULT data) = 0;
    virtual void ResetContent() = 0;
    virtual void DeleteString(int index) = 0;
    virtual int ItemIndex() = 0;
    virtual void SetItemIndex(int value) = 0;
    virtual void InvalidateItems() = 0;
protected:
    ~TItemWindow() = default;
};

class TItemStrings : public TStrings {
public:
    TItemStrings(TItemWindow* owner, const TItemMessages& messages) : FOwner(owner), FMsg(messages) {}
    int Add(const String& s) override;            // in sorted place when the window sorts
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
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const;
    void CheckIndex(int index) const;
    TItemWindow* FOwner;
    const TItemMessages& FMsg;
};

// The items of a window about to be destroyed, put back into the next one.
class TSavedItems {
public:
    void Save(TItemStrings& items, TItemWindow& box);
    // Nothing when nothing was saved; the selected item is followed to where a sorted window puts it.
    void Restore(TItemStrings& items, TItemWindow& box);
    bool Pending() const { return FSaved; }
private:
    struct Item {
        String Text;
        LRESULT Data;
    };
    std::vector<Item> FItems;
    int FItemIndex = -1;
    bool FSaved = false;
};
