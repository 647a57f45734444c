#include "controls/WinXP.h"
#include "platform/ui/Forms.h"

TWinXP::TWinXP(TComponent* owner) : TComponent(owner) {
    // a throw from here takes the half-made component out of its owner again
    if (!dynamic_cast<TForm*>(owner)) throw Exception("Control parent must be a form!");
    int count = 0;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (dynamic_cast<TWinXP*>(owner->Components(i))) ++count;
    if (count >= 2) throw Exception("Only one instance of TWinXP allowed on form");
}
