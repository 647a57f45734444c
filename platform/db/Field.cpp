#include "Field.h"
#include <cstring>
#include "DBConsts.h"
#include "DataSet.h"

using namespace DBConsts;

TField::TField() = default;

TField::~TField() {
    if (FDataSet) {
        FDataSet->Close();
        FDataSet->RemoveField(this);
    }
}

void TField::CheckInactive() const {
    if (FDataSet) FDataSet->CheckInactive();
}

void TField::SetFieldName(const String& value) {
    if (FDataSet && !SameText(value, FFieldName) && FDataSet->FindField(value))
        DatabaseErrorFmt(SDuplicateFieldName, {value}, FDataSet->Name());
    FFieldName = value;
}

void TField::SetDataSet(TDataSet* value) {
    if (value == FDataSet) return;
    if (FDataSet) FDataSet->CheckInactive();
    if (value) {
        value->CheckInactive();
        if (!FFieldName.empty() && value->FindField(FFieldName))
            DatabaseErrorFmt(SDuplicateFieldName, {FFieldName}, value->Name());
    }
    if (FDataSet) FDataSet->RemoveField(this);
    if (value) value->AddField(this);
}

int TField::Index() const {
    if (!FDataSet) return -1;
    for (int i = 0; i < FDataSet->FieldCount(); ++i)
        if (FDataSet->Fields(i) == this) return i;
    return -1;
}

void TField::SetSize(int value) {
    CheckInactive();
    FSize = value;
}

void TField::SetFieldKind(TFieldKind value) {
    if (value == FFieldKind) return;
    CheckInactive();
    FFieldKind = value;
}

bool TField::CanModify() const {
    if (FReadOnly || !FDataSet) return false;
    if (FFieldKind != fkData && FFieldKind != fkInternalCalc) return false;
    return FDataSet->CanModify();
}

bool TField::GetData(void* buffer, bool nativeFormat) const {
    if (!FDataSet) DatabaseErrorFmt(SDataSetMissing, {DisplayName()});
    if (FValidating) {
        if (!FValidateBuffer) return false;
        if (buffer) std::memcpy(buffer, FValidateBuffer, static_cast<std::size_t>(FValidateSize));
        return true;
    }
    return FDataSet->GetFieldData(const_cast<TField*>(this), buffer, nativeFormat);
}

void TField::SetData(const void* buffer, bool nativeFormat) {
    if (!FDataSet) DatabaseErrorFmt(SDataSetMissing, {DisplayName()});
    FDataSet->SetFieldData(this, buffer, nativeFormat);
}

void TField::Validate(const void* buffer, int size) {
    if (!OnValidate) return;
    FValidateBuffer = buffer;
    FValidateSize = size;
    FValidating = true;
    try {
        OnValidate(this);
    } catch (...) {
        FValidating = false;
        throw;
    }
    FValidating = false;
}

void TField::Change() {
    if (OnChange) OnChange(this);
}

bool TField::IsNull() const { return !GetData(nullptr); }

void TField::Clear() { SetData(nullptr); }

String TField::GetText(bool displayText) const {
    (void)displayText;
    return AsString();
}

String TField::DisplayText() const {
    String text;
    if (OnGetText) OnGetText(const_cast<TField*>(this), text, true);
    else text = GetText(true);
    return text;
}

String TField::Text() const {
    String text;
    if (OnGetText) OnGetText(const_cast<TField*>(this), text, false);
    else text = GetText(false);
    return text;
}

void TField::SetText(const String& value) {
    if (OnSetText) OnSetText(this, value);
    else SetTextValue(value);
}

void TField::AccessError(const String& typeName) const {
    DatabaseErrorFmt(SFieldAccessError, {DisplayName(), typeName});
}

void TField::RangeError(double value, double min, double max) const {
    DatabaseErrorFmt(SFieldRangeError, {FloatToStr(value), DisplayName(), FloatToStr(min), FloatToStr(max)});
}

String TField::AsString() const { AccessError("String"); }
void TField::SetAsString(const String&) { AccessError("String"); }
int TField::AsInteger() const { AccessError("Integer"); }
void TField::SetAsInteger(int) { AccessError("Integer"); }
double TField::AsFloat() const { AccessError("Float"); }
void TField::SetAsFloat(double) { AccessError("Float"); }
bool TField::AsBoolean() const { AccessError("Boolean"); }
void TField::SetAsBoolean(bool) { AccessError("Boolean"); }
TDateTime TField::AsDateTime() const { AccessError("DateTime"); }
void TField::SetAsDateTime(TDateTime) { AccessError("DateTime"); }
Currency TField::AsCurrency() const { AccessError("Currency"); }
void TField::SetAsCurrency(Currency) { AccessError("Currency"); }
Variant TField::AsVariant() const { AccessError("Variant"); }

void TField::SetAsVariant(const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) {
        Clear();
        return;
    }
    try {
        SetVarValue(value);
    } catch (const EVariantError&) {
        DatabaseErrorFmt(SFieldValueError, {DisplayName()});
    }
}

void TField::SetVarValue(const Variant& value) {
    (void)value;
    AccessError("Variant");
}
