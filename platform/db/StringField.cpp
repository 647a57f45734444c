#include "StringField.h"
#include <algorithm>
#include <cstring>
#include <vector>

TStringField::TStringField() {
    FDataType = ftString;
    FSize = 20;
}

String TStringField::AsString() const {
    std::vector<char> buf(static_cast<std::size_t>(DataSize()) + 1, '\0');
    if (!GetData(buf.data())) return String();
    return String(buf.data());
}

void TStringField::SetAsString(const String& value) {
    std::vector<char> buf(static_cast<std::size_t>(DataSize()), '\0');
    std::memcpy(buf.data(), value.data(), std::min(value.size(), static_cast<std::size_t>(FSize)));
    SetData(buf.data());
}

int TStringField::AsInteger() const { return StrToInt(AsString()); }
void TStringField::SetAsInteger(int value) { SetAsString(IntToStr(value)); }
double TStringField::AsFloat() const { return StrToFloat(AsString()); }
void TStringField::SetAsFloat(double value) { SetAsString(FloatToStr(value)); }

bool TStringField::AsBoolean() const {
    String s = AsString();
    return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
}

void TStringField::SetAsBoolean(bool value) { SetAsString(value ? "T" : "F"); }
TDateTime TStringField::AsDateTime() const { return StrToDateTime(AsString()); }
void TStringField::SetAsDateTime(TDateTime value) { SetAsString(DateTimeToStr(value)); }
Currency TStringField::AsCurrency() const { return Currency::FromDouble(StrToFloat(AsString())); }
void TStringField::SetAsCurrency(Currency value) { SetAsString(CurrToStr(value)); }

Variant TStringField::AsVariant() const {
    if (IsNull()) return Null();
    return Variant(AsString());
}
