#pragma once
// TCoolListBox: an owner-drawn list box that paints every item itself (see TCoolItems), keeps
// a wallpaper or the parent's background in place while the items scroll over it, and may
// carry a caption bar of its own colours and a flat border (see TCoolSkin).
#include "controls/CoolItems.h"
#include "platform/ui/ListBox.h"

class TCoolListBox : public TCoolItemsBox<TCustomListBox> {
public:
    explicit TCoolListBox(TComponent* owner);

    // The selection follows the mouse.
    bool HotTray() const { return FHotTray; }
    void SetHotTray(bool value) { FHotTray = value; }

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;

    int ItemsHeight() override { return ItemHeight(); }
    int ExtentLimit() override { return Width(); }
    void InvalidateCheckArea(int index) override;

private:
    void WMPaint(TMessage& message);
    void LBGetTopIndex(TMessage& message);

    bool FHotTray = false;
};
