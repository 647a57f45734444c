#pragma once
// TMessageForm: the tutor's modal message, up to four centred lines on panels over the message
// movie, closed by the movie's OK command. Callers fill Label1..Label4 and call ShowModal; closing
// empties the lines, so every message starts empty.
#include <functional>
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Label.h"
#include "platform/ui/Panel.h"

class TMessageForm : public TForm {
public:
    explicit TMessageForm(TComponent* owner);

    TShockwaveFlash* ShockwaveFlash;
    TPanel* Panel1;
    TPanel* Panel2;
    TPanel* Panel3;
    TPanel* Panel4;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TSimpleGButton* CloseBtn;

    // Set by the main form: the program folder (no trailing separator) and the interface
    // language letter, read again at every activation.
    String AppFolder;
    String Language = "A";
    // The movie's "RollOver" command (command, args); the main form binds its FlashRollOver.
    std::function<void(const String& command, const String& args)> OnRollOver;

    String MoviePath() const;   // the message movie of the current language
    // Shows the lines its caller filled: modally, or, when the form is already the open modal
    // screen, by laying its lines out again, so that a second message never raises.
    int ShowFilled();

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void CloseBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

private:
    static constexpr int FirstLineHeight = -21, LineHeight = -24;   // font heights of the lines
    void LayOutLines();
    void FitLine(TLabel* label, int fontHeight);
    TPanel* MakeLine(int k, TLabel*& label, int left, int top, int width, int height, int fontHeight);
};

extern TMessageForm* MessageForm;
