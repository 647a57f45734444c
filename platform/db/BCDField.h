#pragma once
#include "Field.h"

// A decimal of up to four places, kept as a 64-bit count of ten-thousandths (Currency).
class TBCDField : public TField {
public:
    TBCDField();
    int DataSize() const override { return 8; }
    int Precision = 0;
    bool CurrencyFormat() const { return FCurrency; }
    void SetCurrencyFormat(bool value) { FCurrency = value; }

    String AsString() const override;
    void SetAsString(const String& value) override;   // empty clears
    Currency AsCurrency() const override;
    void SetAsCurrency(Currency value) override;
    double AsFloat() const override { return AsCurrency().ToDouble(); }
    void SetAsFloat(double value) override;
    int AsInteger() const override;
    void SetAsInteger(int value) override { SetAsCurrency(Currency{static_cast<std::int64_t>(value) * 10000}); }
    Variant AsVariant() const override;

protected:
    String GetText(bool displayText) const override;
    void SetVarValue(const Variant& value) override { SetAsCurrency(value.AsCurrency()); }

private:
    bool FCurrency = false;
};
