#pragma once
// The user store's form: never shown; it enters the user of its name box on every activation
// of the main menu.
#include <memory>
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageList.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Forms.h"

class TStudentsForm : public TForm {
public:
    explicit TStudentsForm(TComponent* owner);
    ~TStudentsForm() override;

    void LoadStudents();
    void PasswordCancelBtnClick(TObject* sender);
    void ReloginCurrentUser();
    void SetFirstVisitFlags(bool value);
    void PlayVoice(const String& name);

    TEdit* UserNameEdit = nullptr;
    TEdit* GoalEdit = nullptr;
    TImageList* ImageList1 = nullptr;

    void FormCreate(TObject* sender);

private:
    void BuildLayout();

    std::unique_ptr<TIcon> FIcon;
};

extern TStudentsForm* StudentsForm;
