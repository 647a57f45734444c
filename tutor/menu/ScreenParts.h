#pragma once
// The parts every screen's layout is made of: the borderless form, its full-window movie, and
// the hidden buttons under the movie that its commands click.
#include "controls/SimpleGButton.h"
#include "htmlview/WebView.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"

void SetUpScreenForm(TForm* form, const char* name, int clientWidth, int clientHeight, TPosition position);
// Made last and sent to the back: the screen's own windowed controls lie above it, while the
// windowless command targets, painted by the form itself, stay hidden under it.
TShockwaveFlash* NewScreenMovie(TForm* form, TFSCommandEvent onCommand);
// A graphic button that lies under the movie on purpose: never seen, clicked by a movie command.
class TCommandTarget : public TSimpleGButton {
public:
    using TSimpleGButton::TSimpleGButton;
};
TCommandTarget* NewCommandTarget(TForm* form, const char* name, TNotifyEvent onClick);
// An invisible push button; it clicks all the same.
TButton* NewHiddenButton(TForm* form, const char* name, TNotifyEvent onClick);
// The page view of the lesson and assistant forms, with the settings both store, filling parent.
TWebView* NewPageView(TForm* form, TWinControl* parent);
