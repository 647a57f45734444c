#pragma once
// The games menu: seven game pictures over its movie, each a transparent button that starts a
// game program from the media folder and goes on at once.
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Image.h"
#include "platform/ui/Panel.h"

class TGameForm : public TForm {
public:
    explicit TGameForm(TComponent* owner);

    bool FirstVisit = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TSimpleGButton* CloseBtn = nullptr;
    TButton* PlayAgentBtn = nullptr;
    TSimpleGButton* NumbersBtn = nullptr;
    TSimpleGButton* WordsBtn = nullptr;
    TSimpleGButton* FizzleBtn = nullptr;
    TSimpleGButton* LettersBtn = nullptr;
    TSimpleGButton* FrogBtn = nullptr;
    TSimpleGButton* SpeedBtn = nullptr;
    TSimpleGButton* RaceBTn = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void CloseBtnClick(TObject* sender);
    void PlayAgentBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

    void NumbersBtnClick(TObject* sender);
    void WordsBtnClick(TObject* sender);
    void FizzleBtnClick(TObject* sender);
    void LettersBtnClick(TObject* sender);
    void FrogBtnClick(TObject* sender);
    void SpeedBtnClick(TObject* sender);
    void RaceBTnClick(TObject* sender);
    // shared by the seven game buttons: the button's panel is the frame around its picture
    void NumbersBtnMouseEnter(TObject* sender);
    void NumbersBtnMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void NumbersBtnMouseLeave(TObject* sender);

private:
    void BuildLayout();
    TSimpleGButton* NewGameButton(const char* name, int left, int top, std::string_view picture, TNotifyEvent onClick);
    // Starts the program at path below CDDir with AppDir as its argument, when the file is there.
    void StartGame(const String& path);
};

extern TGameForm* GameForm;
