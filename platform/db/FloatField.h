#pragma once
#include "Field.h"

// A 64-bit double. Text has up to Precision significant digits; a currency field edits with
// two decimals and shows as money ("$1,234.50", negatives in parentheses).
class TFloatField : public TField {
public:
    TFloatField();
    int DataSize() const override { return 8; }
    int Precision = 15;
    double MinValue = 0;
    double MaxValue = 0;
    bool CurrencyFormat() const { return FCurrency; }
    void SetCurrencyFormat(bool value) { FCurrency = value; }

    String AsString() const override;
    void SetAsString(const String& value) override;   // empty clears
    double AsFloat() const override;
    void SetAsFloat(double value) override;
    int AsInteger() const override;
    void SetAsInteger(int value) override { SetAsFloat(value); }
    Currency AsCurrency() const override { return Currency::FromDouble(AsFloat()); }
    void SetAsCurrency(Currency value) override { SetAsFloat(value.ToDouble()); }
    Variant AsVariant() const override;

protected:
    String GetText(bool displayText) const override;
    void SetVarValue(const Variant& value) override { SetAsFloat(value.AsDouble()); }
    bool FCurrency = false;
};

class TCurrencyField : public TFloatField {
public:
    TCurrencyField();
};

// Shared by the numeric fields: the plain decimal text a field accepts (sign, digits, one
// point, an exponent), so that words like "inf" or "nan" are refused.
bool TextToFloat(const String& text, double& value);
// "%.2f" with thousands separators and a dollar sign; negatives in parentheses.
String FormatMoney(double value);
