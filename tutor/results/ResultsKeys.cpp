// The proficiency page: a keyboard picture with a label over each key, coloured by how much of
// what was typed with that key was right; Shift swaps to the keyboard's shifted twin.
#include <algorithm>
#include "platform/rtl/SysUtils.h"
#include "tutor/lessons/RunResults.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/results/Results.h"

// The keyboard pictures and where their key labels lie (data/embedded/results, written by
// tools/make_keyboards.py and compiled in by the build).
namespace embedded {
extern const std::string_view ResultsKeysAr, ResultsKeysAr2, ResultsKeysEn, ResultsKeysEn2, ResultsKeyLabels;
}

namespace {

constexpr TColor KeyColor = 0x72C6D9;
constexpr TColor AdequateColor = 0xA4D1FF;
constexpr TColor KeysBackColor = 0x633D0F;   // navy, as the pages
constexpr int PictureTop = 18;
constexpr int LegendTop = 280, LegendWidth = 340, LegendHeight = 34, LegendStep = 42;

// One line of the key-label table: which panel, what lies there, and where on its picture.
struct TKeyPlace {
    String panel, kind, caption;
    TRect bounds;
};

std::vector<TKeyPlace> KeyPlaces() {
    TStringList lines;
    lines.SetText(String(embedded::ResultsKeyLabels));
    std::vector<TKeyPlace> places;
    for (int i = 1; i < lines.Count(); ++i) {   // after the header
        std::vector<String> f;
        String line = lines[i];
        for (size_t start = 0;;) {
            size_t tab = line.find('\t', start);
            f.push_back(line.substr(start, tab == String::npos ? String::npos : tab - start));
            if (tab == String::npos) break;
            start = tab + 1;
        }
        if (f.size() != 7) continue;
        const int left = StrToIntDef(f[3], 0), top = StrToIntDef(f[4], 0);
        places.push_back({f[0], f[1], f[2], Rect(left, top, left + StrToIntDef(f[5], 0), top + StrToIntDef(f[6], 0))});
    }
    return places;
}

}  // namespace

void TResultsForm::BuildKeysPage(TWinControl* page) {
    KeysPanelAr = NewKeyboard(0, page, "KeysPanelAr", KeysImageAr, "KeysImageAr").Panel;
    KeysPanelAr2 = NewKeyboard(1, page, "KeysPanelAr2", KeysImageAr2, "KeysImageAr2").Panel;
    KeysPanelEn = NewKeyboard(2, page, "KeysPanelEn", KeysImageEn, "KeysImageEn").Panel;
    KeysPanelEn2 = NewKeyboard(3, page, "KeysPanelEn2", KeysImageEn2, "KeysImageEn2").Panel;
    PracticeKeyLabel = FKeyboards[0].Legends[0];
    AdequateKeyLabel = FKeyboards[0].Legends[1];
    WellKeyLabel = FKeyboards[0].Legends[2];
    ShiftRArBtn = FKeyboards[0].Shift[1];
    ShiftLArBtn = FKeyboards[0].Shift[0];
    ShiftRAr2Btn = FKeyboards[1].Shift[1];
    ShiftLAr2Btn = FKeyboards[1].Shift[0];
    ShiftREnBtn = FKeyboards[2].Shift[1];
    ShiftLEnBtn = FKeyboards[2].Shift[0];
    ShiftREn2Btn = FKeyboards[3].Shift[1];
    ShiftLEn2Btn = FKeyboards[3].Shift[0];
    for (TSimpleGButton* b : {ShiftRArBtn, ShiftLArBtn}) b->OnClick = [this](TObject* s) { ShiftLArBtnClick(s); };
    for (TSimpleGButton* b : {ShiftRAr2Btn, ShiftLAr2Btn}) b->OnClick = [this](TObject* s) { ShiftRAr2BtnClick(s); };
    for (TSimpleGButton* b : {ShiftREnBtn, ShiftLEnBtn}) b->OnClick = [this](TObject* s) { ShiftREnBtnClick(s); };
    for (TSimpleGButton* b : {ShiftREn2Btn, ShiftLEn2Btn}) b->OnClick = [this](TObject* s) { ShiftREn2BtnClick(s); };

    int number = 0;
    for (const TKeyPlace& place : KeyPlaces()) {
        auto keyboard = std::find_if(FKeyboards.begin(), FKeyboards.end(),
                                     [&](const TKeyboard& k) { return k.Panel->Name() == place.panel; });
        if (keyboard == FKeyboards.end()) continue;
        TRect r = place.bounds;
        r.Top += PictureTop;
        r.Bottom += PictureTop;
        if (place.kind == "key") {
            auto* key = new TLabel(this);
            key->SetName("Label" + IntToStr(++number));
            key->SetParent(keyboard->Panel);
            key->SetAutoSize(false);
            key->SetShowAccelChar(false);
            key->SetAlignment(taCenter);
            key->SetLayout(tlCenter);
            key->SetColor(KeyColor);
            key->SetTransparent(false);
            key->Font()->SetName("Arial");
            key->Font()->SetCharset(ARABIC_CHARSET);
            key->Font()->SetHeight(-24);
            key->Font()->SetStyle(fsBold);
            key->Font()->SetColor(clBlack);
            key->SetCaption(place.caption);
            key->SetBoundsRect(r);
            keyboard->Keys.push_back(key);
        } else if (place.kind == "ShiftL" || place.kind == "ShiftR") {
            keyboard->Shift[place.kind == "ShiftL" ? 0 : 1]->SetBoundsRect(r);
        }
    }
}

TResultsForm::TKeyboard& TResultsForm::NewKeyboard(int index, TWinControl* page, const char* name, TImage*& image,
                                                   const char* imageName) {
    static const std::string_view* const pictures[] = {&embedded::ResultsKeysAr, &embedded::ResultsKeysAr2,
                                                       &embedded::ResultsKeysEn, &embedded::ResultsKeysEn2};
    static const char* const suffixes[] = {"", "Ar2", "En", "En2"};
    static const char* const shiftSuffixes[] = {"Ar", "Ar2", "En", "En2"};
    TKeyboard& keyboard = FKeyboards[index];
    auto* panel = new TPanel(this);
    panel->SetName(name);
    panel->SetParent(page);
    panel->SetAlign(alClient);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(KeysBackColor);
    panel->SetCaption("");
    panel->SetVisible(false);
    keyboard.Panel = panel;

    image = new TImage(this);
    image->SetName(imageName);
    image->SetParent(panel);
    image->Picture()->LoadFromBytes(*pictures[index]);
    image->SetStretch(true);
    image->SetBounds(0, PictureTop, image->Picture()->Width(), image->Picture()->Height());

    const TColor legendColors[] = {clRed, AdequateColor, clInfoBk};
    const char* const legendNames[] = {"PracticeKeyLabel", "AdequateKeyLabel", "WellKeyLabel"};
    for (int i = 0; i < 3; ++i) {
        auto* legend = new TLabel(this);
        legend->SetName(String(legendNames[i]) + suffixes[index]);
        legend->SetParent(panel);
        legend->SetAutoSize(false);
        legend->SetAlignment(taCenter);
        legend->SetLayout(tlCenter);
        legend->SetColor(legendColors[i]);
        legend->SetTransparent(false);
        legend->Font()->SetStyle(fsBold);
        legend->Font()->SetHeight(-17);
        legend->Font()->SetColor(clBlack);
        legend->SetBounds((image->Width() - LegendWidth) / 2, LegendTop + i * LegendStep, LegendWidth, LegendHeight);
        keyboard.Legends[i] = legend;
    }
    for (int side = 0; side < 2; ++side) {
        auto* shift = new TSimpleGButton(this);
        shift->SetName(String("Shift") + (side == 0 ? "L" : "R") + shiftSuffixes[index] + "Btn");
        shift->SetParent(panel);
        shift->Font()->SetName("Arial");
        shift->Font()->SetStyle(fsBold);
        shift->Font()->SetHeight(-16);
        shift->Font()->SetColor(clBlack);
        shift->OnMouseEnter = [this](TObject* s) { ShiftLEnBtnMouseEnter(s); };
        shift->OnMouseLeave = [this](TObject* s) { ShiftLEnBtnMouseLeave(s); };
        keyboard.Shift[side] = shift;
    }
    return keyboard;
}

std::vector<TLabel*> TResultsForm::KeyLabels(TPanel* panel) const {
    for (const TKeyboard& keyboard : FKeyboards)
        if (keyboard.Panel == panel) return keyboard.Keys;
    return {};
}

// The counts are of what was typed, which is in the typing language, whatever language the
// screens speak.
TPanel* TResultsForm::TypedKeysPanel() const { return TypingLanguage == "A" ? KeysPanelAr : KeysPanelEn; }
TPanel* TResultsForm::TypedKeysPanel2() const { return TypingLanguage == "A" ? KeysPanelAr2 : KeysPanelEn2; }

void TResultsForm::ColorKeyboards() {
    ColorKeyPanel(TypedKeysPanel());
    ColorKeyPanel(TypedKeysPanel2());
}

// A key typed right less than a fifth of the time wants practice; more than three fifths, it is
// known well. A key never typed keeps its colour; the legends keep theirs.
void TResultsForm::ColorKeyPanel(TPanel* panel) {
    const TRunResults& r = RunResults;
    for (int i = 0; i < panel->ControlCount() && i < r.KeyCorrectList.Count(); ++i) {
        TControl* key = panel->Controls(i);
        if (key->Name().rfind("Label", 0) != 0 || key->Caption().empty()) continue;
        const int code = static_cast<unsigned char>(key->Caption()[0]);
        const int right = TRunResults::LineValue(r.KeyCorrectList, code - 1);
        const int wrong = TRunResults::LineValue(r.KeyWrongList, code - 1);
        if (right == 0 && wrong == 0) continue;
        const int percent = right + wrong > 0 ? static_cast<int>(Round(static_cast<long double>(right) / (right + wrong) * 100)) : 0;
        key->Font()->SetColor(percent < 20 ? clRed : percent <= 60 ? AdequateColor : clInfoBk);
    }
}

void TResultsForm::SwapKeysPanels(TPanel* show, TPanel* hide) {
    show->SetVisible(true);
    hide->SetVisible(false);
}

void TResultsForm::ShiftREnBtnClick(TObject*) { SwapKeysPanels(KeysPanelEn2, KeysPanelEn); }
void TResultsForm::ShiftREn2BtnClick(TObject*) { SwapKeysPanels(KeysPanelEn, KeysPanelEn2); }
void TResultsForm::ShiftLArBtnClick(TObject*) { SwapKeysPanels(KeysPanelAr2, KeysPanelAr); }
void TResultsForm::ShiftRAr2BtnClick(TObject*) { SwapKeysPanels(KeysPanelAr, KeysPanelAr2); }

void TResultsForm::ShiftLEnBtnMouseEnter(TObject* sender) { static_cast<TControl*>(sender)->Font()->SetColor(clRed); }
void TResultsForm::ShiftLEnBtnMouseLeave(TObject* sender) { static_cast<TControl*>(sender)->Font()->SetColor(clBlack); }
