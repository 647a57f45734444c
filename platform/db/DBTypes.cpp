#include "DBTypes.h"

String FieldTypeName(TFieldType type) {
    static const char* const names[] = {
        "Unknown", "String", "SmallInt", "Integer", "Word", "Boolean", "Float", "Currency", "BCD", "Date",
        "Time", "DateTime", "Bytes", "VarBytes", "AutoInc", "Blob", "Memo", "Graphic", "FmtMemo",
        "ParadoxOle", "DBaseOle", "TypedBinary", "Cursor", "FixedChar", "WideString", "Largeint", "ADT",
        "Array", "Reference", "DataSet", "OraBlob", "OraClob", "Variant", "Interface", "IDispatch", "Guid"};
    int i = static_cast<int>(type);
    return i >= 0 && i < int(sizeof names / sizeof names[0]) ? names[i] : "Unknown";
}

bool IsEditMode(TDataSetState state) { return state == dsEdit || state == dsInsert || state == dsSetKey; }

bool IsWriteMode(TDataSetState state) {
    return IsEditMode(state) || state == dsCalcFields || state == dsFilter || state == dsNewValue ||
           state == dsInternalCalc;
}
