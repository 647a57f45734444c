#include "tutor/typing/TypingText.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"

namespace {

constexpr int WrapMargin = 30;

// All lines as one paragraph; a line break between two words becomes a space, so they stay two.
String JoinedLines(const TStrings& lines) {
    String joined;
    for (int i = 0; i < lines.Count(); ++i) {
        String line = TrimRight(lines[i]);
        if (line.empty()) continue;
        if (!joined.empty()) joined += ' ';
        joined += line;
    }
    return joined;
}

// Width, wrap and font as they were, whatever happens during the wrap.
class TWrapScope {
public:
    explicit TWrapScope(TRichView* surface)
        : FSurface(surface), FFontName(surface->Font()->Name()) {
        surface->SetWordWrap(true);
        surface->SetReadOnly(false);
        surface->SetWidth(surface->Width() - WrapMargin);
        surface->Refresh();
        surface->SetVisible(true);
    }
    ~TWrapScope() {
        FSurface->SetWidth(FSurface->Width() + WrapMargin);
        FSurface->Refresh();
        FSurface->SetWordWrap(false);
        FSurface->Font()->SetName(FFontName);
    }
    TWrapScope(const TWrapScope&) = delete;
    TWrapScope& operator=(const TWrapScope&) = delete;
private:
    TRichView* FSurface;
    String FFontName;
};

}  // namespace

void PrepareTypingText(TRichView* surface, const String& fileName, const String& workFile, int windowsKind) {
    TStringList lines;
    lines.LoadFromFile(fileName);
    {
        TWrapScope wrap(surface);
        String shown = fileName;
        if (windowsKind == 2) {
            lines.SetText(JoinedLines(lines));
            lines.SaveToFile(workFile);
            shown = workFile;
        }
        surface->PreLoadTextFile(shown);
        // each line as the control shows it becomes a source line of its own
        lines.Clear();
        const WideString shownText = surface->WindowText(false);
        for (int i = 0, n = surface->Lines()->Count(); i < n; ++i) {
            const int start = surface->LineIndex(i);
            if (start < 0 || static_cast<size_t>(start) > shownText.size()) break;
            const int length = surface->LineLength(start);
            lines.Add(FromWide(std::wstring_view(shownText).substr(start, length)));
        }
        lines.SaveToFile(workFile);
    }
    surface->LoadTextFile(workFile);
    Application->ProcessMessages();
    if (surface->CanFocus()) surface->SetFocus();
}
