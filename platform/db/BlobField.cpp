#include "BlobField.h"
#include "DataSet.h"

TBlobField::TBlobField() { FDataType = ftBlob; }
TMemoField::TMemoField() { SetBlobType(ftMemo); }
TGraphicField::TGraphicField() { SetBlobType(ftGraphic); }

String TBlobField::AsString() const {
    if (!DataSet()) return String();
    std::unique_ptr<TBlobStream> stream = DataSet()->CreateBlobStream(const_cast<TBlobField*>(this), bmRead);
    if (!stream) return String();
    String r(static_cast<std::size_t>(stream->Size()), '\0');
    int got = r.empty() ? 0 : stream->Read(r.data(), static_cast<int>(r.size()));
    r.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    return r;
}

void TBlobField::SetAsString(const String& value) {
    if (!DataSet()) return;
    std::unique_ptr<TBlobStream> stream = DataSet()->CreateBlobStream(this, bmWrite);
    if (stream && !value.empty()) stream->Write(value.data(), static_cast<int>(value.size()));
}

void TBlobField::Clear() {
    if (DataSet()) DataSet()->CreateBlobStream(this, bmWrite);   // a write stream empties the value
}

Variant TBlobField::AsVariant() const {
    if (IsNull()) return Null();
    return Variant(AsString());
}

void TBlobField::FreeBuffers() {
    if (FModified) {
        if (DataSet()) DataSet()->CloseBlob(this);
        FModified = false;
    }
}

String TBlobField::GetText(bool displayText) const {
    (void)displayText;
    String name = FieldTypeName(FDataType);
    String r = "(";
    r += IsNull() ? name : UpperCase(name);
    r += ")";
    return r;
}
