#pragma once
// What the skinned edit and memo share: their text aligned left, right or centred, over a
// wallpaper or the parent's background. The edit window draws its text in pieces while it is
// typed in; over a picture those pieces would leave traces behind, so after every change and
// paint the whole client area is drawn again off-screen and copied in at once.
#include "controls/CoolSkin.h"
#include "platform/ui/ControlEnums.h"

// The edit style (ES_LEFT, ES_RIGHT, ES_CENTER) that aligns an edit's text, mirrored in
// right-to-left reading as the system mirrors it.
DWORD EditAlignStyle(TAlignment alignment, bool rightToLeftAlignment);

class TCoolText : public TCoolSkin {
public:
    TAlignment TextAlign() const { return FTextAlign; }
    void SetTextAlign(TAlignment value);

protected:
    TCoolText(TWinControl* control, TCoolOptions options, bool captionBar, TFlatBorderKind border);

    // The edit style of TextAlign, mirrored in right-to-left reading as the system mirrors it.
    // Left leaves the style the platform gave.
    void AlignParams(TCreateParams& params) const;
    // The background, the repaint over it and the text's background mode, with inherited as
    // the control's own handling; then the messages of every skinned control. False for others.
    bool TextMessage(TMessage& message, const std::function<void(TMessage&)>& inherited);
    // After the text changed: painted again over the background, and the flat border.
    void TextChanged();

private:
    void PaintBackground();

    TAlignment FTextAlign = taLeftJustify;
    bool FPainting = false;
};
