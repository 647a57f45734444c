#include "tutor/typing/TypingText.h"
#include "platform/rtl/Streams.h"
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

// The work file is scratch for the next step: written as it is, without the care (a copy
// first, a flush to the disk) that a file the user keeps gets.
void SaveWorkFile(const TStrings& lines, const String& workFile) {
    TFileStream file(workFile, fmCreate);
    lines.SaveToStream(file);
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
    String shown = fileName;
    if (windowsKind == 2) {
        lines.SetText(JoinedLines(lines));
        SaveWorkFile(lines, workFile);
        shown = workFile;
    }
    surface->Clear();   // else the old text is laid out anew at each change of width and font
    {
        TWrapScope wrap(surface);
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
        surface->Clear();   // taken; what is loaded next replaces it anyway
        SaveWorkFile(lines, workFile);
    }
    surface->LoadTextFile(workFile);
    Application->ProcessMessages();
    if (surface->CanFocus()) surface->SetFocus();
}
