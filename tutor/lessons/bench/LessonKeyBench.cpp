// Measures the lesson form's handling of a key under the real window system: the time from a
// WM_CHAR reaching the practice's surface to the end of its handling (judging, colouring,
// counting, the lesson form's counts and sound call, and the next key marked on the on-screen
// keyboard), over a 2,000-character practice, and the same surface with the form's handlers
// taken off, so that the form's share shows. With repaint, the surface and the keyboard are
// painted before the time is read.
// Run from its folder: wine lesson_bench.exe   (it builds its own data tree in a temporary folder)
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "tutor/bench/BenchTiming.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MessageUnit.h"
#include "tutor/menu/ProgramBlock.h"
#include "tutor/options/OptionUnit.h"

namespace {

using bench::Milliseconds;
using bench::Percentile;

void WriteText(const String& name, const String& text) {
    ForceDirectories(ExtractFileDir(name));
    TStringList list;
    list.SetText(text);
    list.SaveToFile(name);
}

// Types the whole text on the practice's surface, every tenth key wrong; the time of each key.
std::vector<double> TypePractice(bool repaint) {
    TRichView* surface = ClassForm->ActiveRichView;
    std::vector<String> lines;
    for (int i = 0; i < surface->Linecount; ++i) lines.push_back(surface->Lines()->Strings(2 * i));
    std::vector<double> times;
    int n = 0;
    for (const String& line : lines)
        for (char c : line) {
            wchar_t key = ++n % 10 == 0 ? L'#' : ToWide(String(1, c))[0];
            LARGE_INTEGER a, b;
            QueryPerformanceCounter(&a);
            SendMessageW(surface->Handle(), WM_CHAR, key, 0);
            if (repaint) {
                UpdateWindow(surface->Handle());
                UpdateWindow(ClassForm->KeyBoardFlash->Handle());
            }
            QueryPerformanceCounter(&b);
            times.push_back(Milliseconds(a, b));
        }
    return times;
}

void Report(const char* what, const std::vector<double>& times) {
    std::printf("%-44s %zu keys: median %.3f ms, p99 %.3f ms, worst %.3f ms\n", what, times.size(),
                Percentile(times, 0.5), Percentile(times, 0.99), Percentile(times, 1.0));
}

}  // namespace

int main() {
    const String tree = IncludeTrailingPathDelimiter(GetTempDirectory()) + "tapwise-lesson-bench";
    const String dist = ExtractFilePath(ProgramFileName()) + "..\\dist\\";
    ForceDirectories(tree + "\\Data\\effects");
    CopyFileW(ToWide(dist + "fixed.ico").c_str(), ToWide(tree + "\\fixed.ico").c_str(), FALSE);
    ForceDirectories(tree + "\\Data\\interface");
    for (const char* file : {"Data\\effects\\Typing.wav", "Data\\interface\\KeyBoard.swf", "Data\\Akeys.txt"})
        CopyFileW(ToWide(dist + file).c_str(), ToWide(tree + "\\" + file).c_str(), FALSE);
    WriteText(tree + "\\Data\\ALessons.txt", "one\r\n");
    WriteText(tree + "\\Data\\ALess\\ALess1.txt", "char,data,PicNo\r\nLesson1,<p>one</p>,1\r\n");
    // 2,000 characters: 40 lines of 50 Arabic letters and blanks
    const String words[] = {"بيت"_a, "نبت"_a, "تين"_a, "بين"_a, "يبت"_a};
    String text;
    for (int i = 0, w = 0; i < 40; ++i) {
        String line;
        while (line.size() < 46) line += words[w++ % 5] + " ";
        line.resize(50, words[0][0]);
        text += line + "\r\n";
    }
    WriteText(tree + "\\Data\\ALess\\Qless1_1.txt", text);
    WriteText(tree + "\\Data\\AStudents.txt", "name,lesson\r\n");

    SetProgramFileName(tree + "\\tapwise.exe");
    StartTapwise();
    OptionForm->CheckSound->SetChecked(true);
    Application->ModalHook = [](TForm* form) {
        if (form != ClassForm) {
            form->Close();   // the measures at the end of the text, the first-visit screens
            return;
        }
        for (bool repaint : {false, true}) {
            ClassForm->ShockwaveFlash->OnFSCommand(ClassForm->ShockwaveFlash, L"Quiz1", L"");
            Application->ProcessMessages();
            Report(repaint ? "lesson form, key + repaint" : "lesson form, key", TypePractice(repaint));
            OptionForm->CheckSound->SetChecked(false);
            ClassForm->ShockwaveFlash->OnFSCommand(ClassForm->ShockwaveFlash, L"Quiz1", L"");
            Application->ProcessMessages();
            Report(repaint ? "lesson form, sound off, key + repaint" : "lesson form, sound off, key", TypePractice(repaint));
            OptionForm->CheckSound->SetChecked(true);
            // the same surface with the form's handlers off: the surface's own share
            TRichView* surface = ClassForm->ActiveRichView;
            auto start = surface->OnStartTyping;
            auto press = surface->OnKeyTruePress;
            auto finish = surface->OnFinishTyping;
            surface->OnStartTyping = nullptr;
            surface->OnKeyTruePress = nullptr;
            surface->OnFinishTyping = nullptr;
            ClassForm->ShockwaveFlash->OnFSCommand(ClassForm->ShockwaveFlash, L"Quiz1", L"");
            Application->ProcessMessages();
            Report(repaint ? "surface alone, key + repaint" : "surface alone, key", TypePractice(repaint));
            surface->OnStartTyping = start;
            surface->OnKeyTruePress = press;
            surface->OnFinishTyping = finish;
        }
        ClassForm->Close();
    };
    MainFrm->Show();
    Application->ProcessMessages();
    MainFrm->ClassButtonClick(MainFrm);
    Application->ModalHook = nullptr;
    Application->Free();
    return 0;
}
