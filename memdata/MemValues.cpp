#include "MemValues.h"
#include <algorithm>
#include <cstring>

namespace {

template <class T>
T Load(const void* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
void StoreAs(void* p, T v) { std::memcpy(p, &v, sizeof v); }

template <class T>
int Sign(T a, T b) { return a < b ? -1 : b < a ? 1 : 0; }

unsigned char Fold(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

}  // namespace

int CompareTexts(const char* a, const char* b, std::size_t count, bool caseInsensitive) {
    for (std::size_t i = 0; i < count; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (caseInsensitive) {
            x = Fold(x);
            y = Fold(y);
        }
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
    return 0;
}

int CompareTexts(const char* a, const char* b, bool caseInsensitive) {
    return CompareTexts(a, b, static_cast<std::size_t>(-1), caseInsensitive);
}

bool VariantToStored(TFieldType type, int dataSize, const Variant& value, void* dest) {
    switch (type) {
    case ftString: {
        String s = value.AsString();
        std::size_t n = std::min(s.size(), static_cast<std::size_t>(dataSize > 0 ? dataSize - 1 : 0));
        std::memset(dest, 0, static_cast<std::size_t>(dataSize));
        std::memcpy(dest, s.data(), n);
        return true;
    }
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: {
        std::int32_t v = value.AsInteger();
        std::memcpy(dest, &v, static_cast<std::size_t>(std::min(dataSize, 4)));   // the low bytes
        return true;
    }
    case ftBoolean: StoreAs<std::uint16_t>(dest, value.AsBoolean() ? 1 : 0); return true;
    case ftFloat: case ftCurrency: StoreAs<double>(dest, value.AsDouble()); return true;
    case ftBCD: StoreAs<std::int64_t>(dest, value.AsCurrency().Scaled); return true;
    case ftDate: case ftTime: case ftDateTime: {
        TTimeStamp stamp = DateTimeToTimeStamp(value.AsDateTime());
        if (type == ftDate) StoreAs<std::int32_t>(dest, stamp.Date);
        else if (type == ftTime) StoreAs<std::int32_t>(dest, stamp.Time);
        else StoreAs<double>(dest, TimeStampToMSecs(stamp));
        return true;
    }
    default: return false;
    }
}

Variant StoredToVariant(TFieldType type, const void* data) {
    switch (type) {
    case ftString: return Variant(String(static_cast<const char*>(data)));
    case ftSmallint: return Variant(static_cast<int>(Load<std::int16_t>(data)));
    case ftWord: return Variant(static_cast<int>(Load<std::uint16_t>(data)));
    case ftInteger: case ftAutoInc: return Variant(static_cast<int>(Load<std::int32_t>(data)));
    case ftBoolean: return Variant(Load<std::uint16_t>(data) != 0);
    case ftFloat: case ftCurrency: return Variant(Load<double>(data));
    case ftBCD: return Variant(Currency{Load<std::int64_t>(data)});
    case ftDate: return VarFromDateTime(TimeStampToDateTime(TTimeStamp{0, Load<std::int32_t>(data)}));
    case ftTime: return VarFromDateTime(TimeStampToDateTime(TTimeStamp{Load<std::int32_t>(data), DateDelta}));
    case ftDateTime: return VarFromDateTime(TimeStampToDateTime(MSecsToTimeStamp(Load<double>(data))));
    default: return Null();
    }
}

int CompareStored(TFieldType type, const void* a, const void* b, bool caseInsensitive) {
    switch (type) {
    case ftString: return CompareTexts(static_cast<const char*>(a), static_cast<const char*>(b), caseInsensitive);
    case ftSmallint: return Sign(Load<std::int16_t>(a), Load<std::int16_t>(b));
    case ftWord: return Sign(Load<std::uint16_t>(a), Load<std::uint16_t>(b));
    case ftInteger: case ftAutoInc: return Sign(Load<std::int32_t>(a), Load<std::int32_t>(b));
    case ftBoolean: return Sign(*static_cast<const unsigned char*>(a), *static_cast<const unsigned char*>(b));
    case ftFloat: case ftCurrency: case ftDateTime: return Sign(Load<double>(a), Load<double>(b));
    // the day number and the milliseconds of the day order as the date-times they stand for
    case ftDate: case ftTime: return Sign(Load<std::int32_t>(a), Load<std::int32_t>(b));
    case ftBCD: return Sign(Load<std::int64_t>(a), Load<std::int64_t>(b));
    default: return 0;
    }
}
