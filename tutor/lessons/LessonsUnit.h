#pragma once
// The lesson list: the titles of the lessons, one chosen to jump to.
#include <memory>
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageList.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"
#include "tutor/lessons/LessonTitles.h"

class TLessonsForm : public TForm {
public:
    explicit TLessonsForm(TComponent* owner);
    ~TLessonsForm() override;

    bool FirstVisit = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TLessonTitles* LessonsListBox = nullptr;
    TSimpleGButton* CancelButton = nullptr;
    TButton* PlayAgentBtn = nullptr;
    TImageList* ImageList1 = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void LessonsListBoxDblClick(TObject* sender);
    void CancelButtonClick(TObject* sender);
    void CancelButtonMouseEnter(TObject* sender);
    void PlayAgentBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

private:
    void BuildLayout();

    std::unique_ptr<TIcon> FIcon;
    TLessonTitles FLessonTitles;
};

extern TLessonsForm* LessonsForm;
