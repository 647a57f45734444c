#include "BooleanField.h"
#include <cstring>
#include "DBConsts.h"
#include "DatabaseError.h"

TBooleanField::TBooleanField() { FDataType = ftBoolean; }

void TBooleanField::SetDisplayValues(const String& value) {
    FDisplayValues = value;
    std::size_t p = value.find(';');
    FTrueText = value.substr(0, p);
    FFalseText = p == String::npos ? String() : value.substr(p + 1);
}

bool TBooleanField::AsBoolean() const {
    std::int16_t v = 0;
    return GetData(&v) && v != 0;
}

void TBooleanField::SetAsBoolean(bool value) {
    std::int16_t v = value ? -1 : 0;
    SetData(&v);
}

String TBooleanField::AsString() const {
    std::int16_t v = 0;
    if (!GetData(&v)) return String();
    return v != 0 ? FTrueText : FFalseText;
}

void TBooleanField::SetAsString(const String& value) {
    if (value.empty()) {
        if (FFalseText.empty()) SetAsBoolean(false);
        else if (FTrueText.empty()) SetAsBoolean(true);
        else Clear();
        return;
    }
    if (AnsiCompareText(value, Copy(FFalseText, 1, int(value.size()))) == 0) SetAsBoolean(false);
    else if (AnsiCompareText(value, Copy(FTrueText, 1, int(value.size()))) == 0) SetAsBoolean(true);
    else DatabaseErrorFmt(DBConsts::SInvalidBoolValue, {value, DisplayName()});
}

Variant TBooleanField::AsVariant() const {
    std::int16_t v = 0;
    if (!GetData(&v)) return Null();
    return Variant(v != 0);
}
