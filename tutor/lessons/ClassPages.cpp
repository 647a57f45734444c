// The lesson form's pages: the lesson's page file in LessonTable, the page shown in the page view
// with its sound, and moving between pages and lessons.
#include <algorithm>
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/lessons/LessonsUnit.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MessageUnit.h"

namespace {

// A page file the table can show: it can be read, and its header names the page body.
bool IsPageFile(const String& path) {
    if (!FileExists(path)) return false;
    TStringList lines;
    try {
        lines.LoadFromFile(path);
    } catch (const Exception&) {
        return false;
    }
    if (lines.Count() == 0) return false;
    const String& header = lines[0];
    for (std::size_t start = 0; start <= header.size();) {
        std::size_t end = header.find(',', start);
        if (end == String::npos) end = header.size();
        if (SameText(header.substr(start, end - start), "data")) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

String TClassForm::LessonFile(int lesson) const {
    return AppDir + "\\data\\" + TypingLanguage + "Less\\" + TypingLanguage + "Less" + IntToStr(lesson) + ".txt";
}

String TClassForm::PageSoundFile() const {
    return CDDir + "\\data\\" + TypingLanguage + "Snd\\" + LessonTable->FieldByName("char")->AsString() + ".wav";
}

bool TClassForm::LoadLessonFile(int lesson) {
    if (lesson < 1 || !IsPageFile(LessonFile(lesson))) return false;
    LessonTable->TextDelimiter = ',';
    LessonTable->LoadFromDelimitedFile(LessonFile(lesson));
    LessonTable->Open();
    FLoadedLesson = lesson;
    return true;
}

// Outward from the lesson, the lower neighbour first; lessons past the list's last are looked
// for from that last one down.
int TClassForm::OpenNearestLesson(int lesson) {
    if (LoadLessonFile(lesson)) return lesson;
    const int last = std::max(LessonsForm->LessonsListBox->Items()->Count(), 1);
    const int from = std::clamp(lesson, 1, last);
    if (from != lesson && LoadLessonFile(from)) return from;
    for (int d = 1; d < last; ++d) {
        if (from - d >= 1 && LoadLessonFile(from - d)) return from - d;
        if (from + d <= last && LoadLessonFile(from + d)) return from + d;
    }
    return 0;
}

void TClassForm::OpenCurrentLesson() {
    Returning = false;
    // set first: a message shown while loading activates the form again
    LessonReady = true;
    StopPracticeClock();
    Panel2->SetVisible(false);
    RichView1->SetVisible(false);
    RichView2->SetVisible(false);
    WebView->SetUnkParent(PageSink);
    WebView->SetBaseDir(AppDir);
    WebView->SetTextOrient(TypingLanguage != "A" ? TTextOrient::LTR : TTextOrient::RTL);
    Application->ProcessMessages();
    SetUpKeyboard();
    ApplyCaptions();
    OpenLesson();
    Label1->SetCaption("");
    Label2->SetCaption("");
    Application->ProcessMessages();
    // a later activation tries again when no lesson could be opened
    if (FLoadedLesson == 0) LessonReady = false;
}

void TClassForm::OpenLesson() {
    const int wanted = CurrentLesson;
    FLoadedLesson = 0;
    const int opened = OpenNearestLesson(wanted);
    const bool english = InterfaceLanguage != "A";
    if (opened == 0) {
        LessonTable->Close();
        WebView->ClearPage();
        SetPageButtons(false, false);
        ShowMessageText((english ? String("No lesson could be opened from ") : "تعذر فتح أي درس من "_a) +
                        ExtractFilePath(LessonFile(1)));
        return;
    }
    CurrentLesson = opened;
    SelectInLessonList(opened);
    ShowLessonPage();
    if (opened != wanted) {
        ShowMessageText(english ? "Lesson " + IntToStr(wanted) + " could not be opened; lesson " + IntToStr(opened) +
                                      " is shown instead."
                                : "تعذر فتح الدرس "_a + IntToStr(wanted) + "، ويعرض الدرس "_a + IntToStr(opened) +
                                      " بدلا منه"_a);
    }
}

void TClassForm::ShowLessonPage() {
    const bool english = InterfaceLanguage != "A";
    Label3->SetCaption(LessonTitle("Lesson"));
    Application->ProcessMessages();
    Panel2->SetVisible(false);
    RichView1->SetVisible(false);
    ClearKeyMarks();
    Panel1->SetVisible(true);
    WebView->SetVisible(true);
    const bool open = LessonTable->Active();
    PageHtml = open && !LessonTable->IsEmpty() ? LessonTable->FieldByName("Data")->AsString() : String();
    // in this order, so that a size 6 becomes 5 and a size 5 becomes 4
    PageHtml = StringReplace(PageHtml, "size=\"5\"", "size=\"4\"", rfReplaceAll | rfIgnoreCase);
    PageHtml = StringReplace(PageHtml, "size=\"6\"", "size=\"5\"", rfReplaceAll | rfIgnoreCase);
    if (!open || LessonTable->Eof() || PageHtml.empty()) {
        ShowMessageText((english ? String("You Should Start With The Exam Of Lesson ") : "عليك البدء في تمرين الدرس  "_a) +
                        IntToStr(CurrentLesson));
    } else {
        PageHtml = "<html><head><META HTTP-EQUIV=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2, Transition=23)\">"
                   "</head>" + PageHtml;
        WebView->SetBaseDir(AppDir);
        Application->ProcessMessages();
        WebView->LoadViaStream(PageHtml);
        OpenPageSound();
    }
    const int count = open ? LessonTable->RecordCount() : 0;
    const int r = open ? LessonTable->RecNo() : 0;
    if (count <= 1) SetPageButtons(false, false);
    else if (r == count) SetPageButtons(false, true);
    else if (r == 1) SetPageButtons(true, false);
    else SetPageButtons(true, true);
}

void TClassForm::SetPageButtons(bool nextOn, bool prevOn) {
    StartButton->SetEnabled(nextOn);
    StartButton->SetDown(nextOn);
    PrevButton->SetEnabled(prevOn);
    PrevButton->SetDown(prevOn);
}

void TClassForm::StartButtonClick(TObject*) {
    // past the last page the table stays on it and reports its end
    if (LessonTable->Active()) LessonTable->Next();
    ShowLessonPage();
}

void TClassForm::PrevButtonClick(TObject*) {
    if (LessonTable->Active()) LessonTable->Prior();
    ShowLessonPage();
}

void TClassForm::SelectInLessonList(int lesson) {
    TListBox* list = LessonsForm->LessonsListBox;
    if (lesson >= 1 && lesson <= list->Items()->Count()) list->SetItemIndex(lesson - 1);
}

// A load that never reports its end holds the lesson commands back only for a while.
bool TClassForm::PageLoadSettled() const {
    return PageLoaded || rtl::GetTickCount() - FPageLoadStart >= PageLoadWaitMs;
}

void TClassForm::ChangeLesson(int lesson) {
    PageLoaded = false;
    FPageLoadStart = rtl::GetTickCount();
    CurrentLesson = lesson;
    SelectInLessonList(lesson);
    LoadLessonFile(lesson);
    ShowLessonPage();
}

void TClassForm::NextLessButtonClick(TObject*) {
    if (!PageLoadSettled()) return;
    if (IsPageFile(LessonFile(CurrentLesson + 1))) {
        ChangeLesson(CurrentLesson + 1);
        return;
    }
    const bool english = InterfaceLanguage != "A";
    MessageForm->Label1->SetCaption(english ? String("Congratulation, You finish from lessons")
                                            : "تهانينا لقد انتهيت من الدروس ...."_a);
    MessageForm->Label2->SetCaption(english ? String("Now move to Speed Exercise or games")
                                            : "يمكنك الانتقال الى تمرين السرعة أو الألعاب"_a);
    ShowMessageLines();
}

void TClassForm::PrevLessButtonClick(TObject*) {
    if (!PageLoadSettled()) return;
    if (IsPageFile(LessonFile(CurrentLesson - 1))) {
        ChangeLesson(CurrentLesson - 1);
        return;
    }
    ShowMessageText(InterfaceLanguage != "A" ? String("............ You should start lesson number one")
                                             : "عليك البدء من الدرس الاول .............."_a);
}

void TClassForm::ReloadLesson() {
    SelectInLessonList(CurrentLesson);
    OpenLesson();
}

void TClassForm::WebViewDownloadComplete(TObject*) { PageLoaded = true; }

// Page sounds are skipped without a word when their file is missing or the system cannot play
// them, as every sound of the program is.
void TClassForm::OpenPageSound() {
    try {
        if (MediaPlayer->Opened() && MediaPlayer->Mode() == mpPlaying) MediaPlayer->Stop();
        MediaPlayer->Close();
        MediaPlayer->FileName = PageSoundFile();
        if (FileExists(MediaPlayer->FileName)) MediaPlayer->Open();
    } catch (const EMCIDeviceError&) {
    }
}

void TClassForm::PlayPageSound() {
    if (!FileExists(MediaPlayer->FileName)) return;
    try {
        if (!MediaPlayer->Opened()) MediaPlayer->Open();
        MediaPlayer->Play();
    } catch (const EMCIDeviceError&) {
    }
}

void TClassForm::PausePageSound() {
    if (!MediaPlayer->Opened() || !FileExists(MediaPlayer->FileName)) return;
    try {
        if (MediaPlayer->Mode() == mpPlaying || MediaPlayer->Mode() == mpPaused) MediaPlayer->Pause();
    } catch (const EMCIDeviceError&) {
    }
}

void TClassForm::StopPageSound() {
    if (!MediaPlayer->Opened() || !FileExists(MediaPlayer->FileName)) return;
    try {
        if (MediaPlayer->Mode() == mpPlaying || MediaPlayer->Mode() == mpPaused) MediaPlayer->Stop();
    } catch (const EMCIDeviceError&) {
    }
}

void TClassForm::MediaPlayerNotify(TObject*) {
    try {
        if (MediaPlayer->Opened() && MediaPlayer->Mode() == mpStopped) MediaPlayer->SetPosition(0);
    } catch (const EMCIDeviceError&) {
    }
}
