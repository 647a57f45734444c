#include "DateUtils.h"
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <ctime>
#include "SysUtils.h"

namespace {

const int DaysBeforeMonth[2][13] = {
    {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
};

int CurrentYear() {
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    return y;
}

// Reads an unsigned decimal number at text[pos]; digits counts what was read.
bool ScanNumber(const String& text, std::size_t& pos, int& value, int& digits) {
    value = 0;
    digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (digits < 9) value = value * 10 + (text[pos] - '0');
        ++digits;
        ++pos;
    }
    return digits > 0 && digits <= 9;
}

void SkipBlanks(const String& text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
}

bool ScanChar(const String& text, std::size_t& pos, char c) {
    SkipBlanks(text, pos);
    if (pos < text.size() && text[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

// M/d/yyyy, M/d (this year); two-digit years fall within fifty years of the current year.
bool ScanDate(const String& text, std::size_t& pos, TDateTime& value) {
    int n[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    SkipBlanks(text, pos);
    if (!ScanNumber(text, pos, n[0], digits[0]) || !ScanChar(text, pos, '/')) return false;
    SkipBlanks(text, pos);
    if (!ScanNumber(text, pos, n[1], digits[1])) return false;
    int year;
    std::size_t save = pos;
    if (ScanChar(text, pos, '/')) {
        SkipBlanks(text, pos);
        if (!ScanNumber(text, pos, n[2], digits[2])) return false;
        year = n[2];
        if (digits[2] <= 2) {
            int pivot = CurrentYear() - 50;
            year += pivot / 100 * 100;
            if (year < pivot) year += 100;
        }
    } else {
        pos = save;
        year = CurrentYear();
    }
    return TryEncodeDate(year, n[0], n[1], value);
}

bool MatchWord(const String& text, std::size_t& pos, const char* word) {
    std::size_t len = std::char_traits<char>::length(word);
    if (pos + len > text.size()) return false;
    if (!SameText(text.substr(pos, len), word)) return false;
    pos += len;
    return true;
}

// h:nn[:ss[.zzz]] with an optional AM or PM; without one the hour counts to 23.
bool ScanTime(const String& text, std::size_t& pos, TDateTime& value) {
    int h = 0, m = 0, s = 0, ms = 0, digits = 0;
    SkipBlanks(text, pos);
    if (!ScanNumber(text, pos, h, digits) || !ScanChar(text, pos, ':')) return false;
    SkipBlanks(text, pos);
    if (!ScanNumber(text, pos, m, digits)) return false;
    if (ScanChar(text, pos, ':')) {
        SkipBlanks(text, pos);
        if (!ScanNumber(text, pos, s, digits)) return false;
        if (pos < text.size() && text[pos] == '.') {
            ++pos;
            if (!ScanNumber(text, pos, ms, digits) || digits > 3) return false;
        }
    }
    SkipBlanks(text, pos);
    if (MatchWord(text, pos, "AM")) {
        if (h < 1 || h > 12) return false;
        if (h == 12) h = 0;
    } else if (MatchWord(text, pos, "PM")) {
        if (h < 1 || h > 12) return false;
        if (h != 12) h += 12;
    }
    return TryEncodeTime(h, m, s, ms, value);
}

bool AtEnd(const String& text, std::size_t pos) {
    SkipBlanks(text, pos);
    return pos == text.size();
}

}  // namespace

TTimeStamp DateTimeToTimeStamp(TDateTime value) {
    long long ms = Round(static_cast<long double>(value) * MSecsPerDay);
    TTimeStamp r;
    r.Date = static_cast<int>(DateDelta + ms / MSecsPerDay);
    r.Time = static_cast<int>(std::llabs(ms) % MSecsPerDay);
    return r;
}

TDateTime TimeStampToDateTime(const TTimeStamp& stamp) {
    double days = stamp.Date - DateDelta;
    double fraction = static_cast<double>(stamp.Time) / MSecsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

double TimeStampToMSecs(const TTimeStamp& stamp) {
    return static_cast<double>(stamp.Date) * MSecsPerDay + stamp.Time;
}

TTimeStamp MSecsToTimeStamp(double msecs) {
    TTimeStamp r;
    long long total = static_cast<long long>(msecs);
    r.Date = static_cast<int>(total / MSecsPerDay);
    r.Time = static_cast<int>(total % MSecsPerDay);
    return r;
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
    static const int days[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month))
        return false;
    int y = year - 1;
    int dayNumber = y * 365 + y / 4 - y / 100 + y / 400 + DaysBeforeMonth[IsLeapYear(year)][month] + day;
    value = dayNumber - DateDelta;
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& value) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 || msec > 999)
        return false;
    value = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime r;
    if (!TryEncodeDate(year, month, day, r)) throw EConvertError("Invalid argument to date encode");
    return r;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec) {
    TDateTime r;
    if (!TryEncodeTime(hour, minute, second, msec, r)) throw EConvertError("Invalid argument to time encode");
    return r;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    int t = DateTimeToTimeStamp(value).Date;
    if (t <= 0) {
        year = month = day = 0;
        return;
    }
    const int d1 = 365, d4 = d1 * 4 + 1, d100 = d4 * 25 - 1, d400 = d100 * 4 + 1;
    --t;
    int y = 1;
    y += t / d400 * 400;
    t %= d400;
    int i = t / d100, d = t % d100;
    if (i == 4) { --i; d += d100; }
    y += i * 100;
    y += d / d4 * 4;
    d %= d4;
    i = d / d1;
    d %= d1;
    if (i == 4) { --i; d += d1; }
    y += i;
    int m = 1;
    while (d >= DaysInAMonth(y, m)) {
        d -= DaysInAMonth(y, m);
        ++m;
    }
    year = y;
    month = m;
    day = d + 1;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec) {
    int t = DateTimeToTimeStamp(value).Time;
    hour = t / 3600000;
    minute = t / 60000 % 60;
    second = t / 1000 % 60;
    msec = t % 1000;
}

String DateToStr(TDateTime value) {
    int y, m, d;
    DecodeDate(value, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d/%d/%04d", m, d, y);
    return buf;
}

String TimeToStr(TDateTime value) {
    int h, n, s, ms;
    DecodeTime(value, h, n, s, ms);
    int h12 = h % 12 == 0 ? 12 : h % 12;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h12, n, s, h < 12 ? "AM" : "PM");
    return buf;
}

String DateTimeToStr(TDateTime value) {
    String r = DateToStr(value);
    if (DateTimeToTimeStamp(value).Time != 0) {
        r += ' ';
        r += TimeToStr(value);
    }
    return r;
}

bool TryStrToDate(const String& text, TDateTime& value) {
    std::size_t pos = 0;
    return ScanDate(text, pos, value) && AtEnd(text, pos);
}

bool TryStrToTime(const String& text, TDateTime& value) {
    std::size_t pos = 0;
    return ScanTime(text, pos, value) && AtEnd(text, pos);
}

bool TryStrToDateTime(const String& text, TDateTime& value) {
    std::size_t pos = 0;
    TDateTime date = 0, time = 0;
    if (ScanDate(text, pos, date)) {
        if (!AtEnd(text, pos) && !ScanTime(text, pos, time)) return false;
        if (!AtEnd(text, pos)) return false;
        value = date < 0 ? date - time : date + time;
        return true;
    }
    return TryStrToTime(text, value);
}

TDateTime StrToDate(const String& text) {
    TDateTime r;
    if (!TryStrToDate(text, r)) throw EConvertError("'" + text + "' is not a valid date");
    return r;
}

TDateTime StrToTime(const String& text) {
    TDateTime r;
    if (!TryStrToTime(text, r)) throw EConvertError("'" + text + "' is not a valid time");
    return r;
}

TDateTime StrToDateTime(const String& text) {
    TDateTime r;
    if (!TryStrToDateTime(text, r)) throw EConvertError("'" + text + "' is not a valid date and time");
    return r;
}

TDateTime Now() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm local = *std::localtime(&seconds);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec, ms);
}

TDateTime Date() { return std::floor(Now()); }

TDateTime Time() { return Now() - Date(); }
