#include "toolkit/TColor.h"

#include <array>
#include <cstdint>
#include <limits>

#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"

namespace toolkit {

namespace {

struct ColorName {
  TColor value;
  const char* name;
};

constexpr std::array<ColorName, 52> kColorTable{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
}};

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameTextAscii(const std::string& text, const char* name) {
  std::size_t i = 0;
  for (; i < text.size() && name[i] != '\0'; ++i) {
    if (AsciiLower(text[i]) != AsciiLower(name[i])) return false;
  }
  return i == text.size() && name[i] == '\0';
}

}  // namespace

std::string ColorToString(TColor color) {
  for (const ColorName& entry : kColorTable) {
    if (entry.value == color) return entry.name;
  }
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string text = "$00000000";
  auto bits = static_cast<std::uint32_t>(color);
  for (std::size_t i = text.size() - 1; i > 0; --i, bits >>= 4) text[i] = kHexDigits[bits & 0xF];
  return text;
}

TColor StringToColor(const std::string& text) {
  // Every identifier begins with "cl": a number needn't be held against the table.
  if (!text.empty() && AsciiLower(text[0]) == 'c') {
    for (const ColorName& entry : kColorTable) {
      if (SameTextAscii(text, entry.name)) return entry.value;
    }
  }
  const std::int64_t value = StrToInt64(text);
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::uint32_t>::max()) {
    throw EConvertError("'" + text + "' is not a valid colour");
  }
  return static_cast<TColor>(static_cast<std::uint32_t>(value));
}

}  // namespace toolkit
