#include <gtest/gtest.h>
#include "DateUtils.h"
#include "SysUtils.h"

namespace {

TEST(DateUtils, TimeStampArithmetic) {
    struct Case { int y, m, d, h, n, s, ms; int day; int time; };
    const Case cases[] = {
        {1, 1, 1, 0, 0, 0, 0, 1, 0},
        {1899, 12, 30, 0, 0, 0, 0, DateDelta, 0},
        {1899, 12, 29, 6, 0, 0, 0, DateDelta - 1, 21600000},   // before the zero date
        {2000, 2, 29, 12, 30, 15, 500, 730179, 45015500},
        {9999, 12, 31, 23, 59, 59, 999, 3652059, 86399999},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        TDateTime dt = EncodeDate(c.y, c.m, c.d);
        dt = dt < 0 ? dt - EncodeTime(c.h, c.n, c.s, c.ms) : dt + EncodeTime(c.h, c.n, c.s, c.ms);
        TTimeStamp ts = DateTimeToTimeStamp(dt);
        EXPECT_EQ(ts.Date, c.day);
        EXPECT_EQ(ts.Time, c.time);
        EXPECT_EQ(TimeStampToMSecs(ts), double(c.day) * MSecsPerDay + c.time);
        TTimeStamp back = MSecsToTimeStamp(TimeStampToMSecs(ts));
        EXPECT_EQ(back.Date, ts.Date);
        EXPECT_EQ(back.Time, ts.Time);
        EXPECT_EQ(DateTimeToTimeStamp(TimeStampToDateTime(ts)).Time, c.time);
        int y, m, d, h, n, s, ms;
        DecodeDate(dt, y, m, d);
        DecodeTime(dt, h, n, s, ms);
        EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{c.y, c.m, c.d, c.h, c.n, c.s, c.ms}));
    }
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
}

TEST(DateUtils, EncodeRefusesImpossibleValues) {
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);   // a century, not a leap year
    EXPECT_NO_THROW(EncodeDate(2000, 2, 29));
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
    try {
        EncodeTime(24, 0, 0, 0);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to time encode");
    }
}

TEST(DateUtils, TextFormRoundTrips) {
    TDateTime dt = EncodeDate(2024, 3, 7) + EncodeTime(0, 5, 9, 0);
    EXPECT_EQ(DateToStr(dt), "3/7/2024");
    EXPECT_EQ(TimeToStr(dt), "12:05:09 AM");
    EXPECT_EQ(DateTimeToStr(dt), "3/7/2024 12:05:09 AM");
    EXPECT_EQ(StrToDateTime(DateTimeToStr(dt)), dt);
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 7)), "3/7/2024");   // midnight shows no time
    EXPECT_EQ(TimeToStr(EncodeTime(12, 0, 0, 0)), "12:00:00 PM");
    EXPECT_EQ(DateToStr(EncodeDate(5, 1, 2)), "1/2/0005");
    // every second of a day and many days survive the text form exactly
    for (int sec = 0; sec < SecsPerDay; sec += 977) {
        TDateTime t = EncodeDate(1850 + sec % 300, 1 + sec % 12, 1 + sec % 28) + sec / double(SecsPerDay);
        TDateTime back = StrToDateTime(DateTimeToStr(t));
        EXPECT_EQ(DateTimeToTimeStamp(back).Date, DateTimeToTimeStamp(t).Date);
        EXPECT_EQ(DateTimeToTimeStamp(back).Time, DateTimeToTimeStamp(t).Time);
    }
    EXPECT_EQ(StrToTime("23:15"), EncodeTime(23, 15, 0, 0));
    EXPECT_EQ(StrToTime(" 1:02:03.4 pm "), EncodeTime(13, 2, 3, 4));
    EXPECT_EQ(StrToDateTime("2:00:00 PM"), EncodeTime(14, 0, 0, 0));
}

TEST(DateUtils, BadTextRaisesTheConversionError) {
    struct Case { const char* text; int kind; const char* message; };
    const Case cases[] = {
        {"2024-03-07", 0, "'2024-03-07' is not a valid date"},
        {"13/1/2024", 0, "'13/1/2024' is not a valid date"},
        {"", 0, "'' is not a valid date"},
        {"3/7/2024 1:00", 0, "'3/7/2024 1:00' is not a valid date"},
        {"13:00 PM", 1, "'13:00 PM' is not a valid time"},
        {"1:60", 1, "'1:60' is not a valid time"},
        {"noon", 1, "'noon' is not a valid time"},
        {"3/7/2024 x", 2, "'3/7/2024 x' is not a valid date and time"},
    };
    for (const Case& c : cases) {
        try {
            if (c.kind == 0) StrToDate(c.text);
            else if (c.kind == 1) StrToTime(c.text);
            else StrToDateTime(c.text);
            ADD_FAILURE() << c.text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST(DateUtils, NowIsToday) {
    TDateTime now = Now();
    EXPECT_GE(now, Date());
    EXPECT_LT(now, Date() + 1);
    EXPECT_GT(Date(), EncodeDate(2020, 1, 1));
}

}  // namespace
