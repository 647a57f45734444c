#pragma once
// The results of the run on four pages: a summary sentence with the goal bar, the keyboard
// with each key coloured by how well it was typed, a table with a row per finished test, and a
// bar chart of goal, speed and adjusted speed per test. Everything shown is worked out afresh
// from the result lists each time the screen becomes active.
// Results.cpp: layout, activation, pages, captions and commands; ResultsSummary.cpp: averages,
// sentence and goal bar; ResultsKeys.cpp: the keyboards; ResultsProgress.cpp: table and chart.
#include <array>
#include <vector>
#include "controls/SimpleGButton.h"
#include "controls/WinXP.h"
#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/BitBtn.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Notebook.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RichEdit.h"
#include "platform/ui/SpeedButton.h"
#include "platform/ui/StringGrid.h"

class TResultsForm : public TForm {
public:
    explicit TResultsForm(TComponent* owner);

    bool FirstVisit = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    // The page commands, reached through the movie's buttons over them.
    TPanel* ButtonsPanel = nullptr;
    TSimpleGButton* ExitBtn = nullptr;
    TSimpleGButton* SummaryBtn = nullptr;
    TSimpleGButton* ProficiencyBtn = nullptr;
    TSimpleGButton* ProgressBtn = nullptr;
    TSimpleGButton* GraphicBtn = nullptr;
    TButton* PlayAgentBtn = nullptr;
    TWinXP* WinXP1 = nullptr;

    TNotebook* ResultsNote = nullptr;

    // Page 0: the summary sentence and the goal bar.
    TRichEdit* rEdit = nullptr;
    TPanel* Panel4 = nullptr;
    TLabel* Label_100 = nullptr;
    TLabel* Label_75 = nullptr;
    TLabel* Label_50 = nullptr;
    TLabel* Label_25 = nullptr;
    TLabel* Label_0 = nullptr;
    TLabel* GoalLabel2 = nullptr;
    TLabel* WPMLabel2 = nullptr;
    TLabel* AWPMLabel2 = nullptr;
    TPanel* SummaryPanel = nullptr;
    TLabel* GoalLabel = nullptr;    // the goal: what the two bars leave of the panel
    TLabel* WPMLabel = nullptr;     // the average speed, over the adjusted speed
    TLabel* AWPMLabel = nullptr;    // the average adjusted speed, at the foot

    // Page 1: the keyboards, without and with Shift, of the Arabic and of the US layout.
    TPanel* KeysPanelAr = nullptr;
    TPanel* KeysPanelAr2 = nullptr;
    TPanel* KeysPanelEn = nullptr;
    TPanel* KeysPanelEn2 = nullptr;
    TImage* KeysImageAr = nullptr;
    TImage* KeysImageAr2 = nullptr;
    TImage* KeysImageEn = nullptr;
    TImage* KeysImageEn2 = nullptr;
    TLabel* PracticeKeyLabel = nullptr;
    TLabel* AdequateKeyLabel = nullptr;
    TLabel* WellKeyLabel = nullptr;
    TSimpleGButton* ShiftRArBtn = nullptr;
    TSimpleGButton* ShiftLArBtn = nullptr;
    TSimpleGButton* ShiftRAr2Btn = nullptr;
    TSimpleGButton* ShiftLAr2Btn = nullptr;
    TSimpleGButton* ShiftREnBtn = nullptr;
    TSimpleGButton* ShiftLEnBtn = nullptr;
    TSimpleGButton* ShiftREn2Btn = nullptr;
    TSimpleGButton* ShiftLEn2Btn = nullptr;

    // Page 2: a row per finished test.
    TStringGrid* ResultsList = nullptr;

    // Page 3: the chart and its scroll and zoom buttons.
    TChart* TheChart = nullptr;
    TBarSeries* Series5 = nullptr;   // the goal
    TBarSeries* Series7 = nullptr;   // words per minute
    TBarSeries* Series6 = nullptr;   // adjusted words per minute
    TPanel* Panel2 = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TSpeedButton* SpeedButton2 = nullptr;
    TSpeedButton* SpeedButton3 = nullptr;
    TSpeedButton* SpeedButton4 = nullptr;
    TBitBtn* ZoomInBtn = nullptr;
    TBitBtn* ZoomOutBtn = nullptr;
    TButton* ResetZoomBtn = nullptr;

    // The key labels of a keyboard panel, in the panel's order.
    std::vector<TLabel*> KeyLabels(TPanel* panel) const;
    // The keyboard of the typing language: what the learner typed.
    TPanel* TypedKeysPanel() const;
    TPanel* TypedKeysPanel2() const;
    // Seconds of training the summary names: the tests', and the lesson practices'.
    int TrainingSeconds() const;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void rEditEnter(TObject* sender);
    void rEditMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ShiftREnBtnClick(TObject* sender);
    void ShiftREn2BtnClick(TObject* sender);
    void ShiftLArBtnClick(TObject* sender);
    void ShiftRAr2BtnClick(TObject* sender);
    void ShiftLEnBtnMouseEnter(TObject* sender);
    void ShiftLEnBtnMouseLeave(TObject* sender);
    void SummaryBtnClick(TObject* sender);
    void ProficiencyBtnClick(TObject* sender);
    void ProgressBtnClick(TObject* sender);
    void GraphicBtnClick(TObject* sender);
    void ExitBtnClick(TObject* sender);
    void ExitBtnMouseEnter(TObject* sender);
    void ExitBtnMouseLeave(TObject* sender);
    void SpeedButton1Click(TObject* sender);
    void SpeedButton2Click(TObject* sender);
    void SpeedButton3Click(TObject* sender);
    void SpeedButton4Click(TObject* sender);
    void ZoomInBtnClick(TObject* sender);
    void ZoomOutBtnClick(TObject* sender);
    void ResetZoomBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);
    void PlayAgentBtnClick(TObject* sender);

    void ComputeAverages();
    void ShowSummaryEnglish();
    void ShowSummaryArabic();
    void HighlightValue(const String& prefix, const String& value);
    void ShowGoalBar();
    void ColorKeyboards();
    void ColorKeyPanel(TPanel* panel);
    void FillProgressGrid();
    void FillChart();
    void ApplyArabicCaptions();
    void ApplyEnglishCaptions();
    void ScrollAxis(TChartAxis* axis, double percent);
    void ScrollHorizontalAxes(double percent);
    void ScrollVerticalAxes(double percent);

private:
    // A keyboard panel with what lies on it: its picture, a label over each key, the three
    // legends (practise, adequate, well) and the two Shift buttons.
    struct TKeyboard {
        TPanel* Panel = nullptr;
        std::vector<TLabel*> Keys;
        std::array<TLabel*, 3> Legends{};
        std::array<TSimpleGButton*, 2> Shift{};
    };

    void BuildLayout();
    void BuildButtons();
    void BuildSummaryPage(TWinControl* page);
    void BuildKeysPage(TWinControl* page);
    void BuildProgressPage(TWinControl* page);
    void BuildGraphicPage(TWinControl* page);
    TKeyboard& NewKeyboard(int index, TWinControl* page, const char* name, TImage*& image, const char* imageName);
    void DrawHeaderCell(int col, const TRect& rect);
    void ShowPage(int index);
    void SwapKeysPanels(TPanel* show, TPanel* hide);
    void ShowSummary(const String& text, const std::vector<std::pair<String, String>>& values);
    // The captions step that both languages share: what differs is in the two tables.
    void ApplyCaptions(bool arabic);
    void LoadMovie();
    void PlaceInMovieRoom();

    std::array<TKeyboard, 4> FKeyboards;   // Ar, Ar2, En, En2
};

extern TResultsForm* ResultsForm;
