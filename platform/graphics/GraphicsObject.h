#pragma once
// The shared part of TFont, TBrush and TPen: a change event and a lazily made handle.
#include "platform/rtl/TObject.h"

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;
protected:
    virtual void Changed() { if (OnChange) OnChange(this); }
};
