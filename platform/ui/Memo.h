#pragma once
// TCustomMemo / TMemo: a multi-line EDIT. Lines reads and changes the window's lines (the
// visual lines when WordWrap breaks them); without a window or parent they work on the text.
#include "platform/ui/ControlEnums.h"
#include <memory>
#include "platform/rtl/Classes.h"
#include "platform/ui/Alignment.h"
#include "platform/ui/Edit.h"


class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(const TStrings& value) { FLines->Assign(value); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }
    TPoint CaretPos();          // line and column of the caret (X column, Y line)

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyPress(char& key) override;

private:
    class TMemoStrings;
    std::unique_ptr<TStrings> FLines;
    TAlignment FAlignment = taLeftJustify;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};
