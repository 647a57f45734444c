#pragma once
// TInplaceEdit: the borderless edit a grid lays over its current cell. Its text goes back to the
// grid's SetEditText at every change; the keys that move between cells (up, down, pages, Tab, and
// left or right at the text's edge when the editor is always shown) go to the grid.
#include "platform/ui/Edit.h"

class TCustomGrid;

class TInplaceEdit : public TCustomEdit {
public:
    explicit TInplaceEdit(TComponent* owner);

    TCustomGrid* Grid() const { return FGrid; }
    void Move(const TRect& rect);         // shows the editor over rect
    void Hide();
    void Deselect();                      // the caret after the text, nothing selected
    bool PosEqual(const TRect& rect) const;

    void WndProc(TMessage& message) override;

protected:
    friend class TCustomGrid;
    void CreateParams(TCreateParams& params) override;
    void SetParent(TWinControl* value) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void Change() override;
    virtual void BoundsChanged();         // the window moved or resized: the text margins follow
    virtual void UpdateContents();        // takes the text of the grid's current cell

private:
    TCustomGrid* FGrid = nullptr;
    bool FUpdating = false;
};
