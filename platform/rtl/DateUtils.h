#pragma once
// Date and time as the class library keeps them: TDateTime is a double counting days since
// 30 December 1899 (the fraction is the time of day); TTimeStamp splits a moment into a day
// number (1 January of year 1 is day 1) and the milliseconds of that day.
//
// Text form: one fixed form, the library's defaults on an English (United States) system:
//   date      M/d/yyyy           e.g. "3/7/2024"
//   time      h:nn:ss AM|PM      e.g. "2:05:09 PM"
//   date-time the date, then a blank and the time when the time of day is not midnight.
// The text form carries whole seconds; a value with whole seconds reads back exactly.
#include <cstdint>
#include "String.h"

using TDateTime = double;

struct TTimeStamp {
    int Time = 0;   // milliseconds since midnight
    int Date = 0;   // day number; 1 January of year 1 is 1
};

constexpr int DateDelta = 693594;             // day number of 30 December 1899, the zero date
constexpr int MSecsPerDay = 86400000;
constexpr int SecsPerDay = 86400;

TTimeStamp DateTimeToTimeStamp(TDateTime value);
TDateTime TimeStampToDateTime(const TTimeStamp& stamp);
double TimeStampToMSecs(const TTimeStamp& stamp);
TTimeStamp MSecsToTimeStamp(double msecs);

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value);
TDateTime EncodeDate(int year, int month, int day);                   // EConvertError when invalid
TDateTime EncodeTime(int hour, int minute, int second, int msec);     // EConvertError when invalid
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);

String DateToStr(TDateTime value);
String TimeToStr(TDateTime value);
String DateTimeToStr(TDateTime value);
bool TryStrToDate(const String& text, TDateTime& value);
bool TryStrToTime(const String& text, TDateTime& value);
bool TryStrToDateTime(const String& text, TDateTime& value);
TDateTime StrToDate(const String& text);          // EConvertError "'x' is not a valid date"
TDateTime StrToTime(const String& text);          // EConvertError "'x' is not a valid time"
TDateTime StrToDateTime(const String& text);      // EConvertError "'x' is not a valid date and time"

TDateTime Now();
TDateTime Date();
TDateTime Time();
