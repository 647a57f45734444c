// Every movie that a screen loads, read from data/interface: each sends exactly its screen's
// commands, each button is reachable by a click on its centre, and the keyboards have their keys.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <set>
#include "MoviePlayer.h"
#include "platform/rtl/SysUtils.h"
#include "platform/testing/TestSupport.h"

namespace {

WideString InterfaceFolder() {
    String relative = testing_support::SourcePath("..\\data\\interface\\");
    if (DirectoryExists(relative)) return ToWide(relative);
    const char* source = std::getenv("TAPWISE_SOURCE");
    return ToWide(String(source ? source : ".") + "\\data\\interface\\");
}

struct ScreenMovie {
    const wchar_t* file;
    int width, height;
    bool pages;                             // the screen shows frame 9 of the clip "Pages"
    bool arabic;                            // laid out right to left with Arabic captions
    std::vector<const wchar_t*> order;      // the screen's command names, in the order it tests them
};

const std::vector<const wchar_t*> MainMenu = {L"RollOver", L"Train", L"Test", L"Media", L"Games", L"Results",
                                              L"Help", L"About", L"Options", L"NewUser", L"PlayAgent", L"Exit"};
const std::vector<const wchar_t*> OkOnly = {L"RollOver", L"OK"};
const std::vector<const wchar_t*> GamesMenu = {L"RollOver", L"PlayAgent", L"Return"};
const std::vector<const wchar_t*> OptionsForm = {L"RollOver", L"PlayAgent", L"InterfaceLang", L"OK", L"Cancel",
                                                 L"SoundEffects", L"HighlightText", L"ShowAssistant"};
const std::vector<const wchar_t*> BeginnerForm = {L"RollOver", L"EnterExam", L"Beginner"};
const std::vector<const wchar_t*> LessonForm = {L"RollOver", L"Quiz1", L"Quiz2", L"Quiz3", L"PlayAgent",
                                                L"Play", L"Pause", L"Stop", L"History", L"StartHist",
                                                L"PrevHist", L"NextLesson", L"PrevLesson", L"UserLevel",
                                                L"Return"};
const std::vector<const wchar_t*> TestForms = {L"RollOver", L"Close", L"Minimize", L"OpenFile", L"Return",
                                               L"Start", L"Pause", L"PlayAgent", L"Stop"};
const std::vector<const wchar_t*> ResultsForm = {L"RollOver", L"PlayAgent", L"Graph", L"Progress",
                                                 L"Proficiency", L"Summary", L"Return"};
const std::vector<const wchar_t*> Keyboard = {};

const ScreenMovie Movies[] = {
    {L"MainAA.swf", 792, 566, false, true, MainMenu},
    {L"MainAE.swf", 792, 566, false, false, MainMenu},
    {L"Message.swf", 790, 487, true, true, OkOnly},       // also the lesson list's movie
    {L"MessageE.swf", 790, 487, true, false, OkOnly},
    {L"About.swf", 792, 566, false, true, OkOnly},
    {L"AboutE.swf", 792, 566, false, false, OkOnly},
    {L"Games.swf", 792, 566, false, true, GamesMenu},
    {L"GamesE.swf", 792, 566, false, false, GamesMenu},
    {L"Options.swf", 792, 566, true, true, OptionsForm},
    {L"OptionsE.swf", 792, 566, true, false, OptionsForm},
    {L"Beginner.swf", 592, 368, false, true, BeginnerForm},
    {L"BeginnerE.swf", 592, 368, false, false, BeginnerForm},
    {L"Training.swf", 792, 566, false, true, LessonForm},
    {L"TrainingE.swf", 792, 566, false, false, LessonForm},
    {L"SpeedTest.swf", 792, 566, false, true, TestForms},  // the placement test's as well
    {L"SpeedTestE.swf", 792, 566, false, false, TestForms},
    {L"ResultsAA.swf", 792, 566, true, true, ResultsForm},
    {L"ResultsAE.swf", 792, 566, true, false, ResultsForm},
    {L"ResultsEA.swf", 792, 566, true, true, ResultsForm},
    {L"ResultsEE.swf", 792, 566, true, false, ResultsForm},
    {L"KeyBoard.swf", 0, 0, false, true, Keyboard},
    {L"KeyBoardE.swf", 0, 0, false, false, Keyboard},
};

std::string Narrow(const WideString& w) { return Cp1256ToUtf8(FromWide(w)); }

void CollectCommands(const std::vector<MovieItem>& items, std::set<WideString>& out) {
    for (const MovieItem& item : items)
        if (const MovieButton* b = std::get_if<MovieButton>(&item)) out.insert(b->command);
}

class ShippedMovie : public testing::TestWithParam<ScreenMovie> {};

TEST_P(ShippedMovie, SendsExactlyItsScreensCommands) {
    const ScreenMovie& s = GetParam();
    MoviePlayer p;
    p.SetMovie(InterfaceFolder() + s.file);
    ASSERT_GT(p.File().width, 0) << "missing: " << Narrow(InterfaceFolder() + s.file);
    ASSERT_TRUE(p.LastError().empty()) << Narrow(p.LastError());
    if (s.width != 0) {
        EXPECT_EQ(p.File().width, s.width);
        EXPECT_EQ(p.File().height, s.height);
    }

    std::set<WideString> sent;
    CollectCommands(p.File().items, sent);
    for (const MovieClip& c : p.File().clips)
        for (const MovieFrame& f : c.frames) CollectCommands(f.items, sent);
    std::set<WideString> table(s.order.begin(), s.order.end());
    table.erase(L"RollOver");               // sent by entering any button, not by a click
    EXPECT_EQ(sent, table);

    // the screen matches the first of its names contained in the command: it must be the command
    for (const WideString& command : sent) {
        auto first = std::find_if(s.order.begin(), s.order.end(),
                                  [&](const wchar_t* name) { return command.find(name) != WideString::npos; });
        ASSERT_NE(first, s.order.end());
        EXPECT_EQ(WideString(*first), command);
    }

    // what the screen shows: ScaleMode 2 at the form's size, the page clip on frame 9
    p.SetScaleMode(2);
    p.SetViewSize(p.File().width, p.File().height);
    if (s.pages) {
        EXPECT_TRUE(p.GotoFrame(L"Pages", 9));
    }
    std::set<WideString> clicked;
    WideString last;
    p.OnFSCommand = [&](const WideString& c, const WideString&) {
        if (c != L"RollOver") clicked.insert(last = c);
    };
    for (const MovieButton* b : p.VisibleButtons()) {
        int x = b->box.x + b->box.width / 2, y = b->box.y + b->box.height / 2;
        last.clear();
        p.MouseMove(x, y);
        p.MouseDown(x, y);
        p.MouseUp(x, y);
        EXPECT_EQ(last, b->command) << "the centre of " << Narrow(b->command) << " reaches another button";
        p.MouseLeave();
    }
    EXPECT_EQ(clicked, table);
}

void CheckTexts(const std::vector<MovieItem>& items, bool arabic, const std::string& where) {
    const WideString font = arabic ? L"Arabic Transparent" : L"Tahoma";
    for (const MovieItem& item : items) {
        if (const MovieButton* b = std::get_if<MovieButton>(&item)) {
            EXPECT_GE(b->style.size, 16) << where << " " << Narrow(b->command);
            EXPECT_EQ(b->style.font, font) << where << " " << Narrow(b->command);
            EXPECT_EQ(b->style.rtl, arabic) << where << " " << Narrow(b->command);
        } else if (const MovieText* t = std::get_if<MovieText>(&item)) {
            EXPECT_GE(t->style.size, 16) << where << " " << Narrow(t->text);
        }
    }
}

TEST_P(ShippedMovie, ReadableCaptionsInItsLanguage) {
    const ScreenMovie& s = GetParam();
    MoviePlayer p;
    p.SetMovie(InterfaceFolder() + s.file);
    ASSERT_GT(p.File().width, 0);
    std::string where = Narrow(s.file);
    CheckTexts(p.File().items, s.arabic, where);
    for (const MovieClip& c : p.File().clips)
        for (const MovieFrame& f : c.frames) CheckTexts(f.items, s.arabic, where);
}

INSTANTIATE_TEST_SUITE_P(DataInterface, ShippedMovie, testing::ValuesIn(Movies),
                         [](const testing::TestParamInfo<ScreenMovie>& info) {
                             std::string n = Narrow(info.param.file);
                             return n.substr(0, n.find('.'));
                         });

TEST(ShippedKeyboards, EveryKeyClipAnswersToItsCodeAndCharacter) {
    // the lesson form shows a key down (frame 1), up (0) and to press next (2) by the clip named
    // after its code; the key's character reaches the same clip
    std::vector<int> codes = {8, 9, 13, 16, 20, 32, 161, 186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222};
    for (int c = '0'; c <= '9'; ++c) codes.push_back(c);
    for (int c = 'A'; c <= 'Z'; ++c) codes.push_back(c);
    for (const wchar_t* file : {L"KeyBoard.swf", L"KeyBoardE.swf"}) {
        MoviePlayer p;
        p.SetMovie(InterfaceFolder() + file);
        ASSERT_TRUE(p.LastError().empty()) << Narrow(p.LastError());
        for (int code : codes) {
            WideString decimal = std::to_wstring(code);
            const int named = p.File().ClipNamed(decimal);
            ASSERT_GE(named, 0) << Narrow(file) << " key " << code;
            const MovieClip* clip = &p.File().clips[static_cast<std::size_t>(named)];
            EXPECT_TRUE(clip->Frame(0) && clip->Frame(1) && clip->Frame(2)) << code;
            if (code == 8 || code == 9 || code == 161) continue;   // reached by their code only
            EXPECT_EQ(p.File().FindClip(WideString(1, static_cast<wchar_t>(code))), clip) << code;
            // a one-character string of the code, widened through code page 1256
            String byte(1, static_cast<char>(code));
            EXPECT_EQ(p.File().FindClip(ToWide(byte)), clip) << code;

            EXPECT_EQ(p.CurrentFrame(decimal), 0);
            EXPECT_TRUE(p.GotoFrame(WideString(1, static_cast<wchar_t>(code)), 1));
            EXPECT_EQ(p.CurrentFrame(decimal), 1);
            EXPECT_TRUE(p.GotoFrame(decimal, 0));
        }
        EXPECT_EQ(p.File().FindClip(L"65")->aliases.front(), L"A");
    }
}

}  // namespace
