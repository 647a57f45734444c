#pragma once
// The placement and speed tests over a course of thirty lessons and a test-text list of three
// texts, the clock driven by the tests and every message recorded.
#include <functional>
#include "tutor/testing/LessonFormFixture.h"
#include "tutor/tests/Level.h"
#include "tutor/tests/SpeedUnit.h"

namespace tutor_testing {

struct TypingTestTest : LessonFormTest {
    static constexpr int Lessons = 30;

    // The file dialog moves the process's current folder, as the system does; the tests find
    // their fixtures relative to it.
    String SavedFolder = GetCurrentDir();
    ~TypingTestTest() override { SetCurrentDirectoryW(ToWide(SavedFolder).c_str()); }

    void SetUp() override {
        LessonFormTest::SetUp();
        String titles;
        for (int n = 1; n <= Lessons; ++n) {
            titles += "lesson " + IntToStr(n) + "\r\n";
            Dir.Write("Data\\ALess\\ALess" + IntToStr(n) + ".txt", PageFile({"<p>L" + IntToStr(n) + "</p>"}));
        }
        Dir.Write("Data\\ALessons.txt", titles);
        WriteTexts({100, 30, 250});
        Dir.Write("Data\\AMinutes.txt", "دقيقة واحدة\r\nدقيقتان\r\n3 دقائق\r\n"_a);
        Dir.Write("Data\\EMinutes.txt", "1 minute\r\n2 minutes\r\n3 minutes\r\n");
        for (const char* movie : {"SpeedTest.swf", "SpeedTestE.swf"})
            Dir.Write(String("Data\\interface\\") + movie,
                      ReadBytes(testing_support::SourcePath(String("..\\data\\interface\\") + movie)));
    }
    // The test-text list names "t1", "t2", ...: text k of lengths[k - 1] letters.
    void WriteTexts(const std::vector<int>& lengths) {
        String names;
        for (size_t k = 1; k <= lengths.size(); ++k) {
            names += "t" + IntToStr(int(k)) + "\r\n";
            Dir.Write("Data\\ASpeedText\\t" + IntToStr(int(k)) + ".txt", LetterText(lengths[k - 1]));
        }
        Dir.Write("Data\\ASpeedText\\Text.txt", names);
    }

    enum class TTest { Placement, Speed };

    // Starts the tutor in the interface language and opens a test, the speed test from the main
    // menu: body runs in the open test, which Return leaves afterwards unless the body left it.
    void Open(TTest which, const String& language, std::function<void()> body) {
        StartIn(language);
        Test = which == TTest::Speed ? static_cast<TTypingTestForm*>(SpeedForm) : LevelForm;
        bool ran = false;
        WhenShown[Test] = [this, body, &ran] {
            ran = true;
            body();
            if (Test->Visible()) Send(L"Return");
        };
        if (which == TTest::Speed) Command(L"Test");
        else LevelForm->ShowModal();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(Test->Visible());
    }
    void Send(const wchar_t* command) { Test->ShockwaveFlash->OnFSCommand(Test->ShockwaveFlash, command, L""); }
    TRichView* Surface() const { return Test->ActiveSurface(); }
    void Key(char c) { LessonFormTest::Key(c, Surface()); }
    std::vector<String> SourceLines() const { return LessonFormTest::SourceLines(Surface()); }
    void TypeText(int wrong, int seconds) { LessonFormTest::TypeText(wrong, seconds, Surface()); }
    // Types the next `count` characters of the text (-1: all the rest), all right; the last of
    // them comes `seconds` after the one before it.
    void TypeNext(int count, int seconds = 0) {
        String rest;
        for (const String& line : SourceLines()) rest += line;
        rest.erase(0, std::min<size_t>(rest.size(), Surface()->CCount + Surface()->WCount));
        if (count >= 0 && size_t(count) < rest.size()) rest.resize(count);
        for (size_t i = 0; i < rest.size(); ++i) {
            if (i + 1 == rest.size()) Now += seconds * 1000;
            Key(rest[i]);
        }
    }
    // One second of the test's clock, as its window timer gives it, and of the tick count.
    void Tick() {
        Now += 1000;
        SendMessageW(Test->Timer1->Handle(), WM_TIMER, 1, 0);
    }
    std::vector<String> Lines(const TStringList& list) const {
        std::vector<String> lines;
        for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
        return lines;
    }

    TTypingTestForm* Test = nullptr;
};

}  // namespace tutor_testing
