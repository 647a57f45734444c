#pragma once
// TCoolEdit: a one-line edit whose text stands over a wallpaper or its parent's background,
// aligned left, right or centred, with the flat border of the skinned controls. The window is
// a multi-line edit (the alignment styles need one), kept to one line: Enter types nothing and
// pasted line breaks are left out.
#include "controls/CoolText.h"
#include "platform/ui/Edit.h"

class TCoolEdit : public TCustomEdit, public TCoolText {
public:
    explicit TCoolEdit(TComponent* owner);

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void Change() override;

private:
    void PasteOneLine();

    bool FCtrlEnterDown = false;
};
