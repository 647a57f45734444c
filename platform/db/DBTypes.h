#pragma once
// The enumerations and small types of the data-set layer.
#include <cstdint>
#include <functional>
#include <vector>
#include "platform/rtl/String.h"

// Codes as the class library numbers them (storage formats depend on the numbers).
enum TFieldType {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate,
    ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo,
    ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString, ftLargeint, ftADT,
    ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob, ftVariant, ftInterface, ftIDispatch, ftGuid
};
String FieldTypeName(TFieldType type);   // "String", "Integer", ...

enum TDataSetState {
    dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter, dsNewValue, dsOldValue,
    dsCurValue, dsBlockRead, dsInternalCalc, dsOpening
};
bool IsEditMode(TDataSetState state);     // dsEdit, dsInsert, dsSetKey
bool IsWriteMode(TDataSetState state);    // the edit modes, dsCalcFields, dsFilter, dsNewValue, dsInternalCalc

enum TDataEvent {
    deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange, deUpdateRecord,
    deUpdateState, deCheckBrowseMode, dePropertyChange, deFieldListChange, deFocusControl, deParentScroll
};

enum TGetMode { gmCurrent, gmNext, gmPrior };
enum TGetResult { grOK, grBOF, grEOF, grError };
enum TBookmarkFlag { bfCurrent, bfBOF, bfEOF, bfInserted };
enum TDataAction { daFail, daAbort, daRetry };
enum TBlobStreamMode { bmRead, bmWrite, bmReadWrite };
enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };

enum TResyncModeFlag : unsigned { rmExact = 1, rmCenter = 2 };
using TResyncMode = unsigned;             // a set of TResyncModeFlag

enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;          // a set of TLocateOption

enum TFilterOption : unsigned { foCaseInsensitive = 1, foNoPartialCompare = 2 };
using TFilterOptions = unsigned;

// A record buffer: raw bytes laid out by the descendant.
using TRecordBuffer = char*;
// A bookmark: BookmarkSize bytes copied out of a record buffer; empty stands for none.
using TBookmark = std::vector<std::uint8_t>;

class TDataSet;
class TField;
class EDatabaseError;

using TDataSetNotifyEvent = std::function<void(TDataSet* dataSet)>;
using TDataSetErrorEvent = std::function<void(TDataSet* dataSet, EDatabaseError& error, TDataAction& action)>;
using TFilterRecordEvent = std::function<void(TDataSet* dataSet, bool& accept)>;
using TFieldNotifyEvent = std::function<void(TField* sender)>;
using TFieldGetTextEvent = std::function<void(TField* sender, String& text, bool displayText)>;
using TFieldSetTextEvent = std::function<void(TField* sender, const String& text)>;
