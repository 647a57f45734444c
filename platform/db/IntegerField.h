#pragma once
#include "Field.h"

// Whole numbers; the native form is 32-bit signed (TSmallintField 16-bit signed, TWordField
// 16-bit unsigned). A value outside MinValue..MaxValue (when either is set) or outside the
// type's range raises the range error.
class TIntegerField : public TField {
public:
    TIntegerField();
    int DataSize() const override { return 4; }
    int MinValue = 0;
    int MaxValue = 0;

    String AsString() const override;
    void SetAsString(const String& value) override;   // empty clears
    int AsInteger() const override;
    void SetAsInteger(int value) override;
    double AsFloat() const override { return AsInteger(); }
    void SetAsFloat(double value) override;
    Variant AsVariant() const override;

protected:
    TIntegerField(TFieldType type, int minRange, int maxRange);
    void SetVarValue(const Variant& value) override { SetAsInteger(value.AsInteger()); }
    bool GetValue(int& value) const;

private:
    int FMinRange, FMaxRange;
};

class TSmallintField : public TIntegerField {
public:
    TSmallintField();
    int DataSize() const override { return 2; }
};

class TWordField : public TIntegerField {
public:
    TWordField();
    int DataSize() const override { return 2; }
};

class TAutoIncField : public TIntegerField {
public:
    TAutoIncField();
};
