#include "tutor/lessons/RunResults.h"
#include "platform/rtl/SysUtils.h"

TRunResults RunResults;

void TRunResults::Clear() {
    for (TStringList* list : {&WpmHistory, &AwpmHistory, &SecondsHistory, &AccuracyHistory, &TestAccuracyHistory,
                              &KeyCorrectList, &KeyWrongList})
        list->Clear();
    LastWpm = LastAwpm = LastAccuracy = TypingTicks = TotalTypingSeconds = 0;
}

void TRunResults::AddTest(int wpm, int awpm, int seconds, int accuracy) {
    WpmHistory.Add(IntToStr(wpm));
    AwpmHistory.Add(IntToStr(awpm));
    SecondsHistory.Add(IntToStr(seconds));
    TestAccuracyHistory.Add(IntToStr(accuracy));
}

void TRunResults::StoreKeyCounts(const std::array<int, 256>& correct, const std::array<int, 256>& wrong) {
    KeyCorrectList.Clear();
    KeyWrongList.Clear();
    for (int code = 1; code <= 255; ++code) {
        KeyCorrectList.Add(IntToStr(correct[code]));
        KeyWrongList.Add(IntToStr(wrong[code]));
    }
}

int TRunResults::LineValue(const TStringList& list, int index, int defaultValue) {
    if (index < 0 || index >= list.Count()) return defaultValue;
    return StrToIntDef(list[index], defaultValue);
}
