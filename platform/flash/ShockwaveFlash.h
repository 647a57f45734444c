#pragma once
// TShockwaveFlash: the movie control of every screen. It plays our own movies (MoviePlayer,
// drawn by MovieRenderer) in its own window, with the calls the screens make of the player
// control: Movie, ScaleMode, DoObjectVerb, TGotoFrame and the OnFSCommand event.
#include <functional>
#include <string_view>
#include "platform/flash/MovieWindow.h"
#include "platform/ui/TWinControl.h"

using TFSCommandEvent = std::function<void(TObject* sender, const WideString& command, const WideString& args)>;

class TShockwaveFlash : public TWinControl {
public:
    explicit TShockwaveFlash(TComponent* owner);
    ~TShockwaveFlash() override;

    // Setting it loads the file; a missing or unreadable file shows an empty stage, silently.
    const WideString& Movie() const { return FEngine.Player().Movie(); }
    void SetMovie(const WideString& value);
    // A movie from text in memory, the name standing for it in error messages.
    void LoadMovieFromText(std::string_view utf8, const WideString& name);
    int ScaleMode() const { return FEngine.Player().ScaleMode(); }
    void SetScaleMode(int value);   // 0 show all, 2 exact fit
    // -1 (show), 0 (primary) and the in-place activations make the window and show the movie.
    void DoObjectVerb(int verb);
    // The clip target (a name, an alias or a key's character) goes to the frame; an unknown clip
    // or frame changes nothing.
    void TGotoFrame(const WideString& target, int frame);
    int TCurrentFrame(const WideString& target) const;   // -1 for an unknown clip
    // The clip of that name only: a key clip named by its code ("8", Backspace) is never taken
    // for the key whose character that is (the digit 8).
    void GotoNamedFrame(const WideString& name, int frame);
    int NamedFrame(const WideString& name) const;        // -1 for an unknown clip

    const MoviePlayer& Player() const { return FEngine.Player(); }

    TFSCommandEvent OnFSCommand;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void Command(const WideString& command, const WideString& args);

    MovieWindow FEngine;   // its window is never made: this control's window stands in
};
