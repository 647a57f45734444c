#include "words/Main.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/win/KeyboardLayout.h"
#include "platform/win/Sound.h"
#include "words/MainData.h"

String ProgramDir;
String LaunchArgument;
String GameLanguage = "Ar";
int GameState = 0;
int StepX = 10, StepY = -10;
int CorrectCount = 0, WrongCount = 0;
int ResultTime = 0;
String StartText, StopText, PauseText, ResumeText;

TMainForm* MainForm = nullptr;

namespace {

const TColor EditGreen = 3385142;
const TColor BandNavy = 0x633D0F;    // the background's bands, RGB 15, 61, 99
const TColor CounterGold = 0x4AD8FF;  // RGB 255, 216, 74

void SetUpFont(TFont* font, const char* name, int height, TColor color, TFontStyles style = 0) {
    font->SetName(name);
    font->SetHeight(height);
    font->SetColor(color);
    font->SetStyle(style);
}

}  // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnKeyPress = [this](TObject* s, char& k) { FormKeyPress(s, k); };
}

void TMainForm::BuildLayout() {
    SetName("MainForm");
    SetCaption("لعبة الكلمات"_a);   // the name the task bar shows
    SetBorderStyle(bsNone);
    SetClientSize(792, 566);
    SetPosition(poScreenCenter);
    SetColor(BandNavy);

    MainImage = new TImage(this);
    MainImage->SetName("MainImage");
    MainImage->SetParent(this);
    MainImage->SetBounds(0, 0, 792, 566);
    MainImage->SetStretch(true);
    MainImage->Picture()->LoadFromBytes(embedded::MainImage);

    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetParent(this);
    Image1->SetBounds(355, 200, 81, 113);
    Image1->Picture()->LoadFromBytes(embedded::Image1);
    Image1->SetTransparent(true);

    KeyPanel = new TPanel(this);
    KeyPanel->SetName("KeyPanel");
    KeyPanel->SetParent(this);
    KeyPanel->SetBounds(0, 0, 89, 73);
    KeyPanel->SetVisible(false);

    CLabel = NewCounterLabel("CLabel", 30, 90, "");
    CPanel = NewCounterLabel("CPanel", 120, 70, "0");
    WLabel = NewCounterLabel("WLabel", 240, 90, "");
    WPanel = NewCounterLabel("WPanel", 330, 70, "0");
    ALabel = NewCounterLabel("ALabel", 450, 90, "");
    AccuracyPanel = NewCounterLabel("AccuracyPanel", 540, 70, "0%");
    for (TLabel* value : {CPanel, WPanel, AccuracyPanel}) {
        value->Font()->SetColor(CounterGold);
        value->SetAlignment(taRightJustify);
        value->SetShowHint(true);
    }

    WordLabel = new TLabel(this);
    WordLabel->SetName("WordLabel");
    WordLabel->SetParent(this);
    WordLabel->SetTransparent(true);
    WordLabel->SetShowAccelChar(false);
    SetUpFont(WordLabel->Font(), "Tahoma", -27, clWhite);
    WordLabel->SetBounds(340, 160, 100, 33);
    WordLabel->SetVisible(false);

    REdit = new TRichEdit(this);
    REdit->SetName("REdit");
    REdit->SetParent(this);
    REdit->SetBorderStyle(bsNone);
    REdit->SetBounds(305, 436, 181, 38);
    REdit->SetColor(EditGreen);
    SetUpFont(REdit->Font(), "Tahoma", -27, clBlack);
    REdit->SetWordWrap(false);
    REdit->SetReadOnly(true);
    REdit->SetVisible(false);
    REdit->OnEnter = [this](TObject* s) { REditEnter(s); };

    ResultLabel = new TLabel(this);
    ResultLabel->SetName("ResultLabel");
    ResultLabel->SetParent(this);
    ResultLabel->SetAutoSize(false);
    ResultLabel->SetBounds(-3, 250, 799, 65);
    ResultLabel->SetAlignment(taCenter);
    ResultLabel->SetLayout(tlCenter);
    ResultLabel->SetShowAccelChar(false);
    ResultLabel->SetColor(BandNavy);
    SetUpFont(ResultLabel->Font(), "Arial", -32, clWhite);
    ResultLabel->SetVisible(false);

    // on the plates of the background picture
    StartBtn = NewGameButton("StartBtn", 20, 160, [this](TObject* s) { StartBtnClick(s); });
    PauseBtn = NewGameButton("PauseBtn", 194, 220, [this](TObject* s) { PauseBtnClick(s); });
    LangBtn = NewGameButton("LangBtn", 428, 170, [this](TObject* s) { LangBtnClick(s); });
    CloseBtn = NewGameButton("CloseBtn", 612, 160, [this](TObject* s) { CloseBtnClick(s); });

    auto cornerButton = [this](const char* name, const char* caption, int left, TNotifyEvent onClick) {
        auto* button = new TButton(this);
        button->SetName(name);
        button->SetParent(this);
        button->SetCaption(caption);
        button->SetBounds(left, 15, 26, 26);
        button->SetTabStop(false);
        button->OnClick = std::move(onClick);
        return button;
    };
    MinBtn = cornerButton("MinBtn", "-", 726, [this](TObject* s) { MinBtnClick(s); });
    ExitBtn = cornerButton("ExitBtn", "X", 756, [this](TObject* s) { CloseBtnClick(s); });

    // out of sight, it holds the keyboard focus, so that every key reaches the game
    SpeedBtnBox = new TCheckBox(this);
    SpeedBtnBox->SetName("SpeedBtnBox");
    SpeedBtnBox->SetParent(this);
    SpeedBtnBox->SetBounds(-200, -200, 20, 20);
    SpeedBtnBox->SetChecked(true);
    SpeedBtnBox->SetTabStop(true);
    SpeedBtnBox->OnKeyPress = [this](TObject* s, char& k) { FormKeyPress(s, k); };
    SpeedBtnBox->OnClick = [this](TObject* s) { SpeedBtnBoxClick(s); };
    // it has the focus from the moment the form shows
    OnShow = [this](TObject*) { SetActiveControl(SpeedBtnBox); };

    ListWordsEn = std::make_unique<TStringList>();
    ListWordsEn->SetText(String(embedded::ListWordsEn));
    ListWordsAr = std::make_unique<TStringList>();
    ListWordsAr->SetText(String(embedded::ListWordsAr));

    auto timer = [this](const char* name, unsigned interval, TNotifyEvent onTimer) {
        auto* t = new TTimer(this);
        t->SetName(name);
        t->SetEnabled(false);
        t->SetInterval(interval);
        t->OnTimer = std::move(onTimer);
        return t;
    };
    KeyPosTimer = timer("KeyPosTimer", 100, [this](TObject* s) { KeyPosTimerTimer(s); });
    TimeOutTimer = timer("TimeOutTimer", 10000, [this](TObject* s) { TimeOutTimerTimer(s); });
    ResultsTimer = timer("ResultsTimer", 500, [this](TObject* s) { ResultsTimerTimer(s); });

    WinXP1 = new TWinXP(this);
    WinXP1->SetName("WinXP1");
}

TSimpleGButton* TMainForm::NewGameButton(const char* name, int left, int width, TNotifyEvent onClick) {
    auto* button = new TSimpleGButton(this);
    button->SetName(name);
    button->SetParent(this);
    button->SetBounds(left, 500, width, 52);
    SetUpFont(button->Font(), "Arial", -32, clBlack);
    button->SetShowHint(true);
    button->OnClick = std::move(onClick);
    button->OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) { StartBtnMouseMove(s, shift, x, y); };
    button->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        StartBtnMouseDown(s, b, shift, x, y);
    };
    button->OnMouseLeave = [this](TObject* s) { StartBtnMouseLeave(s); };
    return button;
}

TLabel* TMainForm::NewCounterLabel(const char* name, int left, int width, const String& caption) {
    auto* label = new TLabel(this);
    label->SetName(name);
    label->SetParent(this);
    label->SetAutoSize(false);
    label->SetTransparent(true);
    label->SetLayout(tlCenter);
    label->SetBounds(left, 12, width, 32);
    SetUpFont(label->Font(), "Arial", -24, clWhite, fsBold);
    label->SetCaption(caption);
    return label;
}

void TMainForm::FormCreate(TObject*) {
    ProgramDir = ExtractFilePath(ParamStr(0));
    LaunchArgument = ParamStr(1);
    GameLanguage = "Ar";
    GameState = 0;
    ApplyLanguage();
}

void TMainForm::FormActivate(TObject*) {}

void TMainForm::ApplyLanguage() {
    bool arabic = GameLanguage == "Ar";
    StopText = arabic ? "توقف"_a : "Stop";
    PauseText = arabic ? "توقف مؤقت"_a : "Pause";
    ResumeText = arabic ? "متابعة"_a : "Resume";
    StartText = arabic ? "إبدأ"_a : "Start";
    // the pause button tells what it will do, also when the language changes during a pause
    PauseBtn->SetCaption(GameState == 2 ? ResumeText : PauseText);
    CloseBtn->SetCaption(arabic ? "إغلاق"_a : "Close");
    CLabel->SetCaption(arabic ? "صح"_a : "C");
    WLabel->SetCaption(arabic ? "خطأ"_a : "W");
    ALabel->SetCaption(arabic ? "الدقة"_a : "Acc");
    LangBtn->SetCaption(arabic ? "إنجليزي"_a : "Arabic");
    ApplyReadingOrder();
    LoadAndActivateLayout(arabic ? ArabicLayoutName : EnglishLayoutName);
    StartBtn->SetCaption(GameState != 0 ? StopText : StartText);
    SetHints();
}

void TMainForm::ApplyReadingOrder() {
    bool arabic = GameLanguage == "Ar";
    REdit->SetBiDiMode(arabic ? bdRightToLeft : bdLeftToRight);
    int caret = REdit->SelStart();
    REdit->SelectAll();
    REdit->Paragraph()->SetRightToLeft(arabic);
    REdit->SetSelStart(caret);
    REdit->SetSelLength(0);
}

void TMainForm::SetHints() {
    bool arabic = GameLanguage == "Ar";
    CPanel->SetHint(arabic ? "عدد الأحرف الصحيحة"_a : "Correct Characters");
    WPanel->SetHint(arabic ? "عدد الأحرف الخطأ"_a : "Wrong Characters");
    AccuracyPanel->SetHint(arabic ? "الدقة"_a : "Accuracy");
    for (TSimpleGButton* button : {StartBtn, PauseBtn, CloseBtn, LangBtn}) button->SetHint(button->Caption());
}

TStringList* TMainForm::GameList() const { return (GameLanguage == "Ar" ? ListWordsAr : ListWordsEn).get(); }

void TMainForm::StartRound() {
    Randomize();
    StepX = 10;
    StepY = -10;
    CorrectCount = 0;
    WrongCount = 0;
    if (!NextWord()) return;   // a list without a word to type starts no round
    GameState = 1;
    CPanel->SetCaption("0");
    WPanel->SetCaption("0");
    AccuracyPanel->SetCaption("0%");
    StartBtn->SetCaption(StopText);
    StartBtn->SetHint(StartBtn->Caption());
    REdit->Show();
    WordLabel->Show();
    KeyPosTimer->SetEnabled(true);
    TimeOutTimer->SetEnabled(true);
}

bool TMainForm::NextWord() {
    TStrings* items = GameList();
    int count = items->Count();
    if (count == 0) return false;
    auto typeable = [](const String& w) { return !w.empty() && w.find(' ') == String::npos; };
    String word = Trim(items->Strings(Random(count)));
    for (int tries = 0; !typeable(word) && tries < 100; ++tries) word = Trim(items->Strings(Random(count)));
    // a list of blank items and phrases does not keep the game drawing for ever
    for (int i = 0, start = Random(count); !typeable(word) && i < count; ++i)
        word = Trim(items->Strings((start + i) % count));
    if (!typeable(word)) return false;

    KeyPanel->SetCaption(word);
    WordLabel->SetCaption(word);
    REdit->Clear();
    REdit->Font()->SetColor(clBlack);
    REdit->SelAttributes()->SetColor(clBlack);
    REdit->Lines()->SetText(word);
    ApplyReadingOrder();
    REdit->SetWidth(WordLabel->Width() + 2);
    REdit->SetLeft(Width() / 2 - REdit->Width() / 2);
    PlaceWord();
    return true;
}

void TMainForm::PlaceWord() {
    KeyPanel->SetLeft(-1000);
    KeyPanel->Hide();
    Application->ProcessMessages();
    KeyPanel->SetLeft(Random(Width() - KeyPanel->Width()));
    KeyPanel->SetTop(Random(Height() - KeyPanel->Height()));
    WordLabel->SetLeft(KeyPanel->Left());
    WordLabel->SetTop(KeyPanel->Top());
    Application->ProcessMessages();
}

void TMainForm::KeyPosTimerTimer(TObject*) {
    int l = WordLabel->Left(), t = WordLabel->Top(), w = WordLabel->Width(), h = WordLabel->Height();
    // across: the position before the step; up and down: the position after it
    if (Width() < l + w) StepX = -10;
    else if (l < 0) StepX = 10;
    if (Height() < t + StepY + h) StepY = -10;
    else if (t + StepY < 0) StepY = 10;
    l += StepX;
    t += StepY;
    WordLabel->SetBounds(l, t, w, h);
    Image1->SetBounds(l + w / 2 - StepX - Image1->Width() / 2, t + h - StepY, Image1->Width(), Image1->Height());
}

void TMainForm::FormKeyPress(TObject*, char& key) {
    // code page 1256 letters lie above 127: the comparison is on the byte's value
    if (KeyPosTimer->Enabled() && static_cast<unsigned char>(key) > 32) HandleKey(key);
}

void TMainForm::TimeOutTimerTimer(TObject*) {
    CountWrong();
    HandleKey(0);
}

void TMainForm::HandleKey(char ch) {
    KeyPosTimer->SetEnabled(false);
    TimeOutTimer->SetEnabled(false);
    if (ch != 0) {
        String word = WordLabel->Caption();
        char first = word.empty() ? 0 : word[0];
        WordLabel->SetCaption(word.empty() ? word : word.substr(1));
        if (ch == first) CountCorrect();
        else CountWrong();
    }
    if (ch == 0 || WordLabel->Caption().empty()) {
        if (!NextWord()) {
            StopBtnClick(this);
            return;
        }
    }
    // the time-out counts again from this key
    KeyPosTimer->SetEnabled(true);
    TimeOutTimer->SetEnabled(true);
    if (CorrectCount + WrongCount >= RoundLetters) EndRound();
}

void TMainForm::PlayEffect(const char* name) { PlaySoundFile(ProgramDir + "\\Effects\\" + name + ".wav"); }

void TMainForm::CountCorrect() {
    PlayEffect("KeyPress");
    ++CorrectCount;
    ShowCounts();
    MarkLetter(clBlue);
}

void TMainForm::CountWrong() {
    PlayEffect("WrongChar");
    ++WrongCount;
    ShowCounts();
    MarkLetter(clRed);
}

int TMainForm::Accuracy() const {
    int letters = CorrectCount + WrongCount;
    return letters == 0 ? 0 : static_cast<int>(Round(static_cast<long double>(CorrectCount) / letters * 100));
}

// Every counted letter, time-outs too, shows in the accuracy the round is judged by.
void TMainForm::ShowCounts() {
    CPanel->SetCaption(IntToStr(CorrectCount));
    WPanel->SetCaption(IntToStr(WrongCount));
    AccuracyPanel->SetCaption(IntToStr(Accuracy()) + "%");
}

void TMainForm::MarkLetter(TColor color) {
    int p = static_cast<int>(REdit->Lines()->Strings(0).size()) - static_cast<int>(WordLabel->Caption().size()) - 1;
    if (p < 0) return;   // a time-out before the word's first key: no letter to mark
    REdit->SetSelStart(p);
    REdit->SetSelLength(1);
    REdit->SelAttributes()->SetColor(color);
    REdit->SetSelStart(p + 1);
    REdit->SetSelLength(0);
}

void TMainForm::EndRound() {
    StartBtn->Click();   // stops the round
    ResultTime = 0;
    ResultLabel->SetCaption(ResultSentence(Accuracy(), GameLanguage));
    ResultLabel->Show();
    ResultsTimer->SetEnabled(true);
}

String TMainForm::ResultSentence(int accuracy, const String& language) {
    bool arabic = language == "Ar";
    if (accuracy > 90)
        return arabic ? "تهانينا, لقد أنجزت عملاً رائعاً"_a : "Congratulation, you were excellent in this exercise.";
    if (accuracy > 80)
        return arabic ? "تهانينا لقد أنجزت التمرين بشكل جيد"_a : "Congratulation, you did well in this exercise.";
    if (accuracy > 60) return arabic ? "جيد, لكن عليك أن تتدرب أكثر"_a : "Good, but you have to practice more.";
    if (accuracy > 40)
        return arabic ? "أنت تحاول أن تصل إلى نتيجة جيدة. أعد المحاولة مرة أخرى"_a
                      : "You are attempting to reach a good result ..repeat.";
    return arabic ? "عمل غير جيد, عليك أن تتدرب أكثر"_a : "Not good, you should practice more.";
}

void TMainForm::ResultsTimerTimer(TObject*) {
    ResultTime += static_cast<int>(ResultsTimer->Interval());
    TColor color = ResultLabel->Font()->Color();
    TColor next = color == clWhite ? clRed : color == clRed ? clYellow : color == clYellow ? clBlack : clWhite;
    ResultLabel->Font()->SetColor(next);
    Application->ProcessMessages();
    if (ResultTime > 9999) {
        ResultsTimer->SetEnabled(false);
        ResultLabel->Hide();
    }
}

void TMainForm::StartBtnClick(TObject* sender) {
    if (!ResultLabel->Visible()) {
        if (GameState == 0) StartRound();
        else StopBtnClick(sender);
    }
    FocusKeys();
}

void TMainForm::StopBtnClick(TObject*) {
    GameState = 0;
    KeyPosTimer->SetEnabled(false);
    TimeOutTimer->SetEnabled(false);
    REdit->Hide();
    WordLabel->Hide();
    PauseBtn->SetCaption(PauseText);
    PauseBtn->SetHint(PauseBtn->Caption());
    StartBtn->SetCaption(StartText);
    StartBtn->SetHint(StartBtn->Caption());
    FocusKeys();
}

void TMainForm::PauseBtnClick(TObject*) {
    if (ResultLabel->Visible()) return;
    if (GameState == 1) {
        KeyPosTimer->SetEnabled(false);
        TimeOutTimer->SetEnabled(false);
        GameState = 2;
        PauseBtn->SetCaption(ResumeText);
    } else if (GameState == 2) {
        KeyPosTimer->SetEnabled(true);
        TimeOutTimer->SetEnabled(true);
        GameState = 1;
        PauseBtn->SetCaption(PauseText);
    }
    PauseBtn->SetHint(PauseBtn->Caption());
    FocusKeys();
}

void TMainForm::LangBtnClick(TObject*) {
    GameLanguage = GameLanguage == "Ar" ? "En" : "Ar";
    ApplyLanguage();
    FocusKeys();
}

// A minimised game is a paused one: the word waits, and no time-out counts while it is away.
void TMainForm::MinBtnClick(TObject*) {
    if (GameState == 1) PauseBtnClick(PauseBtn);
    Application->Minimize();
}

void TMainForm::CloseBtnClick(TObject*) { Close(); }

void TMainForm::StartBtnMouseMove(TObject* sender, TShiftState, int, int) {
    static_cast<TControl*>(sender)->Font()->SetColor(clRed);
}

void TMainForm::StartBtnMouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
    static_cast<TControl*>(sender)->Font()->SetColor(clYellow);
}

void TMainForm::StartBtnMouseLeave(TObject* sender) { static_cast<TControl*>(sender)->Font()->SetColor(clBlack); }

void TMainForm::REditEnter(TObject*) { FocusKeys(); }

void TMainForm::SpeedBtnBoxClick(TObject*) { SpeedBtnBox->SetChecked(true); }

void TMainForm::FocusKeys() {
    if (SpeedBtnBox->CanFocus()) SpeedBtnBox->SetFocus();
}
