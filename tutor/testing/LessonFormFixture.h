#pragma once
// The lesson form over a small course of three lessons, its page view on an in-memory browser,
// the clock driven by the tests, and every message it shows recorded.
#include <cstdint>
#include <functional>
#include "platform/rtl/SysUtils.h"
#include "platform/web/MemoryBrowser.h"
#include "tutor/testing/TutorFixture.h"

namespace tutor_testing {

// A lesson's page file: page i teaches the key "k<i>" and its body is the page's text.
inline String PageFile(const std::vector<String>& pages) {
    String text = "char,data,PicNo\r\n";
    for (size_t i = 0; i < pages.size(); ++i)
        text += "k" + IntToStr(int(i) + 1) + "," + pages[i] + "," + IntToStr(int(i) + 1) + "\r\n";
    return text;
}

// A text of so many letters, no blanks, twenty to a line.
inline String LetterText(int length) {
    const String letters = "بتين"_a;
    String text;
    for (int i = 0; i < length; ++i) {
        text += letters[i % letters.size()];
        if (i % 20 == 19 || i == length - 1) text += "\r\n";
    }
    return text;
}

// The lesson form over a course of three lessons, its page view on an in-memory browser.
struct LessonFormTest : TutorFixture {
    web::TMemoryBrowser Browser;
    std::shared_ptr<web::TPageDocument> Doc = std::make_shared<web::TPageDocument>();
    std::vector<String> Messages;   // each message shown: its lines, " | " between them
    std::uint32_t Now = 100000;
    bool Started = false;

    void SetUp() override {
        TutorFixture::SetUp();
        rtl::SetTickSource([this] { return Now; });
        Dir.Write("Data\\ALessons.txt", "one\r\ntwo\r\nthree\r\n");
        Dir.Write("Data\\ALess\\ALess1.txt",
                  PageFile({"<p>P1-A</p>", "<p>P1-B <font size=\"6\">six</font> <font SIZE=\"5\">five</font></p>",
                            "<p>P1-C</p>"}));
        Dir.Write("Data\\ALess\\ALess2.txt", PageFile({"<p>P2-A</p>"}));
        Dir.Write("Data\\ALess\\ALess3.txt", PageFile({"<p>P3-A</p>", "<p>P3-B</p>"}));
        WriteUserStore(1);
    }
    void TearDown() override {
        TutorFixture::TearDown();
        rtl::SetTickSource({});
    }

    // Starts the tutor, each time from its start, in the interface language, the lesson form's
    // page view on the in-memory browser and every message recorded.
    void StartIn(const String& language) {
        if (Started) {
            App->Free();
            NewApplication();
        }
        Started = true;
        Start();
        InterfaceLanguage = language;
        ClassForm->WebView->SetBrowser(&Browser);
        Browser.Complete(Doc);
        RecordMessages();
    }
    // Starts the tutor in the interface language, then trains: body runs in the open lesson form,
    // which the movie's Return leaves afterwards.
    void Train(const String& language, std::function<void()> body) {
        StartIn(language);
        bool ran = false;
        WhenShown[ClassForm] = [this, body, &ran] {
            ran = true;
            body();
            if (ClassForm->ModalResult() == mrNone) Send(L"Return");   // unless the body left
        };
        Command(L"Train");
        EXPECT_TRUE(ran);
        EXPECT_FALSE(ClassForm->Visible());
    }
    // Each message shown goes into Messages and is closed, as the learner's OK does.
    void RecordMessages() {
        WhenShown[MessageForm] = [this] {
            String lines;
            for (TLabel* l : {MessageForm->Label1, MessageForm->Label2, MessageForm->Label3, MessageForm->Label4})
                if (!l->Caption().empty()) lines += (lines.empty() ? "" : " | ") + l->Caption();
            Messages.push_back(lines);
            MessageForm->Close();
        };
    }
    void Send(const wchar_t* command) { ClassForm->ShockwaveFlash->OnFSCommand(ClassForm->ShockwaveFlash, command, L""); }
    String Page() const { return Doc->LoadedBytes(); }
    bool Shows(const char* marker) const { return Page().find(marker) != String::npos; }
    std::vector<bool> PageButtons() const {
        return {ClassForm->StartButton->Enabled(), ClassForm->StartButton->Down(), ClassForm->PrevButton->Enabled(),
                ClassForm->PrevButton->Down()};
    }
    String Students() const { return Dir.Read("Data\\AStudents.txt"); }

    // One key as the keyboard layer gives it to a surface, by default the practice's; a disabled
    // surface gets no keys.
    void Key(char c, TRichView* surface = nullptr) {
        if (!surface) surface = ClassForm->ActiveRichView;
        if (IsWindowEnabled(surface->Handle())) SendMessageW(surface->Handle(), WM_CHAR, ToWide(String(1, c))[0], 0);
    }
    // The source lines of the text on a surface, by default the practice's, as prepared for typing.
    std::vector<String> SourceLines(TRichView* surface = nullptr) const {
        if (!surface) surface = ClassForm->ActiveRichView;
        std::vector<String> lines;
        for (int i = 0; i < surface->Linecount; ++i) lines.push_back(surface->Lines()->Strings(2 * i));
        return lines;
    }
    // Types the whole text on a surface, by default the practice's: the first `wrong` keys wrong,
    // the rest right; the last key comes `seconds` after the first.
    void TypeText(int wrong, int seconds, TRichView* surface = nullptr) {
        if (!surface) surface = ClassForm->ActiveRichView;
        std::vector<String> lines = SourceLines(surface);
        size_t left = 0;
        for (const String& line : lines) left += line.size();
        for (const String& line : lines)
            for (char c : line) {
                if (--left == 0) Now += seconds * 1000;
                Key(wrong-- > 0 ? WrongKey : c, surface);
            }
    }
    // One second of the practice clock, as its window timer gives it.
    void Tick() { SendMessageW(ClassForm->Timer1->Handle(), WM_TIMER, 1, 0); }

    static constexpr char WrongKey = '\xDB';   // a letter none of the practices holds
};

}  // namespace tutor_testing
