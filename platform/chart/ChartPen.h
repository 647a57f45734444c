#pragma once
// TChartPen: a pen that a chart element can switch off.
#include "platform/graphics/Pen.h"

class TChartPen : public TPen {
public:
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) {
        if (value == FVisible) return;
        FVisible = value;
        Changed();
    }
private:
    bool FVisible = true;
};
