#include "BCDField.h"
#include <cstdio>
#include "DBConsts.h"
#include "FloatField.h"

TBCDField::TBCDField() {
    FDataType = ftBCD;
    FSize = 4;
}

Currency TBCDField::AsCurrency() const {
    Currency v;
    return GetData(&v.Scaled) ? v : Currency{};
}

void TBCDField::SetAsCurrency(Currency value) { SetData(&value.Scaled); }

void TBCDField::SetAsFloat(double value) {
    try {
        SetAsCurrency(Currency::FromDouble(value));
    } catch (const EConvertError&) {
        RangeError(value, -922337203685477.5807, 922337203685477.5807);
    }
}

int TBCDField::AsInteger() const {
    double v = AsFloat();
    if (v < INT32_MIN || v > INT32_MAX) RangeError(v, INT32_MIN, INT32_MAX);
    return static_cast<int>(Round(v));
}

String TBCDField::AsString() const {
    Currency v;
    return GetData(&v.Scaled) ? CurrToStr(v) : String();
}

void TBCDField::SetAsString(const String& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    double d;
    Currency c;
    if (!TextToFloat(value, d) || !TryStrToCurr(value, c))
        throw EConvertError(Format(DBConsts::SInvalidFloatValue, {value, DisplayName()}));
    SetAsCurrency(c);
}

String TBCDField::GetText(bool displayText) const {
    Currency v;
    if (!GetData(&v.Scaled)) return String();
    if (!FCurrency) return CurrToStr(v);
    if (displayText) return FormatMoney(v.ToDouble());
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", v.ToDouble());
    return buf;
}

Variant TBCDField::AsVariant() const {
    Currency v;
    return GetData(&v.Scaled) ? Variant(v) : Null();
}
