#include "tutor/menu/MessageUnit.h"
#include "platform/ui/Alignment.h"
#include "platform/ui/Application.h"
#include "platform/rtl/SysUtils.h"

TMessageForm* MessageForm = nullptr;

namespace {
constexpr TColor LineColor = static_cast<TColor>(16769710);
}

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetColor(static_cast<TColor>(11245923));
    SetClientSize(790, 487);

    // under the movie: never seen, only the target of its OK command
    CloseBtn = new TSimpleGButton(this);
    CloseBtn->SetName("CloseBtn");
    CloseBtn->SetParent(this);
    CloseBtn->SetVisible(false);
    CloseBtn->OnClick = [this](TObject* s) { CloseBtnClick(s); };

    ShockwaveFlash = new TShockwaveFlash(this);
    ShockwaveFlash->SetName("ShockwaveFlash");
    ShockwaveFlash->SetParent(this);
    ShockwaveFlash->SetAlign(alClient);
    ShockwaveFlash->OnFSCommand = [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    };

    Panel1 = MakeLine(1, Label1, 188, 157, 485, 28, FirstLineHeight);
    Panel2 = MakeLine(2, Label2, 186, 201, 487, 28, LineHeight);
    Panel3 = MakeLine(3, Label3, 186, 245, 486, 28, LineHeight);
    Panel4 = MakeLine(4, Label4, 185, 287, 487, 28, LineHeight);
    Label2->SetBiDiMode(bdRightToLeft);
    for (TPanel* p : {Panel2, Panel3, Panel4}) p->SetColor(LineColor);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

// A panel above the movie holding one message line, hidden until its label has text.
TPanel* TMessageForm::MakeLine(int k, TLabel*& label, int left, int top, int width, int height, int fontHeight) {
    // named first: naming a control gives it its name as caption
    auto* panel = new TPanel(this);
    panel->SetName("Panel" + IntToStr(k));
    panel->SetParent(this);
    panel->SetBounds(left, top, width, height);
    panel->SetBevelOuter(bvNone);
    panel->SetCaption("");
    panel->SetVisible(false);
    label = new TLabel(this);
    label->SetName("Label" + IntToStr(k));
    label->SetParent(panel);
    label->SetAutoSize(false);
    label->SetAlign(alClient);
    label->SetAlignment(taCenter);
    label->SetLayout(tlCenter);
    label->SetWordWrap(true);
    label->SetColor(LineColor);
    label->SetCaption("");
    TFont* font = label->Font();
    font->SetName("Arabic Transparent");
    font->SetCharset(ARABIC_CHARSET);
    font->SetColor(clWhite);
    font->SetStyle(fsBold);
    font->SetHeight(fontHeight);
    return panel;
}

void TMessageForm::FormCreate(TObject*) {
    if (Application) SetCaption(Application->Title());
}

String TMessageForm::MoviePath() const {
    return AppFolder + (Language != "A" ? "\\Data\\interface\\MessageE.swf" : "\\Data\\interface\\Message.swf");
}

void TMessageForm::FormActivate(TObject*) {
    ShockwaveFlash->SetMovie(ToWide(MoviePath()));
    ShockwaveFlash->TGotoFrame(L"Pages", 9);
    ShockwaveFlash->DoObjectVerb(-1);
    ShockwaveFlash->SetScaleMode(2);
    LayOutLines();
}

void TMessageForm::LayOutLines() {
    TPanel* panels[] = {Panel1, Panel2, Panel3, Panel4};
    TLabel* labels[] = {Label1, Label2, Label3, Label4};
    for (int k = 0; k < 4; ++k) {
        panels[k]->SetVisible(!labels[k]->Caption().empty());
        panels[k]->BringToFront();
        FitLine(labels[k], k == 0 ? FirstLineHeight : LineHeight);
    }
}

// A line is one line high: a text wider than it is set smaller, down to a size still read with
// ease, rather than wrapped into a second line that the panel would cut off.
void TMessageForm::FitLine(TLabel* label, int fontHeight) {
    constexpr int SmallestHeight = -14, Margin = 8;
    TFont* font = label->Font();
    font->SetHeight(fontHeight);
    if (label->Caption().empty()) return;
    const int height = FittingFontHeight(font, label->Caption(), label->Width() - Margin,
                                         label->BiDiMode() == bdRightToLeft, fontHeight, SmallestHeight);
    font->SetHeight(height != 0 ? height : SmallestHeight);
    // only a line too wide even at the smallest size wraps
    label->SetWordWrap(height == 0);
}

int TMessageForm::ShowFilled() {
    if (!Visible()) return ShowModal();
    LayOutLines();
    return mrNone;
}

void TMessageForm::FormClose(TObject*, TCloseAction&) {
    for (TLabel* label : {Label1, Label2, Label3, Label4}) label->SetCaption("");
}

void TMessageForm::CloseBtnClick(TObject*) { Close(); }

void TMessageForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    String name = FromWide(command);
    if (name.find("RollOver") != String::npos) {
        if (OnRollOver) OnRollOver(name, FromWide(args));
    } else if (name.find("OK") != String::npos) {
        CloseBtn->Click();
    }
}
