#include "toolkit/SysUtils.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "toolkit/Exception.h"

using toolkit::EConvertError;

TEST(SysUtilsConversions, StrToIntAcceptsBlanksSignDecimalAndDollarHex) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"0", 0},
      {"5", 5},
      {"   5", 5},
      {"+17", 17},
      {"-17", -17},
      {"007", 7},
      {"$1f", 31},
      {"$FF", 255},
      {"-$10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"$7FFFFFFF", 2147483647},
  };
  for (const auto& c : cases) EXPECT_EQ(toolkit::StrToInt(c.text), c.value) << c.text;
}

TEST(SysUtilsConversions, StrToIntRejectsEverythingElse) {
  const char* rejected[] = {
      "",    " ",    "5 ", "-",   "+",          "$",           "1.5",       "12a",
      "- 5", "0x10", "$G", "\t5", "2147483648", "-2147483649", "$80000000", "99999999999999999999"};
  for (const char* text : rejected) {
    EXPECT_THROW(toolkit::StrToInt(text), EConvertError) << '"' << text << '"';
  }
}

TEST(SysUtilsConversions, StrToInt64HasTheWholeSixtyFourBitRange) {
  EXPECT_EQ(toolkit::StrToInt64("2147483648"), 2147483648LL);
  EXPECT_EQ(toolkit::StrToInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(toolkit::StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(toolkit::StrToInt64("$FFFFFFFF"), 0xFFFFFFFFLL);
  EXPECT_THROW(toolkit::StrToInt64("9223372036854775808"), EConvertError);
  EXPECT_THROW(toolkit::StrToInt64("-9223372036854775809"), EConvertError);
  EXPECT_THROW(toolkit::StrToInt64("$10000000000000000"), EConvertError);
  EXPECT_THROW(toolkit::StrToInt64(""), EConvertError);
}

TEST(SysUtilsConversions, TrimDropsBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(toolkit::Trim(" \t5\r\n "), "5");
  EXPECT_EQ(toolkit::Trim("a b"), "a b");
  EXPECT_EQ(toolkit::Trim("\x01\x1F"), "");
  EXPECT_EQ(toolkit::Trim(""), "");
  // Bytes of a UTF-8 character are above the blank and stay.
  EXPECT_EQ(toolkit::Trim(" \xE4\xBD\xA0 "), "\xE4\xBD\xA0");
}

TEST(SysUtilsConversions, IntToStrWritesDecimal) {
  EXPECT_EQ(toolkit::IntToStr(0), "0");
  EXPECT_EQ(toolkit::IntToStr(-42), "-42");
  EXPECT_EQ(toolkit::IntToStr(INT64_MIN), "-9223372036854775808");
}
