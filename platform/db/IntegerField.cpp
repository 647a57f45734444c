#include "IntegerField.h"
#include <cmath>
#include <cstring>
#include "DBConsts.h"
#include "DatabaseError.h"

TIntegerField::TIntegerField() : TIntegerField(ftInteger, INT32_MIN, INT32_MAX) {}

TIntegerField::TIntegerField(TFieldType type, int minRange, int maxRange) : FMinRange(minRange), FMaxRange(maxRange) {
    FDataType = type;
}

TSmallintField::TSmallintField() : TIntegerField(ftSmallint, INT16_MIN, INT16_MAX) {}
TWordField::TWordField() : TIntegerField(ftWord, 0, UINT16_MAX) {}
TAutoIncField::TAutoIncField() : TIntegerField(ftAutoInc, INT32_MIN, INT32_MAX) {}

bool TIntegerField::GetValue(int& value) const {
    unsigned char buf[4] = {};
    if (!GetData(buf)) return false;
    if (FDataType == ftSmallint) {
        std::int16_t v;
        std::memcpy(&v, buf, 2);
        value = v;
    } else if (FDataType == ftWord) {
        std::uint16_t v;
        std::memcpy(&v, buf, 2);
        value = v;
    } else {
        std::int32_t v;
        std::memcpy(&v, buf, 4);
        value = v;
    }
    return true;
}

int TIntegerField::AsInteger() const {
    int v = 0;
    return GetValue(v) ? v : 0;
}

String TIntegerField::AsString() const {
    int v;
    return GetValue(v) ? IntToStr(v) : String();
}

void TIntegerField::SetAsInteger(int value) {
    int lo = FMinRange, hi = FMaxRange;
    if (MinValue != 0 || MaxValue != 0) {
        lo = MinValue;
        hi = MaxValue;
    }
    if (value < lo || value > hi) RangeError(value, lo, hi);
    unsigned char buf[4] = {};
    if (FDataType == ftSmallint) {
        std::int16_t v = static_cast<std::int16_t>(value);
        std::memcpy(buf, &v, 2);
    } else if (FDataType == ftWord) {
        std::uint16_t v = static_cast<std::uint16_t>(value);
        std::memcpy(buf, &v, 2);
    } else {
        std::int32_t v = value;
        std::memcpy(buf, &v, 4);
    }
    SetData(buf);
}

void TIntegerField::SetAsFloat(double value) {
    if (!std::isfinite(value) || value < INT32_MIN || value > INT32_MAX) RangeError(value, FMinRange, FMaxRange);
    SetAsInteger(static_cast<int>(Round(value)));
}

void TIntegerField::SetAsString(const String& value) {
    if (value.empty()) {
        Clear();
        return;
    }
    int v;
    if (!TryStrToInt(value, v)) DatabaseErrorFmt(DBConsts::SInvalidIntegerValue, {value, DisplayName()});
    SetAsInteger(v);
}

Variant TIntegerField::AsVariant() const {
    int v;
    return GetValue(v) ? Variant(v) : Null();
}
