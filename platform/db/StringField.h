#pragma once
#include "Field.h"

// Characters up to Size, stored zero-terminated (DataSize = Size + 1); longer text is cut.
class TStringField : public TField {
public:
    TStringField();
    int DataSize() const override { return FSize + 1; }
    String AsString() const override;
    void SetAsString(const String& value) override;
    int AsInteger() const override;
    void SetAsInteger(int value) override;
    double AsFloat() const override;
    void SetAsFloat(double value) override;
    bool AsBoolean() const override;                 // true when the text starts with T or Y
    void SetAsBoolean(bool value) override;          // "T" or "F"
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime value) override;
    Currency AsCurrency() const override;
    void SetAsCurrency(Currency value) override;
    Variant AsVariant() const override;

protected:
    void SetVarValue(const Variant& value) override { SetAsString(value.AsString()); }
};
