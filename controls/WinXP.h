#pragma once
// TWinXP marks a form drawn in the system's visual style; the style itself comes from the
// manifest both programs carry (WinXP.manifest). A form holds at most one, and only a form.
#include "platform/rtl/TComponent.h"

class TWinXP : public TComponent {
public:
    explicit TWinXP(TComponent* owner);   // Exception when the owner is no form or has one already
};
