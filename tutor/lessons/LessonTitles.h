#pragma once
// The lesson titles and the chosen line, in the shape of the list box that will show them; it
// stands in for that list box until the list box control builds in this tree.
#include "platform/rtl/Classes.h"

class TLessonTitles {
public:
    TStrings* Items() { return &FItems; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value) { FItemIndex = value >= 0 && value < FItems.Count() ? value : -1; }

private:
    TStringList FItems;
    int FItemIndex = -1;
};
