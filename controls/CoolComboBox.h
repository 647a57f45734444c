#pragma once
// TCoolComboBox: an owner-drawn drop-down list whose items, in the edit part and in the open
// list, are painted as the skinned list box paints its own (TCoolItems), with the same list
// modes. The open list may be wider or narrower than the box, aligned left, right or centred
// under it, and keeps its wallpaper in place while the items scroll over it.
#include "controls/CoolItems.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Menus.h"
#include "platform/ui/WindowSubclass.h"

class TCoolComboBox : public TCoolItemsBox<TCustomComboBox> {
public:
    explicit TCoolComboBox(TComponent* owner);
    ~TCoolComboBox() override;

    // The width of the open list; 0 sets the box's width. Until set, it follows the box's width.
    int ListBoxWidth() const { return FListBoxWidth; }
    void SetListBoxWidth(int value);
    // Where a list of another width than the box's lies under it.
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment value) { FAlignment = value; }
    // The open list's window, or none.
    HWND ListHandle() const { return FListHandle; }
    // Where the open list's wallpaper is anchored, in the list's client coordinates.
    const TRect& ListRect() const { return FListRect; }

    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void DestroyWnd() override;
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void KeyDown(WORD& key, TShiftState shift) override;

    int ItemsHeight() override { return ItemHeight(); }
    int ExtentLimit() override { return FListBoxWidth; }
    void InvalidateCheckArea(int index) override;
    bool DrawnSelected(TOwnerDrawState state) const override;

    // The open list's messages, before its own window procedure.
    virtual LRESULT ListWndProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void ListShown(HWND list);
    void ListClosed();
    void AfterMessage(const TMessage& message);

    int FListBoxWidth;
    bool FListBoxWidthSet = false;
    TPopupAlignment FAlignment = paLeft;
    HWND FListHandle = nullptr;
    TRect FListRect;
    TWindowSubclass FList;
};
