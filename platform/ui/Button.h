#pragma once
// TButton over the system BUTTON class. A click with a ModalResult sets its form's ModalResult,
// which ends the form's modal loop.
#include "platform/ui/Forms.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }

    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CMDialogKey(TMessage& message);

private:
    TModalResult FModalResult = mrNone;
    bool FDefault = false;
    bool FCancel = false;
};
