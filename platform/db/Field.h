#pragma once
// TField: one column of a data set as the program sees it. Values travel through the data set
// (GetFieldData / SetFieldData) in the field's native buffer form; the descendants convert
// between that form, text and the As... types.
#include <vector>
#include "DBTypes.h"
#include "platform/rtl/Variant.h"

class TField {
public:
    TField();
    // A field attached to a data set detaches itself, closing the data set first.
    virtual ~TField();
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    const String& Name() const { return FName; }              // the component name
    void SetName(const String& value) { FName = value; }
    const String& FieldName() const { return FFieldName; }
    void SetFieldName(const String& value);
    String DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
    void SetDisplayLabel(const String& value) { FDisplayLabel = value; }
    String DisplayName() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* value);            // both data sets must be closed
    int Index() const;                           // position in the data set's field list

    TFieldType DataType() const { return FDataType; }
    int Size() const { return FSize; }
    void SetSize(int value);                     // only while the data set is closed
    virtual int DataSize() const { return 0; }   // bytes of the native buffer
    int FieldNo() const { return FFieldNo; }
    int Offset() const { return FOffset; }       // calc area offset, or the blob index for blobs
    TFieldKind FieldKind() const { return FFieldKind; }
    void SetFieldKind(TFieldKind value);
    bool Calculated() const { return FFieldKind == fkCalculated; }
    void SetCalculated(bool value) { SetFieldKind(value ? fkCalculated : fkData); }
    bool Lookup() const { return FFieldKind == fkLookup; }
    void SetLookup(bool value) { SetFieldKind(value ? fkLookup : fkData); }
    virtual bool IsBlob() const { return false; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    bool Required() const { return FRequired; }
    void SetRequired(bool value) { FRequired = value; }
    bool CanModify() const;

    // Lookup fields: the value of LookupResultField in the LookupDataSet record whose
    // LookupKeyFields equal this data set's KeyFields.
    TDataSet* LookupDataSet() const { return FLookupDataSet; }
    void SetLookupDataSet(TDataSet* value) { FLookupDataSet = value; }
    String KeyFields, LookupKeyFields, LookupResultField;

    bool IsNull() const;
    virtual void Clear();

    // Text as shown (DisplayText) and as edited (Text); OnGetText and OnSetText replace the
    // field's own conversion when assigned.
    String DisplayText() const;
    String Text() const;
    void SetText(const String& value);

    virtual String AsString() const;
    virtual void SetAsString(const String& value);
    virtual int AsInteger() const;
    virtual void SetAsInteger(int value);
    virtual double AsFloat() const;
    virtual void SetAsFloat(double value);
    virtual bool AsBoolean() const;
    virtual void SetAsBoolean(bool value);
    virtual TDateTime AsDateTime() const;
    virtual void SetAsDateTime(TDateTime value);
    virtual Currency AsCurrency() const;
    virtual void SetAsCurrency(Currency value);
    virtual Variant AsVariant() const;           // Null when the field has no value
    void SetAsVariant(const Variant& value);     // Null and Unassigned clear the field
    Variant Value() const { return AsVariant(); }
    void SetValue(const Variant& value) { SetAsVariant(value); }

    // The native buffer, through the data set. GetData returns false for null; a null buffer
    // only asks. While OnValidate runs it answers the value being written.
    bool GetData(void* buffer, bool nativeFormat = true) const;
    void SetData(const void* buffer, bool nativeFormat = true);
    // OnValidate with the value about to be stored (size bytes; none for null).
    void Validate(const void* buffer, int size);
    // Called by the data set after a field change (OnChange).
    void Change();
    // Releases what the field holds for the current edit (blobs close their pending value).
    virtual void FreeBuffers() {}

    TFieldNotifyEvent OnChange;
    TFieldNotifyEvent OnValidate;
    TFieldGetTextEvent OnGetText;
    TFieldSetTextEvent OnSetText;

protected:
    friend class TDataSet;
    virtual String GetText(bool displayText) const;
    virtual void SetTextValue(const String& value) { SetAsString(value); }
    virtual void SetVarValue(const Variant& value);
    [[noreturn]] void AccessError(const String& typeName) const;
    [[noreturn]] void RangeError(double value, double min, double max) const;
    void SetDataType(TFieldType value) { FDataType = value; }
    void CheckInactive() const;

    TFieldType FDataType = ftUnknown;
    int FSize = 0;

private:
    String FName, FFieldName, FDisplayLabel;
    TDataSet* FDataSet = nullptr;
    TDataSet* FLookupDataSet = nullptr;
    int FFieldNo = 0;
    int FOffset = 0;
    TFieldKind FFieldKind = fkData;
    bool FVisible = true;
    bool FReadOnly = false;
    bool FRequired = false;
    const void* FValidateBuffer = nullptr;
    int FValidateSize = 0;
    bool FValidating = false;
};
