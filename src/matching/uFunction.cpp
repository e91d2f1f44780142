#include "matching/uFunction.h"

#include <array>
#include <cmath>
#include <vector>

#include "toolkit/Exception.h"
#include "toolkit/TMemoryStream.h"

namespace {

constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The value of a Base64 character, or -1.
constexpr std::array<std::int8_t, 256> kBase64Values = [] {
  std::array<std::int8_t, 256> values{};
  values.fill(-1);
  for (int i = 0; i < 64; ++i)
    values[static_cast<unsigned char>(kBase64Alphabet[i])] = std::int8_t(i);
  return values;
}();

// The searches take the area as a rectangle of (right - left) x (bottom - top); the
// 32-bit arithmetic wraps as the original integers did instead of overflowing.
std::int32_t Wrap32(std::int64_t value) {
  return static_cast<std::int32_t>(value);
}

// Grabs the area into buffer; false when it holds no usable picture of it.
bool GrabArea(TBDBitmapData& buffer, std::int32_t left, std::int32_t top, std::int32_t right,
              std::int32_t bottom) {
  return buffer.CopyFromScreen(left, top, Wrap32(std::int64_t(right) - left),
                               Wrap32(std::int64_t(bottom) - top));
}

}  // namespace

TTolerance ToleranceForSimilarity(std::int32_t similarity) {
  const std::int32_t product = Wrap32(255 * (100 - std::int64_t(similarity)));
  const auto limit = static_cast<std::int32_t>(std::trunc(product / 100.0));
  return {limit, limit, limit};
}

toolkit::TColor GetScreenPixel(std::int32_t x, std::int32_t y) {
  return static_cast<toolkit::TColor>(platform::GetPixel(x, y));
}

platform::Point SearchColor(const std::string& colorText, std::int32_t left, std::int32_t top,
                            std::int32_t right, std::int32_t bottom, std::int32_t similarity) {
  const toolkit::TColor textColor = toolkit::StringToColor(colorText);
  // The invalid colour is what a pixel read that failed gives, and what the colour
  // capture then writes ($FFFFFFFF): no pixel shows it, and its low bytes would send the
  // run clicking on white, a colour nobody chose.
  if (static_cast<std::uint32_t>(textColor) == platform::kInvalidColor) return {-1, -1};
  const std::int32_t color = SwapRedBlue(textColor);
  TBDBitmapData buffer;
  std::int32_t x = -1;
  std::int32_t y = -1;
  // A failed grab leaves no picture of the screen to search.
  if (!GrabArea(buffer, left, top, right, bottom)) return {-1, -1};
  const bool found =
      similarity == 100 ? buffer.FindColor(color, x, y)
                        : buffer.FindColorTolerant(color, ToleranceForSimilarity(similarity), x, y);
  if (!found) return {-1, -1};
  return {Wrap32(std::int64_t(left) + x), Wrap32(std::int64_t(top) + y)};
}

platform::Point SearchPicture(const TBDBitmapData& picture, std::int32_t left, std::int32_t top,
                              std::int32_t right, std::int32_t bottom, std::int32_t similarity) {
  TBDBitmapData buffer;
  std::int32_t x = -1;
  std::int32_t y = -1;
  if (!GrabArea(buffer, left, top, right, bottom)) return {-1, -1};
  const bool found = similarity == 100 ? buffer.FindPicture(picture, x, y)
                                       : buffer.FindPictureTolerant(
                                             picture, ToleranceForSimilarity(similarity), x, y);
  if (!found) return {-1, -1};
  return {Wrap32(std::int64_t(left) + x + picture.width() / 2),
          Wrap32(std::int64_t(top) + y + picture.height() / 2)};
}

std::string PictureToText(toolkit::TStream& stream) {
  stream.SetPosition(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size()));
  bytes.resize(static_cast<std::size_t>(stream.Read(bytes.data(), std::int64_t(bytes.size()))));
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = std::uint32_t(bytes[i]) << 16;
    if (n > 1) group |= std::uint32_t(bytes[i + 1]) << 8;
    if (n > 2) group |= bytes[i + 2];
    text += kBase64Alphabet[(group >> 18) & 63];
    text += kBase64Alphabet[(group >> 12) & 63];
    text += n > 1 ? kBase64Alphabet[(group >> 6) & 63] : '=';
    text += n > 2 ? kBase64Alphabet[group & 63] : '=';
  }
  return text;
}

std::unique_ptr<toolkit::TMemoryStream> TextToPicture(const std::string& text) {
  if (text.size() % 4 != 0) {
    throw toolkit::EConvertError("picture text length is not a multiple of 4");
  }
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    // "=" pads only the last group: "xy==" gives one byte, "xyz=" two.
    const int padding = (last && text[i + 3] == '=') ? (text[i + 2] == '=' ? 2 : 1) : 0;
    std::uint32_t group = 0;
    for (int k = 0; k < 4; ++k) {
      const int value =
          k < 4 - padding ? kBase64Values[static_cast<unsigned char>(text[i + k])] : 0;
      if (value < 0) throw toolkit::EConvertError("picture text holds a character outside Base64");
      group = (group << 6) | static_cast<std::uint32_t>(value);
    }
    bytes.push_back(static_cast<std::uint8_t>(group >> 16));
    if (padding < 2) bytes.push_back(static_cast<std::uint8_t>(group >> 8));
    if (padding < 1) bytes.push_back(static_cast<std::uint8_t>(group));
  }
  auto stream = std::make_unique<toolkit::TMemoryStream>();
  stream->Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return stream;
}

bool OpenWebPage() {
  // No owner window: the shell opens the page on its own.
  platform::ShellOpen(0, kWebPageAddress);
  return true;
}

bool OpenMailAddress() {
  platform::ShellOpen(0, std::string("mailto:") + kSupportMailAddress);
  return true;
}
