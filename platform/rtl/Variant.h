#pragma once
// Variant: a value whose type is chosen at run time, as the class library's data-set interface
// passes values (Null for a field without a value, arrays for several key fields).
#include <cstdint>
#include <initializer_list>
#include <vector>
#include "DateUtils.h"
#include "SysUtils.h"

// Fixed point with four decimals, the class library's Currency.
struct Currency {
    std::int64_t Scaled = 0;   // ten-thousandths
    static Currency FromDouble(double value);   // rounds half to even; EConvertError out of range
    double ToDouble() const { return static_cast<double>(Scaled) / 10000.0; }
    friend bool operator==(Currency a, Currency b) { return a.Scaled == b.Scaled; }
};
String CurrToStr(Currency value);            // up to four decimals, no trailing zeros
bool TryStrToCurr(const String& text, Currency& value);

using TVarType = std::uint16_t;
constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varString = 0x0100;
constexpr TVarType varArray = 0x2000;

class EVariantError : public Exception { using Exception::Exception; };
class EVariantTypeCastError : public EVariantError { using EVariantError::EVariantError; };

enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };

class Variant {
public:
    Variant() = default;                     // Unassigned (varEmpty)
    Variant(bool v) : FType(varBoolean), FInt(v) {}
    Variant(std::int16_t v) : FType(varSmallint), FInt(v) {}
    Variant(std::uint16_t v) : FType(varWord), FInt(v) {}
    Variant(int v) : FType(varInteger), FInt(v) {}
    Variant(unsigned v) : FType(varLongWord), FInt(v) {}
    Variant(long v) : FType(sizeof(long) == 4 ? varInteger : varInt64), FInt(v) {}
    Variant(unsigned long v) : FType(sizeof(long) == 4 ? varLongWord : varInt64), FInt(static_cast<long long>(v)) {}
    Variant(long long v) : FType(varInt64), FInt(v) {}
    Variant(unsigned long long v) : FType(varInt64), FInt(static_cast<long long>(v)) {}
    Variant(double v) : FType(varDouble), FReal(v) {}
    Variant(Currency v) : FType(varCurrency), FInt(v.Scaled) {}
    Variant(const String& v) : FType(varString), FStr(v) {}
    Variant(const char* v) : FType(varString), FStr(v) {}

    static Variant Null();
    static Variant FromDateTime(TDateTime v);
    static Variant ArrayOf(std::vector<Variant> items);

    TVarType Type() const { return FType; }
    bool IsNull() const { return FType == varNull; }
    bool IsEmpty() const { return FType == varEmpty; }
    bool IsArray() const { return FType == (varArray | varVariant); }

    // Conversions raise EVariantTypeCastError
    // "Could not convert variant of type (%s) into type (%s)" when the value has no such form.
    String AsString() const;                // Null and Unassigned give an empty string
    int AsInteger() const;
    long long AsInt64() const;
    double AsDouble() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;
    Currency AsCurrency() const;

    // Arrays
    int Count() const { return static_cast<int>(FItems.size()); }
    const Variant& operator[](int index) const;
    Variant& operator[](int index);

    friend bool operator==(const Variant& a, const Variant& b);
    friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }

private:
    [[noreturn]] void CastError(TVarType target) const;
    TVarType FType = varEmpty;
    long long FInt = 0;
    double FReal = 0;
    String FStr;
    std::vector<Variant> FItems;
};

inline Variant Null() { return Variant::Null(); }
inline Variant Unassigned() { return Variant(); }
Variant VarArrayOf(std::initializer_list<Variant> items);
Variant VarFromDateTime(TDateTime value);

String VarTypeName(TVarType type);           // "Integer", "String", "Array of Variant", ...
inline TVarType VarType(const Variant& v) { return v.Type(); }
inline bool VarIsNull(const Variant& v) { return v.IsNull(); }
inline bool VarIsEmpty(const Variant& v) { return v.IsEmpty(); }
inline bool VarIsClear(const Variant& v) { return v.IsEmpty(); }
inline bool VarIsArray(const Variant& v) { return v.IsArray(); }
bool VarIsNumeric(const Variant& v);
bool VarIsStr(const Variant& v);
int VarArrayHighBound(const Variant& v);     // Count - 1
inline String VarToStr(const Variant& v) { return v.AsString(); }
String VarToStrDef(const Variant& v, const String& fallback);   // fallback for Null and Unassigned
inline TDateTime VarToDateTime(const Variant& v) { return v.AsDateTime(); }
Variant VarAsType(const Variant& v, TVarType type);
// Null equals Null; Null against a value is vrNotEqual. Strings against strings compare by bytes;
// otherwise both sides compare as numbers (dates as their day count).
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);
