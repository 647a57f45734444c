#pragma once
#include "Field.h"

// A moment; the native form is the time stamp's milliseconds as a double. The data set turns
// it into a TDateTime for the field. Text is DateTimeToStr's form (DateUtils.h).
class TDateTimeField : public TField {
public:
    TDateTimeField();
    int DataSize() const override { return 8; }

    String AsString() const override { return GetText(false); }
    void SetAsString(const String& value) override;   // empty clears
    TDateTime AsDateTime() const override;
    void SetAsDateTime(TDateTime value) override;
    double AsFloat() const override { return AsDateTime(); }
    void SetAsFloat(double value) override { SetAsDateTime(value); }
    Variant AsVariant() const override;

protected:
    explicit TDateTimeField(TFieldType type);
    String GetText(bool displayText) const override;
    void SetVarValue(const Variant& value) override { SetAsDateTime(value.AsDateTime()); }
};

// A day: the time stamp's 32-bit day number. Text is DateToStr's form.
class TDateField : public TDateTimeField {
public:
    TDateField();
    int DataSize() const override { return 4; }
};

// A time of day: 32-bit milliseconds since midnight. Text is TimeToStr's form.
class TTimeField : public TDateTimeField {
public:
    TTimeField();
    int DataSize() const override { return 4; }
};
