#include "toolkit/TColor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "toolkit/Exception.h"

using toolkit::ColorToString;
using toolkit::StringToColor;
using toolkit::TColor;

namespace {

struct Entry {
  const char* name;
  std::uint32_t value;
};

// The whole colour table, as the colour text must know it.
constexpr Entry kTable[] = {
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", 0xFF000000},
    {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004},
    {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007},
    {"clWindowText", 0xFF000008},
    {"clCaptionText", 0xFF000009},
    {"clActiveBorder", 0xFF00000A},
    {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},
    {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},
    {"clInactiveCaptionText", 0xFF000013},
    {"clBtnHighlight", 0xFF000014},
    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},
    {"clInfoText", 0xFF000017},
    {"clInfoBk", 0xFF000018},
    {"clHotLight", 0xFF00001A},
    {"clGradientActiveCaption", 0xFF00001B},
    {"clGradientInactiveCaption", 0xFF00001C},
    {"clMenuHighlight", 0xFF00001D},
    {"clMenuBar", 0xFF00001E},
};
static_assert(std::size(kTable) == 52);

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

TEST(ColourText, EveryTableEntryConvertsBothWaysInAnyCase) {
  for (const Entry& e : kTable) {
    const auto value = static_cast<TColor>(e.value);
    EXPECT_EQ(ColorToString(value), e.name);
    EXPECT_EQ(StringToColor(e.name), value) << e.name;
    EXPECT_EQ(StringToColor(Upper(e.name)), value) << e.name;
  }
  EXPECT_EQ(toolkit::clBtnFace, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(StringToColor("clred"), toolkit::clRed);
}

TEST(ColourText, ColorsOutsideTheTableAreDollarAndEightUppercaseDigits) {
  EXPECT_EQ(ColorToString(0x00563412), "$00563412");
  EXPECT_EQ(ColorToString(0x00ABCDEF), "$00ABCDEF");
  EXPECT_EQ(ColorToString(-1), "$FFFFFFFF");
  // Index 25 has no identifier.
  EXPECT_EQ(ColorToString(static_cast<TColor>(0xFF000019)), "$FF000019");
}

TEST(ColourText, StringToColorReadsIntegersAsTheColoursBits) {
  EXPECT_EQ(StringToColor("$00563412"), 0x00563412);
  EXPECT_EQ(StringToColor("$000000FF"), toolkit::clRed);
  EXPECT_EQ(StringToColor("255"), 255);
  EXPECT_EQ(StringToColor("-1"), -1);
  // What ColorToString writes for any 32 bits reads back.
  EXPECT_EQ(StringToColor("$FFFFFFFF"), -1);
  EXPECT_EQ(StringToColor("$FF000019"), static_cast<TColor>(0xFF000019));
}

TEST(ColourText, StringToColorRejectsOtherText) {
  const char* rejected[] = {"",  "clRedd",     "cl Red",     "red",         "#FF0000",
                            "$", "$100000000", "4294967296", "-2147483649", "0x12"};
  for (const char* text : rejected) {
    EXPECT_THROW(StringToColor(text), toolkit::EConvertError) << '"' << text << '"';
  }
}

TEST(ColourText, EveryPlainColourSurvivesTheRoundTrip) {
  int failures = 0;
  for (TColor c = 0; c <= 0xFFFFFF; ++c) {
    if (StringToColor(ColorToString(c)) != c && ++failures <= 5) ADD_FAILURE() << c;
  }
  EXPECT_EQ(failures, 0);
}
