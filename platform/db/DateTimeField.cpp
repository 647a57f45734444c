#include "DateTimeField.h"

TDateTimeField::TDateTimeField() : TDateTimeField(ftDateTime) {}
TDateTimeField::TDateTimeField(TFieldType type) { FDataType = type; }
TDateField::TDateField() : TDateTimeField(ftDate) {}
TTimeField::TTimeField() : TDateTimeField(ftTime) {}

TDateTime TDateTimeField::AsDateTime() const {
    TDateTime v = 0;
    return GetData(&v, false) ? v : 0;
}

void TDateTimeField::SetAsDateTime(TDateTime value) { SetData(&value, false); }

void TDateTimeField::SetAsString(const String& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    switch (FDataType) {
    case ftDate: SetAsDateTime(StrToDate(value)); break;
    case ftTime: SetAsDateTime(StrToTime(value)); break;
    default: SetAsDateTime(StrToDateTime(value)); break;
    }
}

String TDateTimeField::GetText(bool displayText) const {
    (void)displayText;
    TDateTime v;
    if (!GetData(&v, false)) return String();
    switch (FDataType) {
    case ftDate: return DateToStr(v);
    case ftTime: return TimeToStr(v);
    default: return DateTimeToStr(v);
    }
}

Variant TDateTimeField::AsVariant() const {
    TDateTime v;
    return GetData(&v, false) ? Variant::FromDateTime(v) : Null();
}
