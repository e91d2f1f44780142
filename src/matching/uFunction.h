// The screen searches the click runner and the settings panel call, the picture text
// the click job keeps its picture in, and the link openers of the About box.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "matching/BitmapData.h"
#include "platform/Desktop.h"
#include "toolkit/TColor.h"

namespace toolkit {
class TMemoryStream;
class TStream;
}  // namespace toolkit

// The product's web page and the support mail address (the About box shows both as
// they are opened; the mail address without its "mailto:").
inline constexpr char kWebPageAddress[] = "https://pilgrove.example.org/";
inline constexpr char kSupportMailAddress[] = "support@pilgrove.example.org";

// The per-channel limit of a similarity percentage other than 100:
// trunc(255 * (100 - similarity) / 100), the product taken as a 32-bit integer.
TTolerance ToleranceForSimilarity(std::int32_t similarity);

// The TColor of the screen pixel at (x, y).
toolkit::TColor GetScreenPixel(std::int32_t x, std::int32_t y);
// Where the colour of colorText first shows in the area (left, top)-(right, bottom), or
// (-1, -1). Colour text that doesn't convert raises EConvertError before any grab; the
// invalid colour (platform::kInvalidColor, what a failed pixel read gives) shows nowhere.
platform::Point SearchColor(const std::string& colorText, std::int32_t left, std::int32_t top,
                            std::int32_t right, std::int32_t bottom, std::int32_t similarity);
// The centre of the first place in the area that shows picture, or (-1, -1).
platform::Point SearchPicture(const TBDBitmapData& picture, std::int32_t left, std::int32_t top,
                              std::int32_t right, std::int32_t bottom, std::int32_t similarity);

// Base64 (RFC 2045 alphabet, "=" padding, no line breaks) of the whole stream, read from
// its start.
std::string PictureToText(toolkit::TStream& stream);
// The bytes of a picture text in a new stream positioned at its end. A length that is
// not a multiple of four, a character outside the alphabet or a misplaced "=" raises
// EConvertError.
std::unique_ptr<toolkit::TMemoryStream> TextToPicture(const std::string& text);

bool OpenWebPage();
bool OpenMailAddress();
