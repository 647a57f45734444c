#pragma once
// The state of a playing movie: which file, each clip's current frame, the button under the
// pointer and the one held down, and the commands that clicks send. Portable: drawing is
// MovieRenderer's, the window MovieWindow's.
#include <functional>
#include <vector>
#include "MovieFile.h"
#include "StageMapping.h"

class MoviePlayer {
public:
    using TCommandEvent = std::function<void(const WideString& command, const WideString& args)>;

    // Loads a movie. A missing or unreadable file, or a real Flash file, shows the empty stage
    // and reports nothing; a malformed line is reported through OnError and LastError, and the
    // movie shows what came before it.
    void SetMovie(const WideString& path);
    const WideString& Movie() const { return FMovie; }
    // The same from text in memory (the name stands in errors).
    void LoadFromText(std::string_view utf8, const WideString& name);

    int ScaleMode() const { return FScaleMode; }
    void SetScaleMode(int value);

    // The clip named (or aliased) target goes to the frame; false when either does not exist.
    bool GotoFrame(const WideString& target, int frame);
    int CurrentFrame(const WideString& target) const;      // -1 for an unknown clip
    // The same for the clip of that name only, never an alias or a key's character.
    bool GotoNamedFrame(const WideString& name, int frame);
    int NamedFrame(const WideString& name) const;          // -1 for an unknown clip

    void SetViewSize(int width, int height);
    int ViewWidth() const { return FViewWidth; }
    int ViewHeight() const { return FViewHeight; }
    StageMapping Mapping() const;

    // Pointer in window coordinates of the view.
    void MouseMove(int x, int y);
    void MouseDown(int x, int y);
    void MouseUp(int x, int y);
    void MouseLeave();
    void CancelPress();                     // the window lost the mouse capture

    const MovieFile& File() const { return FFile; }
    int ClipFrame(std::size_t clip) const { return FClipFrames[clip]; }
    const MovieButton* HoverButton() const { return FHover; }
    const MovieButton* PressedButton() const { return FPressed; }
    const MovieButtonLook& LookOf(const MovieButton& button) const;
    // What is drawn now, in drawing order: the movie's items and those of each clip's current
    // frame (never a clip placement itself).
    std::vector<const MovieItem*> VisibleItems() const;
    std::vector<const MovieButton*> VisibleButtons() const;
    const MovieButton* ButtonAt(int windowX, int windowY) const;
    const WideString& LastError() const { return FLastError; }
    const WideString& BaseFolder() const { return FBaseFolder; }   // the movie's folder, with separator

    TCommandEvent OnFSCommand;
    std::function<void(const WideString& message)> OnError;
    // What is shown has changed: within that stage area, or anywhere when it is null.
    std::function<void(const MovieRect* stageArea)> OnInvalidate;

    static constexpr std::size_t MaxFileBytes = 16 * 1024 * 1024;

private:
    void Reset();
    bool GotoClipFrame(int clip, int frame);
    void Adopt(MovieFile file, const std::optional<MovieParseError>& error);
    void Fire(const WideString& command, const WideString& args);
    void Changed(const MovieRect* stageArea = nullptr);

    WideString FMovie;
    WideString FBaseFolder;
    MovieFile FFile;
    std::vector<int> FClipFrames;           // current frame number per clip
    int FScaleMode = 0;
    int FViewWidth = 0, FViewHeight = 0;
    const MovieButton* FHover = nullptr;
    const MovieButton* FPressed = nullptr;
    WideString FLastError;
};
