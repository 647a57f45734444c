// The summary page: the averages of the run, the sentence that tells them with its values
// highlighted, and the goal bar that sets them against the learner's goal.
#include <algorithm>
#include "platform/rtl/SysUtils.h"
#include "tutor/lessons/RunResults.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/results/Results.h"

namespace {

constexpr TColor PanelColor = 0xFFE2AE;     // the panels' pale blue
constexpr TColor GoalColor = 0xBBBB00;
constexpr TColor WpmColor = 0x2F2FFF;
constexpr TColor AwpmColor = 0xC89191;
constexpr int BarHeight = 150, BarWidth = 64, BarTop = 34, BarLeft = 219;

TLabel* NewLabel(TComponent* owner, TWinControl* parent, const char* name) {
    auto* label = new TLabel(owner);
    label->SetName(name);
    label->SetParent(parent);
    return label;
}

// A block of colour of the goal bar; its height is set at each activation.
TLabel* NewBar(TComponent* owner, TWinControl* parent, const char* name, TColor color, TAlign align) {
    TLabel* bar = NewLabel(owner, parent, name);
    bar->SetAutoSize(false);
    bar->SetCaption("");
    bar->SetColor(color);
    bar->SetTransparent(false);
    bar->SetHeight(0);
    bar->SetAlign(align);
    return bar;
}

int Average(const TStringList& list) {
    long long sum = 0;
    for (int i = 0; i < list.Count(); ++i) sum += TRunResults::LineValue(list, i);
    return list.Count() > 0 ? static_cast<int>(sum / list.Count()) : 0;
}

}  // namespace

void TResultsForm::BuildSummaryPage(TWinControl* page) {
    rEdit = new TRichEdit(this);
    rEdit->SetName("rEdit");
    rEdit->SetParent(page);
    rEdit->SetBounds(10, 10, 502, 196);
    rEdit->SetBorderStyle(bsNone);
    rEdit->SetColor(PanelColor);
    rEdit->SetReadOnly(true);
    rEdit->SetScrollBars(ssNone);
    rEdit->Font()->SetName("Arial");
    rEdit->Font()->SetCharset(ARABIC_CHARSET);
    rEdit->Font()->SetStyle(fsBold);
    rEdit->OnEnter = [this](TObject* s) { rEditEnter(s); };
    rEdit->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { rEditMouseDown(s, b, sh, x, y); };

    Panel4 = new TPanel(this);
    Panel4->SetName("Panel4");
    Panel4->SetParent(page);
    Panel4->SetBounds(10, 216, 502, 218);
    Panel4->SetBevelOuter(bvNone);
    Panel4->SetColor(PanelColor);
    Panel4->SetCaption("");

    // the scale beside the bar, top to bottom; a mark's dash points at the bar
    TLabel** scale[] = {&Label_100, &Label_75, &Label_50, &Label_25, &Label_0};
    const char* scaleNames[] = {"Label_100", "Label_75", "Label_50", "Label_25", "Label_0"};
    for (int k = 0; k < 5; ++k) {
        TLabel* mark = NewLabel(this, Panel4, scaleNames[k]);
        mark->SetAutoSize(false);
        mark->SetParentBiDiMode(false);
        mark->SetBiDiMode(bdLeftToRight);
        mark->SetAlignment(taRightJustify);
        mark->SetLayout(tlCenter);
        mark->Font()->SetStyle(fsBold);
        mark->Font()->SetHeight(-15);
        mark->SetCaption("0");
        mark->SetBounds(BarLeft - 76, BarTop + k * BarHeight / 4 - 10, 72, 20);
        *scale[k] = mark;
    }
    struct Legend { TLabel** label; const char* name; TColor color; };
    const Legend legends[] = {{&GoalLabel2, "GoalLabel2", GoalColor}, {&WPMLabel2, "WPMLabel2", WpmColor},
                              {&AWPMLabel2, "AWPMLabel2", AwpmColor}};
    int top = BarTop + 14;
    for (const Legend& l : legends) {
        TLabel* label = NewLabel(this, Panel4, l.name);
        label->SetAutoSize(false);
        label->SetLayout(tlCenter);
        label->Font()->SetStyle(fsBold);
        label->Font()->SetHeight(-20);
        label->Font()->SetColor(l.color);
        label->SetBounds(BarLeft + BarWidth + 18, top, 180, 28);
        *l.label = label;
        top += 40;
    }

    SummaryPanel = new TPanel(this);
    SummaryPanel->SetName("SummaryPanel");
    SummaryPanel->SetParent(Panel4);
    SummaryPanel->SetBevelOuter(bvNone);
    SummaryPanel->SetCaption("");
    SummaryPanel->SetBounds(BarLeft, BarTop, BarWidth, BarHeight);
    // stacked from the foot: the adjusted speed, the speed over it, the goal in what is left
    AWPMLabel = NewBar(this, SummaryPanel, "AWPMLabel", AwpmColor, alBottom);
    WPMLabel = NewBar(this, SummaryPanel, "WPMLabel", WpmColor, alBottom);
    GoalLabel = NewBar(this, SummaryPanel, "GoalLabel", GoalColor, alClient);
}

void TResultsForm::ComputeAverages() {
    TRunResults& r = RunResults;
    r.LastWpm = Average(r.WpmHistory);
    r.LastAwpm = Average(r.AwpmHistory);
    r.LastAccuracy = Average(r.AccuracyHistory);
    long long seconds = 0;
    for (int i = 0; i < r.SecondsHistory.Count(); ++i) seconds += TRunResults::LineValue(r.SecondsHistory, i);
    r.TypingTicks = static_cast<int>(seconds);
}

// The sentence says training in the program: the lesson practices are training too.
int TResultsForm::TrainingSeconds() const { return RunResults.TypingTicks + RunResults.TotalTypingSeconds; }

namespace {

// The eight values the sentence tells, as text: averages, the training time in hours, minutes
// and seconds, the share of the goal reached (none without a goal) and the goal.
struct TSummaryValues {
    String w, a, aw, h, m, s, p, g;
};

TSummaryValues SummaryValues(int seconds) {
    const TRunResults& r = RunResults;
    const long long share = UserGoal > 0 ? Round(static_cast<long double>(r.LastWpm) / UserGoal * 100) : 0;
    return {IntToStr(r.LastWpm), IntToStr(r.LastAccuracy), IntToStr(r.LastAwpm), IntToStr(seconds / 3600),
            IntToStr(seconds % 3600 / 60), IntToStr(seconds % 60), IntToStr(share), IntToStr(UserGoal)};
}

}  // namespace

void TResultsForm::ShowSummaryEnglish() {
    const TSummaryValues v = SummaryValues(TrainingSeconds());
    rEdit->SetBiDiMode(bdLeftToRight);
    rEdit->Font()->SetSize(12);
    ShowSummary("...Your current average typing speed is " + v.w + " WPM with accuracy " + v.a + "% " +
                    ", in an Adjusted Word Per Minute(AWPM) of " + v.aw + "\r\n\r\n" + "After " + v.h + " hour(s), " +
                    v.m + " minute(s) and " + v.s + " Seconds of training in Tapwise" + ", you have attained " + v.p +
                    "% of your goal of " + v.g + " Word Per Minute.",
                {{"is ", v.w}, {"accuracy ", v.a}, {"of ", v.aw}, {"After ", v.h}, {"(s), ", v.m}, {"(s) and ", v.s},
                 {"attained ", v.p}, {"goal of ", v.g}});
}

void TResultsForm::ShowSummaryArabic() {
    const TSummaryValues v = SummaryValues(TrainingSeconds());
    rEdit->Font()->SetSize(13);
    ShowSummary("المعدل الحالي لسرعتك في الطباعة هو "_a + v.w + " ك.ف.د."_a + "بدقة "_a + v.a + "% " +
                    ", بمعدل كلمات صحيحة في الدقيقة هو "_a + v.aw + " ك.ص.ف.د."_a + "\r\n\r\n" + "بعد "_a + v.h +
                    " ساعة، "_a + v.m + " دقيقة و "_a + v.s + " ثانية "_a + "من التدريب على برنامج Tapwise, لقد أنجزت "_a +
                    v.p + "% من هدفك المحدد وهو "_a + v.g + " كلمة في الدقيقة."_a,
                {{"الطباعة هو "_a, v.w}, {"بدقة "_a, v.a}, {"الدقيقة هو "_a, v.aw}, {"بعد "_a, v.h}, {"ساعة، "_a, v.m},
                 {"دقيقة و "_a, v.s}, {"أنجزت "_a, v.p}, {"المحدد وهو "_a, v.g}});
}

void TResultsForm::ShowSummary(const String& text, const std::vector<std::pair<String, String>>& values) {
    rEdit->SetReadOnly(false);
    rEdit->Lines()->SetText(text);
    for (const auto& [prefix, value] : values) HighlightValue(prefix, value);
    rEdit->SetReadOnly(true);
    if (ButtonsPanel->CanFocus()) ButtonsPanel->SetFocus();
}

// The value after its prefix, and the character after it (a blank or the per cent sign), in red
// bold; positions count each line break as its two characters, as the window does.
void TResultsForm::HighlightValue(const String& prefix, const String& value) {
    const String shown = FromWide(rEdit->WindowText(false));
    const size_t at = shown.find(prefix + value);
    if (at == String::npos) return;
    rEdit->SetSelStart(static_cast<int>(at + prefix.size()));
    rEdit->SetSelLength(static_cast<int>(value.size()) + 1);
    rEdit->SelAttributes()->SetColor(clRed);
    rEdit->SelAttributes()->SetStyle(fsBold);
}

// The scale follows the goal; the bars are the averages' shares of it, the adjusted speed at the
// foot and the speed over it. A bar beyond the goal is cut at the panel's top; no goal, no bars.
void TResultsForm::ShowGoalBar() {
    const int g = UserGoal;
    auto mark = [g](int percent) { return IntToStr(Round(static_cast<long double>(g) * percent / 100)) + "-"; };
    Label_100->SetCaption(IntToStr(g) + "-");
    Label_75->SetCaption(mark(75));
    Label_50->SetCaption(mark(50));
    Label_25->SetCaption(mark(25));
    const int full = SummaryPanel->Height();
    int awpm = 0, wpm = 0;
    if (g > 0) {
        awpm = static_cast<int>(Round(static_cast<long double>(RunResults.LastAwpm) / g * full));
        awpm = std::clamp(awpm, 0, full);
        wpm = static_cast<int>(Round(static_cast<long double>(RunResults.LastWpm) / g * full - awpm));
        wpm = std::clamp(wpm, 0, full - awpm);
    }
    AWPMLabel->SetHeight(awpm);
    AWPMLabel->SetVisible(awpm > 0);
    WPMLabel->SetHeight(wpm);
    WPMLabel->SetVisible(wpm > 0);
}

void TResultsForm::rEditEnter(TObject*) {
    if (ButtonsPanel->CanFocus()) ButtonsPanel->SetFocus();
}

void TResultsForm::rEditMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    if (ButtonsPanel->CanFocus()) ButtonsPanel->SetFocus();
}
