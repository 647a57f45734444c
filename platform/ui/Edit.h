#pragma once
// TCustomEdit / TEdit over the system EDIT class. The fields are the truth; the window gets them
// when it is made. EN_CHANGE comes back as Change (OnChange). The window's text is the layer's
// text made safe for Wine's shaping (EditShaping.cpp); every message answers in the layer's terms.
#include "platform/ui/Panel.h"

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
using enum TEditCharCase;

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    int MaxLength() const { return FMaxLength; }      // 0: no limit
    void SetMaxLength(int value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    bool Modified() const;
    void SetModified(bool value);

    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    String SelText();
    void SetSelText(const String& value);
    void SelectAll();
    void ClearSelection() { SetSelText(String()); }
    void Clear() { SetText(String()); }

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change();
    void AdjustHeight();

private:
    bool FReadOnly = false;
    int FMaxLength = 0;
    bool FAutoSelect = true;
    bool FAutoSize = true;
    TBorderStyle FBorderStyle = bsSingle;
    TEditCharCase FCharCase = ecNormal;
    bool FModified = false;
    bool FCreating = false;
    String FChangedText;   // the text the last OnChange saw
    UINT FTextLimit = 0;   // the last EM_SETLIMITTEXT in the layer's characters, 0 none

    // EditShaping.cpp
    LRESULT CallEdit(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    WideString WindowText();
    bool EditsSafely(UINT msg, WPARAM wParam);
    void ReplaceText(int start, int end, WideString text, bool canUndo);
    void LimitWindowText(const WideString& windowText);
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};
