#include "Variant.h"
#include <cmath>
#include <cstdio>

Currency Currency::FromDouble(double value) {
    long double scaled = static_cast<long double>(value) * 10000.0L;
    if (!std::isfinite(value) || std::fabs(scaled) > 9.2233720368547758e18L)
        throw EConvertError("Invalid currency value");
    Currency c;
    c.Scaled = Round(scaled);
    return c;
}

String CurrToStr(Currency value) {
    std::uint64_t magnitude = value.Scaled < 0 ? 0 - static_cast<std::uint64_t>(value.Scaled)
                                               : static_cast<std::uint64_t>(value.Scaled);
    String r = value.Scaled < 0 ? "-" : "";
    r += std::to_string(magnitude / 10000);
    String fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) {
        r += '.';
        r += fraction;
    }
    return r;
}

bool TryStrToCurr(const String& text, Currency& value) {
    double d;
    if (!TryStrToFloat(text, d)) return false;
    try {
        value = Currency::FromDouble(d);
    } catch (const EConvertError&) {
        return false;
    }
    return true;
}

Variant Variant::Null() {
    Variant v;
    v.FType = varNull;
    return v;
}

Variant Variant::FromDateTime(TDateTime value) {
    Variant v;
    v.FType = varDate;
    v.FReal = value;
    return v;
}

Variant Variant::ArrayOf(std::vector<Variant> items) {
    Variant v;
    v.FType = varArray | varVariant;
    v.FItems = std::move(items);
    return v;
}

Variant VarArrayOf(std::initializer_list<Variant> items) { return Variant::ArrayOf(std::vector<Variant>(items)); }
Variant VarFromDateTime(TDateTime value) { return Variant::FromDateTime(value); }

String VarTypeName(TVarType type) {
    if (type & varArray) return "Array of " + VarTypeName(type & ~varArray);
    switch (type) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varBoolean: return "Boolean";
    case varVariant: return "Variant";
    case varWord: return "Word";
    case varLongWord: return "LongWord";
    case varInt64: return "Int64";
    case varString: return "String";
    default: return "Unknown";
    }
}

void Variant::CastError(TVarType target) const {
    throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeName(FType) + ") into type (" +
                                VarTypeName(target) + ")");
}

const Variant& Variant::operator[](int index) const {
    if (!IsArray() || index < 0 || index >= Count()) throw EVariantError("Variant or safe array index out of bounds");
    return FItems[static_cast<std::size_t>(index)];
}

Variant& Variant::operator[](int index) {
    if (!IsArray() || index < 0 || index >= Count()) throw EVariantError("Variant or safe array index out of bounds");
    return FItems[static_cast<std::size_t>(index)];
}

String Variant::AsString() const {
    switch (FType) {
    case varEmpty: case varNull: return String();
    case varSmallint: case varInteger: case varWord: case varLongWord: case varInt64: return IntToStr(FInt);
    case varBoolean: return FInt ? "True" : "False";
    case varDouble: return FloatToStr(FReal);
    case varCurrency: return CurrToStr(Currency{FInt});
    case varDate: return DateTimeToStr(FReal);
    case varString: return FStr;
    default: CastError(varString);
    }
}

long long Variant::AsInt64() const {
    switch (FType) {
    case varEmpty: return 0;
    case varSmallint: case varInteger: case varWord: case varLongWord: case varInt64: return FInt;
    case varBoolean: return FInt ? -1 : 0;
    case varDouble: case varDate:
        if (!std::isfinite(FReal) || std::fabs(FReal) > 9.2e18) CastError(varInt64);
        return Round(FReal);
    case varCurrency: return Round(static_cast<long double>(FInt) / 10000.0L);
    case varString: {
        double d;
        if (!TryStrToFloat(FStr, d) || std::fabs(d) > 9.2e18) CastError(varInt64);
        return Round(d);
    }
    default: CastError(varInt64);
    }
}

int Variant::AsInteger() const {
    long long v;
    try {
        v = AsInt64();
    } catch (const EVariantTypeCastError&) {
        CastError(varInteger);
    }
    if (v < INT32_MIN || v > INT32_MAX) throw EVariantError("Arithmetic overflow");
    return static_cast<int>(v);
}

double Variant::AsDouble() const {
    switch (FType) {
    case varEmpty: return 0;
    case varSmallint: case varInteger: case varWord: case varLongWord: case varInt64: case varBoolean:
        return FType == varBoolean ? (FInt ? -1.0 : 0.0) : static_cast<double>(FInt);
    case varDouble: case varDate: return FReal;
    case varCurrency: return Currency{FInt}.ToDouble();
    case varString: {
        double d;
        if (!TryStrToFloat(FStr, d)) CastError(varDouble);
        return d;
    }
    default: CastError(varDouble);
    }
}

bool Variant::AsBoolean() const {
    switch (FType) {
    case varEmpty: return false;
    case varString: {
        if (SameText(FStr, "True")) return true;
        if (SameText(FStr, "False")) return false;
        double d;
        if (!TryStrToFloat(FStr, d)) CastError(varBoolean);
        return d != 0;
    }
    case varNull: case varArray | varVariant: CastError(varBoolean);
    default: return AsDouble() != 0;
    }
}

TDateTime Variant::AsDateTime() const {
    switch (FType) {
    case varString: {
        TDateTime d;
        if (!TryStrToDateTime(FStr, d)) CastError(varDate);
        return d;
    }
    case varNull: case varBoolean: case varArray | varVariant: CastError(varDate);
    default:
        try {
            return AsDouble();
        } catch (const EVariantTypeCastError&) {
            CastError(varDate);
        }
    }
}

Currency Variant::AsCurrency() const {
    if (FType == varCurrency) return Currency{FInt};
    if (FType == varNull || FType == (varArray | varVariant)) CastError(varCurrency);
    double d;
    try {
        d = AsDouble();
    } catch (const EVariantTypeCastError&) {
        CastError(varCurrency);
    }
    try {
        return Currency::FromDouble(d);
    } catch (const EConvertError&) {
        throw EVariantError("Arithmetic overflow");
    }
}

bool VarIsNumeric(const Variant& v) {
    switch (v.Type()) {
    case varSmallint: case varInteger: case varWord: case varLongWord: case varInt64: case varDouble: case varCurrency:
    case varBoolean:
        return true;
    default: return false;
    }
}

bool VarIsStr(const Variant& v) { return v.Type() == varString; }

int VarArrayHighBound(const Variant& v) {
    if (!v.IsArray()) throw EVariantError("Variant is not an array");
    return v.Count() - 1;
}

String VarToStrDef(const Variant& v, const String& fallback) {
    return v.IsNull() || v.IsEmpty() ? fallback : v.AsString();
}

Variant VarAsType(const Variant& v, TVarType type) {
    switch (type) {
    case varEmpty: return Variant();
    case varNull: return Null();
    case varSmallint: {
        int i = v.AsInteger();
        if (i < INT16_MIN || i > INT16_MAX) throw EVariantError("Arithmetic overflow");
        return Variant(static_cast<std::int16_t>(i));
    }
    case varWord: {
        int i = v.AsInteger();
        if (i < 0 || i > UINT16_MAX) throw EVariantError("Arithmetic overflow");
        return Variant(static_cast<std::uint16_t>(i));
    }
    case varInteger: return Variant(v.AsInteger());
    case varInt64: return Variant(v.AsInt64());
    case varDouble: return Variant(v.AsDouble());
    case varCurrency: return Variant(v.AsCurrency());
    case varDate: return Variant::FromDateTime(v.AsDateTime());
    case varBoolean: return Variant(v.AsBoolean());
    case varString: return Variant(v.AsString());
    default:
        throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeName(v.Type()) +
                                    ") into type (" + VarTypeName(type) + ")");
    }
}

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b) {
    bool aNull = a.IsNull() || a.IsEmpty(), bNull = b.IsNull() || b.IsEmpty();
    if (aNull || bNull) return aNull && bNull ? vrEqual : vrNotEqual;
    if (a.IsArray() || b.IsArray()) {
        if (!a.IsArray() || !b.IsArray() || a.Count() != b.Count()) return vrNotEqual;
        for (int i = 0; i < a.Count(); ++i)
            if (VarCompareValue(a[i], b[i]) != vrEqual) return vrNotEqual;
        return vrEqual;
    }
    if (VarIsStr(a) && VarIsStr(b)) {
        int c = a.AsString().compare(b.AsString());
        return c == 0 ? vrEqual : c < 0 ? vrLessThan : vrGreaterThan;
    }
    if (a.Type() == varCurrency && b.Type() == varCurrency) {
        auto x = a.AsCurrency().Scaled, y = b.AsCurrency().Scaled;
        return x == y ? vrEqual : x < y ? vrLessThan : vrGreaterThan;
    }
    double x, y;
    try {
        x = a.AsDouble();
        y = b.AsDouble();
    } catch (const EVariantTypeCastError&) {
        return vrNotEqual;   // a text that is no number differs from every number
    }
    return x == y ? vrEqual : x < y ? vrLessThan : vrGreaterThan;
}

bool operator==(const Variant& a, const Variant& b) { return VarCompareValue(a, b) == vrEqual; }
