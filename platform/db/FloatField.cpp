#include "FloatField.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "DBConsts.h"
#include "DatabaseError.h"

bool TextToFloat(const String& text, double& value) {
    String t = Trim(text);
    for (char c : t)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E')) return false;
    double v;
    if (!TryStrToFloat(t, v) || !std::isfinite(v)) return false;
    value = v;
    return true;
}

String FormatMoney(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", std::fabs(value));
    String digits = buf;
    std::size_t point = digits.find('.');
    String whole = digits.substr(0, point), grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += ',';
        grouped += whole[i];
    }
    String r = "$" + grouped + digits.substr(point);
    return value < 0 && std::fabs(value) >= 0.005 ? "(" + r + ")" : r;
}

TFloatField::TFloatField() { FDataType = ftFloat; }

TCurrencyField::TCurrencyField() {
    FDataType = ftCurrency;
    FCurrency = true;
}

double TFloatField::AsFloat() const {
    double v = 0;
    return GetData(&v) ? v : 0;
}

void TFloatField::SetAsFloat(double value) {
    if (MinValue != 0 || MaxValue != 0) {
        if (value < MinValue || value > MaxValue) RangeError(value, MinValue, MaxValue);
    }
    SetData(&value);
}

int TFloatField::AsInteger() const {
    double v = AsFloat();
    if (v < INT32_MIN || v > INT32_MAX) RangeError(v, INT32_MIN, INT32_MAX);
    return static_cast<int>(Round(v));
}

String TFloatField::AsString() const {
    double v;
    return GetData(&v) ? FloatToStr(v) : String();
}

void TFloatField::SetAsString(const String& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    double v;
    if (!TextToFloat(value, v)) throw EConvertError(Format(DBConsts::SInvalidFloatValue, {value, DisplayName()}));
    SetAsFloat(v);
}

String TFloatField::GetText(bool displayText) const {
    double v;
    if (!GetData(&v)) return String();
    if (FCurrency) {
        if (displayText) return FormatMoney(v);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.2f", v);
        return buf;
    }
    if (Precision >= 15 || Precision < 1) return FloatToStr(v);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", Precision, v);
    return buf;
}

Variant TFloatField::AsVariant() const {
    double v;
    return GetData(&v) ? Variant(v) : Null();
}
