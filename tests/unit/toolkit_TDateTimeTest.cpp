#include <string>

#include "toolkit/TDateTime.h"
#include "toolkit_Fixture.h"

using namespace toolkit;

namespace {

using DateTimeTest = ToolkitTest;

TEST_F(DateTimeTest, NowFollowsTheSimulatedClock) {
  headless::SetNow(EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 500));
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", Now()), "2024-02-29 23:59:59.500");
  headless::Advance(600);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", Now()), "2024-03-01 00:00:00.100");
  EXPECT_EQ(Date(), EncodeDate(2024, 3, 1));
  EXPECT_NEAR(Time(), EncodeTime(0, 0, 0, 100), 1e-9);
}

TEST_F(DateTimeTest, FormatUsesTheUserTimeSeparator) {
  const TDateTime t = EncodeTime(7, 5, 9, 0);
  EXPECT_EQ(FormatDateTime("hh:mm:ss", t), "07:05:09");
  EXPECT_EQ(FormatDateTime("h:m:s", t), "7:5:9");
  headless::SetTimeSeparator('.');
  EXPECT_EQ(FormatDateTime("hh:mm:ss", t), "07.05.09");
  EXPECT_EQ(FormatDateTime("'at' hh\"h\"", t), "at 07h");
}

TEST_F(DateTimeTest, TimeRoundsToTheMillisecondAndWrapsAtMidnight) {
  const TTimeOfDay t = DecodeTime(0.9999999999);  // 8.64 microseconds before midnight
  EXPECT_EQ(t.hour, 0);
  EXPECT_EQ(t.minute, 0);
  EXPECT_EQ(FormatDateTime("dd hh:mm:ss", 0.9999999999), "31 00:00:00");
}

TEST_F(DateTimeTest, StrToTimeReadsLocaleTimes) {
  struct Case {
    const char* text;
    int h, m, s, ms;
  };
  const Case good[] = {
      {"12:34:56", 12, 34, 56, 0}, {"0:00", 0, 0, 0, 0},        {" 7:05 ", 7, 5, 0, 0},
      {"23:59:59", 23, 59, 59, 0}, {"1:02:03.5", 1, 2, 3, 500}, {"12:00 AM", 0, 0, 0, 0},
      {"12:30 pm", 12, 30, 0, 0},  {"1:15:00PM", 13, 15, 0, 0},
  };
  for (const Case& c : good) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(StrToTime(c.text), EncodeTime(c.h, c.m, c.s, c.ms));
  }
  for (const char* bad : {"", "12", "24:00", "12:60", "12:00:60", "1:2:3:4", "a:00", "12:00x",
                          "-1:00", "13:00 PM", "12.30", "12:00:00.1234", "123:00"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(StrToTime(bad), EConvertError);
  }
  headless::SetTimeSeparator('.');
  EXPECT_EQ(StrToTime("12.30.15"), EncodeTime(12, 30, 15, 0));
  EXPECT_THROW(StrToTime("12:30:15"), EConvertError);
}

TEST_F(DateTimeTest, FormattedTimeReadsBack) {
  headless::SetTimeSeparator('.');
  const TDateTime t = EncodeDate(2024, 1, 1) + EncodeTime(18, 4, 2, 0);
  EXPECT_EQ(StrToTime(FormatDateTime("hh:mm:ss", t)), EncodeTime(18, 4, 2, 0));
}

TEST_F(DateTimeTest, EncodeRejectsWhatDoesNotExist) {
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_THROW(EncodeDate(2024, 13, 1), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
  EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
}

}  // namespace
