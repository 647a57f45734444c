#pragma once
#include "Field.h"

// A 16-bit boolean (0 false, anything else true). Its text is DisplayValues' "true;false" pair,
// "True;False" unless set; reading text, a leading part of either word is enough.
class TBooleanField : public TField {
public:
    TBooleanField();
    int DataSize() const override { return 2; }
    const String& DisplayValues() const { return FDisplayValues; }
    void SetDisplayValues(const String& value);

    String AsString() const override;
    void SetAsString(const String& value) override;
    bool AsBoolean() const override;
    void SetAsBoolean(bool value) override;
    Variant AsVariant() const override;

protected:
    void SetVarValue(const Variant& value) override { SetAsBoolean(value.AsBoolean()); }

private:
    String FDisplayValues = "True;False";
    String FTrueText = "True", FFalseText = "False";
};
