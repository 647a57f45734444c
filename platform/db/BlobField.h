#pragma once
#include "Field.h"

// A value of any length, read and written through the data set's blob stream. Modified is set
// by the stream after a write; FreeBuffers then lets the data set close the pending value.
class TBlobField : public TField {
public:
    TBlobField();
    bool IsBlob() const override { return true; }
    TFieldType BlobType() const { return FDataType; }
    void SetBlobType(TFieldType value) { FDataType = value; }
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }

    String AsString() const override;
    void SetAsString(const String& value) override;
    Variant AsVariant() const override;
    void Clear() override;
    void FreeBuffers() override;

protected:
    // "(Blob)" when empty, "(BLOB)" when it holds data; the type's name for the other kinds
    String GetText(bool displayText) const override;
    void SetVarValue(const Variant& value) override { SetAsString(value.AsString()); }

private:
    bool FModified = false;
};

class TMemoField : public TBlobField {
public:
    TMemoField();
};

class TGraphicField : public TBlobField {
public:
    TGraphicField();
};
