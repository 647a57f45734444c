#pragma once
// What an owner-drawn list or combo box hands to its DrawItem and MeasureItem.
#include <functional>
#include "platform/graphics/Geometry.h"
#include "platform/rtl/String.h"
#include "platform/ui/Messages.h"

class TWinControl;
class TCanvas;
class TControlCanvas;

using TOwnerDrawState = unsigned;
constexpr TOwnerDrawState odSelected = 1 << 0, odGrayed = 1 << 1, odDisabled = 1 << 2, odChecked = 1 << 3,
                          odFocused = 1 << 4, odDefault = 1 << 5, odHotLight = 1 << 6, odInactive = 1 << 7,
                          odNoAccel = 1 << 8, odNoFocusRect = 1 << 9, odReserved1 = 1 << 10,
                          odReserved2 = 1 << 11, odComboBoxEdit = 1 << 12;

// The ODS_ flags of a DRAWITEMSTRUCT as a state set.
inline TOwnerDrawState OwnerDrawState(UINT itemState) {
    TOwnerDrawState s = 0;
    if (itemState & ODS_SELECTED) s |= odSelected;
    if (itemState & ODS_GRAYED) s |= odGrayed;
    if (itemState & ODS_DISABLED) s |= odDisabled;
    if (itemState & ODS_CHECKED) s |= odChecked;
    if (itemState & ODS_FOCUS) s |= odFocused;
    if (itemState & ODS_DEFAULT) s |= odDefault;
    if (itemState & ODS_HOTLIGHT) s |= odHotLight;
    if (itemState & ODS_INACTIVE) s |= odInactive;
    if (itemState & ODS_NOACCEL) s |= odNoAccel;
    if (itemState & ODS_NOFOCUSRECT) s |= odNoFocusRect;
    if (itemState & ODS_COMBOBOXEDIT) s |= odComboBoxEdit;
    return s;
}

using TDrawItemEvent = std::function<void(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TWinControl* control, int index, int& height)>;

// The class library's drawing of one owner-drawn item: the canvas on the item's DC with the
// control's font and colour, the highlight colours for a selected item, draw(index, rect, state)
// for an item (a plain fill where there is none), then the focus rectangle.
void DrawOwnerItem(TControlCanvas& canvas, TWinControl& control, const DRAWITEMSTRUCT& item,
                   const std::function<void(int index, const TRect& rect, TOwnerDrawState state)>& draw);

// The class library's answer to WM_MEASUREITEM: the fixed item height, or what measure(index,
// height) makes of it for variable-height items; never below one pixel.
void MeasureOwnerItem(MEASUREITEMSTRUCT& item, int itemHeight, bool variable,
                      const std::function<void(int index, int& height)>& measure);

// An item's text, vertically centred, two pixels in from the side it is aligned to.
void DrawItemText(TCanvas& canvas, const TRect& rect, const String& text, bool rightAligned);
