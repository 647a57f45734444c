// Measures the typing surface under the real window system: the time from a WM_CHAR to the end
// of its handling over a 2,000-character text, and preparing plus loading a 120-line text.
// Run: wine build/mingw/tutor/typing_bench.exe
// With the argument "keys" it only shows a prepared surface on a screen-sized borderless form and
// waits for real key presses (a finished text starts again), for timing keys from outside.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "tutor/bench/BenchTiming.h"
#include "tutor/typing/TypingText.h"

namespace {

using bench::Milliseconds;
using bench::Percentile;

// Plain words, about 50 characters a line, so the wrap keeps one source line per file line.
String TextOf(int lines) {
    static const char* words[] = {"the", "quick", "brown", "fox", "jumps", "over", "lazy", "dog", "and", "runs"};
    String text;
    int w = 0;
    for (int i = 0; i < lines; ++i) {
        String line;
        while (line.size() < 45) line += String(words[w++ % 10]) + " ";
        text += line + "\r\n";
    }
    return text;
}

void WriteFile(const String& name, const String& text) {
    TStringList list;
    list.SetText(text);
    list.SaveToFile(name);
}

// A borderless 792 x 566 screen holding a surface as the typing forms place theirs.
int TypeFromOutside(const String& source, const String& work) {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetClientSize(792, 566);
    form->SetPosition(poScreenCenter);
    form->SetCaption("typing_bench");
    auto* view = new TRichView(form);
    view->SetParent(form);
    view->SetBounds(40, 120, 712, 300);
    ApplySurfaceLook(view, false);
    WriteFile(source, TextOf(120));
    view->OnFinishTyping = [&](TObject*, int&, int&, int&, int&) {
        PostMessageW(form->Handle(), WM_USER, 0, 0);   // start again once this key is done
    };
    form->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message != WM_USER || msg.hwnd != form->Handle()) return;
        view->LoadTextFile(work);
        handled = true;
    };
    form->Show();
    PrepareTypingText(view, source, work, 1);
    while (!Application->Terminated()) Application->HandleMessage();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && String(argv[1]) == "keys") {
        String folder = IncludeTrailingPathDelimiter(GetCurrentDir());
        return TypeFromOutside(folder + "typing_bench_text.txt", folder + "typing_bench_Temp.Text");
    }
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 760, 560);
    auto* view = new TRichView(form);
    view->SetParent(form);
    view->SetBounds(10, 10, 720, 520);
    ApplySurfaceLook(view, false);
    if (!getenv("BENCH_HIDDEN")) form->Show();
    Application->ProcessMessages();

    String folder = IncludeTrailingPathDelimiter(GetCurrentDir());
    String source = folder + "typing_bench_text.txt";
    String work = folder + "typing_bench_Temp.Text";

    // 120 lines, prepared (re-wrapped through the work file) and loaded
    WriteFile(source, TextOf(120));
    std::vector<double> prepare;
    for (int run = 0; run < 5; ++run) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        PrepareTypingText(view, source, work, 1);
        QueryPerformanceCounter(&b);
        prepare.push_back(Milliseconds(a, b));
    }
    std::printf("prepare+load 120 lines (%d pairs, %d chars): median %.1f ms, worst %.1f ms over %zu runs\n",
                view->Linecount, view->SourceLength, Percentile(prepare, 0.5), Percentile(prepare, 1.0), prepare.size());

    // 2,000 characters typed: 40 lines of 50, every tenth key wrong
    String text;
    for (int i = 0; i < 40; ++i) text += "pack my box with five dozen liquor jugs now please\r\n";
    WriteFile(source, text);
    TStringList list;
    list.LoadFromFile(source);
    // first the handling alone, then with the repaint it causes done at once
    for (bool paint : {false, true}) {
        view->LoadTextFile(source);
        Application->ProcessMessages();
        std::vector<double> keys;
        int n = 0;
        for (int i = 0; i < list.Count(); ++i)
            for (char c : list[i]) {
                wchar_t key = ++n % 10 == 0 ? L'#' : static_cast<wchar_t>(c);
                LARGE_INTEGER a, b;
                QueryPerformanceCounter(&a);
                SendMessageW(view->Handle(), WM_CHAR, key, 0);
                if (paint) UpdateWindow(view->Handle());
                QueryPerformanceCounter(&b);
                keys.push_back(Milliseconds(a, b));
            }
        std::printf("WM_CHAR%s over %zu keys (%d chars, %d lines): median %.3f ms, p99 %.3f ms, worst %.3f ms; "
                    "correct %d wrong %d\n", paint ? " + repaint" : "", keys.size(), view->SourceLength,
                    view->Linecount, Percentile(keys, 0.5), Percentile(keys, 0.99), Percentile(keys, 1.0),
                    view->CCount, view->WCount);
    }

    RemoveFile(source);
    RemoveFile(work);
    form->Free();
    return 0;
}
