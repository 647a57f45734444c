#include "MoviePlayer.h"
#include <algorithm>
#include <cmath>
#include "FlashOs.h"

void MoviePlayer::Reset() {
    FFile = MovieFile{};
    FClipFrames.clear();
    FHover = nullptr;
    FPressed = nullptr;
    FLastError.clear();
}

void MoviePlayer::SetMovie(const WideString& path) {
    Reset();
    FMovie = path;
    std::size_t cut = path.find_last_of(L"\\/");
    FBaseFolder = cut == WideString::npos ? WideString() : path.substr(0, cut + 1);
    std::string bytes;
    flash_os::ReadResult r = flash_os::ReadWholeFile(path, MaxFileBytes, bytes);
    if (r == flash_os::ReadResult::TooLarge) {
        Adopt(MovieFile{}, MovieParseError{path, 0, "the file is larger than 16 MB"});
    } else if (r == flash_os::ReadResult::Ok && !HasFlashSignature(bytes)) {
        std::optional<MovieParseError> error;
        MovieFile file = ParseMovie(bytes, path, error);
        Adopt(std::move(file), error);
    } else {
        Changed();
    }
}

void MoviePlayer::LoadFromText(std::string_view utf8, const WideString& name) {
    Reset();
    FMovie = name;
    FBaseFolder.clear();
    std::optional<MovieParseError> error;
    MovieFile file = ParseMovie(utf8, name, error);
    Adopt(std::move(file), error);
}

void MoviePlayer::Adopt(MovieFile file, const std::optional<MovieParseError>& error) {
    FFile = std::move(file);
    FClipFrames.clear();
    for (const MovieClip& c : FFile.clips) {
        // a clip starts on frame 0 when it has one, else on its first frame
        int start = c.frames.empty() ? 0 : c.frames.front().number;
        if (c.Frame(0)) start = 0;
        FClipFrames.push_back(start);
    }
    if (error) {
        FLastError = error->Text();
        if (OnError) OnError(FLastError);
    }
    Changed();
}

void MoviePlayer::SetScaleMode(int value) {
    if (value == FScaleMode) return;
    FScaleMode = value;
    Changed();
}

bool MoviePlayer::GotoFrame(const WideString& target, int frame) { return GotoClipFrame(FFile.ClipIndex(target), frame); }

bool MoviePlayer::GotoNamedFrame(const WideString& name, int frame) { return GotoClipFrame(FFile.ClipNamed(name), frame); }

bool MoviePlayer::GotoClipFrame(int i, int frame) {
    if (i < 0 || !FFile.clips[static_cast<std::size_t>(i)].Frame(frame)) return false;
    const MovieClip& clip = FFile.clips[static_cast<std::size_t>(i)];
    const int before = FClipFrames[static_cast<std::size_t>(i)];
    if (before == frame) return true;
    FClipFrames[static_cast<std::size_t>(i)] = frame;
    // only where the frame left behind and the new one draw
    MovieRect area{};
    for (const MovieFrame* f : {clip.Frame(before), clip.Frame(frame)})
        if (f)
            for (const MovieItem& item : f->items) area = UnionArea(area, ItemArea(item));
    // buttons of the frame left behind are gone
    std::vector<const MovieButton*> visible = VisibleButtons();
    auto shown = [&](const MovieButton* b) { return std::find(visible.begin(), visible.end(), b) != visible.end(); };
    if (FHover && !shown(FHover)) FHover = nullptr;
    if (FPressed && !shown(FPressed)) FPressed = nullptr;
    Changed(&area);
    return true;
}

int MoviePlayer::CurrentFrame(const WideString& target) const {
    int i = FFile.ClipIndex(target);
    return i < 0 ? -1 : FClipFrames[static_cast<std::size_t>(i)];
}

int MoviePlayer::NamedFrame(const WideString& name) const {
    int i = FFile.ClipNamed(name);
    return i < 0 ? -1 : FClipFrames[static_cast<std::size_t>(i)];
}

void MoviePlayer::SetViewSize(int width, int height) {
    if (width == FViewWidth && height == FViewHeight) return;
    FViewWidth = width;
    FViewHeight = height;
    Changed();
}

StageMapping MoviePlayer::Mapping() const {
    return StageMapping::For(FFile.width, FFile.height, FViewWidth, FViewHeight, FScaleMode);
}

std::vector<const MovieItem*> MoviePlayer::VisibleItems() const {
    std::vector<const MovieItem*> out;
    for (const MovieItem& item : FFile.items) {
        if (const MovieClipPlacement* p = std::get_if<MovieClipPlacement>(&item)) {
            if (const MovieFrame* f = FFile.clips[p->clip].Frame(FClipFrames[p->clip]))
                for (const MovieItem& inner : f->items) out.push_back(&inner);   // clips do not nest
        } else {
            out.push_back(&item);
        }
    }
    return out;
}

std::vector<const MovieButton*> MoviePlayer::VisibleButtons() const {
    std::vector<const MovieButton*> out;
    for (const MovieItem* item : VisibleItems())
        if (const MovieButton* b = std::get_if<MovieButton>(item)) out.push_back(b);
    return out;
}

const MovieButton* MoviePlayer::ButtonAt(int wx, int wy) const {
    double sx, sy;
    if (!Mapping().ToStage(wx, wy, sx, sy)) return nullptr;
    int x = static_cast<int>(std::floor(sx)), y = static_cast<int>(std::floor(sy));
    if (x < 0 || y < 0 || x >= FFile.width || y >= FFile.height) return nullptr;   // the bars
    std::vector<const MovieButton*> buttons = VisibleButtons();
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it)   // the one drawn last lies on top
        if ((*it)->box.Contains(x, y)) return *it;
    return nullptr;
}

const MovieButtonLook& MoviePlayer::LookOf(const MovieButton& button) const {
    if (FPressed == &button && FHover == &button) return button.pressed;
    if (FHover == &button && !FPressed) return button.hover;
    return button.normal;
}

void MoviePlayer::MouseMove(int x, int y) {
    const MovieButton* b = ButtonAt(x, y);
    if (b == FHover) return;
    FHover = b;
    Changed();
    if (!b) return;
    WideString name = b->command;   // the handler may load another movie
    Fire(L"RollOver", name);
}

void MoviePlayer::MouseDown(int x, int y) {
    MouseMove(x, y);
    FPressed = ButtonAt(x, y);
    if (FPressed) Changed();
}

void MoviePlayer::MouseUp(int x, int y) {
    const MovieButton* pressed = FPressed;
    FPressed = nullptr;
    if (!pressed) return;
    Changed();
    if (ButtonAt(x, y) != pressed) return;
    // copies: the handler may load another movie, which frees this one
    WideString command = pressed->command, args = pressed->args;
    Fire(command, args);
}

void MoviePlayer::MouseLeave() {
    if (!FHover) return;
    FHover = nullptr;
    Changed();
}

void MoviePlayer::CancelPress() {
    if (!FPressed) return;
    FPressed = nullptr;
    Changed();
}

void MoviePlayer::Fire(const WideString& command, const WideString& args) {
    if (OnFSCommand) OnFSCommand(command, args);
}

void MoviePlayer::Changed(const MovieRect* stageArea) {
    if (OnInvalidate) OnInvalidate(stageArea);
}
