// Every screen, in both interface languages, as the learner sees it: each control meant to be
// seen or used is the window found at its centre and stays clear of the movie's buttons, texts
// and lines; the movie's own buttons stay clear of each other. A new screen is one line of the
// table below.
#include <gtest/gtest.h>
#include <functional>
#include "tutor/testing/ScreenLayout.h"
#include "tutor/testing/TutorFixture.h"

using namespace tutor_testing;

namespace {

struct ScreenCase {
    const char* name;
    std::function<TForm*()> form;
    // How the learner reaches it; empty: the form is shown modally from the main menu.
    std::function<void()> open = nullptr;
    std::set<String> underMovie = {};   // controls other than command targets that lie under it on purpose
};

const ScreenCase Screens[] = {
    // the wallpaper component draws nothing
    {"main menu", [] { return MainFrm; }, [] { MainFrm->LanguageButtonClick(InterfaceLanguage); }, {"WallPaper1"}},
    {"message", [] { return MessageForm; }, [] { MainFrm->ShowMessageText("Tapwise"); }},
    {"options", [] { return OptionForm; }},
    {"about", [] { return Aboutform; }},
    // each picture shows through the transparent button over it
    {"games", [] { return GameForm; }, nullptr,
     {"NumbersImage", "WordsImage", "FizzleImage", "LettersImage", "FrogImage", "SpeedImage", "RaceImage"}},
    // the page commands' graphic buttons lie under the movie's own
    {"results", [] { return ResultsForm; }, nullptr, {"ButtonsPanel"}},
    {"lessons", [] { return ClassForm; }},
    {"lesson list", [] { return LessonsForm; }},
    {"beginner", [] { return BeginnerForm; }},
    {"placement test", [] { return LevelForm; }},
    {"speed test", [] { return SpeedForm; }},
};

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += "\n  " + l;
    return out;
}

struct ScreenLayoutTest : TutorFixture {
    // The shipped movies, so that their buttons, texts and lines are where the learner sees them.
    void CopyShippedMovies() {
        WIN32_FIND_DATAW found;
        const String folder = testing_support::SourcePath("..\\data\\interface");
        HANDLE search = FindFirstFileW(ToWide(folder + "\\*.swf").c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE);
        do {
            String name = FromWide(found.cFileName);
            Dir.Write("Data\\interface\\" + name, ReadBytes(folder + "\\" + name));
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::vector<std::string> Check(TForm* form, const ScreenCase& screen) {
        // above any window another test process may show on the same display
        SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        App->ProcessMessages();
        std::vector<std::string> faults = LayoutFaults(form, screen.underMovie);
        SetWindowPos(form->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return faults;
    }
};

TEST_F(ScreenLayoutTest, EveryControlOfEveryScreenIsSeenAndClearOfTheMovie) {
    CopyShippedMovies();
    WriteUserStore();
    Start();
    MainFrm->SetLeft((Screen->Width() - MainFrm->Width()) / 2);
    MainFrm->SetTop((Screen->Height() - MainFrm->Height()) / 2);
    for (const char* language : {"A", "E"}) {
        for (const ScreenCase& screen : Screens) {
            SCOPED_TRACE(std::string(screen.name) + ", interface " + language);
            InterfaceLanguage = language;
            TForm* form = screen.form();
            std::vector<std::string> faults;
            bool checked = false;
            WhenShown[form] = [&] {
                faults = Check(form, screen);
                checked = true;
                form->Close();
            };
            if (screen.open) screen.open();
            else form->ShowModal();
            if (form == MainFrm) {
                faults = Check(form, screen);
                checked = true;
            }
            WhenShown.erase(form);
            EXPECT_TRUE(checked);
            EXPECT_TRUE(faults.empty()) << Join(faults);
        }
    }
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
