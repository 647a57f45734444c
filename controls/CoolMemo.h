#pragma once
// TCoolMemo: a multi-line edit with the skinned edit's wallpaper, see-through painting, text
// alignment and flat border, and a caption bar of its own (its own text, colours and wallpaper)
// drawn in the window's frame.
#include "controls/CoolText.h"
#include "platform/ui/Memo.h"

class TCoolMemo : public TCustomMemo, public TCoolText {
public:
    explicit TCoolMemo(TComponent* owner);

    // The caption bar's text, apart from the memo's text.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    // Repaints the frame, where the caption bar lies.
    virtual void RefreshCaption() { FrameChanged(); }
    // The character nearest a point of the client area.
    int CharFromPos(TPoint point);

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void Change() override;
    String CaptionText() const override { return FCaption; }
    bool ShowsOwnCaption() const override;

private:
    void MouseSelect(const TMessage& message);

    String FCaption;
    int FSelAnchor = -1;
};
