#pragma once
// TCoolListBox: an owner-drawn list box that paints every item itself (see TCoolItems), keeps
// a wallpaper or the parent's background in place while the items scroll over it, and may
// carry a caption bar of its own colours and a flat border (see TCoolSkin).
#include "controls/CoolItems.h"
#include "platform/ui/ListBox.h"

class TCoolListBox : public TCustomListBox, public TCoolItems {
public:
    explicit TCoolListBox(TComponent* owner);

    // The selection follows the mouse.
    bool HotTray() const { return FHotTray; }
    void SetHotTray(bool value) { FHotTray = value; }

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    LRESULT GetItemData(int index) override;
    void SetItemData(int index, LRESULT data) override;
    void ResetContent() override;
    void DeleteString(int index) override;

    int ItemsHeight() override { return ItemHeight(); }
    TRect ItemArea(int index) override { return ItemRect(index); }
    int ExtentLimit() override { return Width(); }

private:
    void WMPaint(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void LBGetTopIndex(TMessage& message);

    bool FHotTray = false;
    // The top index seen at the last paint: a change means the items scrolled, and a wallpaper
    // or see-through background is then painted whole again. Each list keeps its own.
    int FLastTopIndex = 0;
};
