// Turns an XImage of the screen into rows of the 24-bit bottom-up block that the pixel buffer
// holds (three bytes blue, green, red per pixel, the picture's bottom row stored first).
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

namespace platform::x11 {

// Writes image into block, a picture of blockHeight rows of stride bytes, with the image's
// top-left pixel at (column, topRow) of that picture counted from its top-left corner; the
// image must fit inside it. Only the image's pixels are written. Handles ZPixmap images of
// 16, 24 and 32 bits per pixel with red, green and blue masks (TrueColor and DirectColor
// screens) in either byte order; returns false for anything else (a palette screen).
bool ConvertImageToDib(const XImage& image, std::uint8_t* block, std::int32_t stride,
                       std::int32_t blockHeight, std::int32_t column, std::int32_t topRow);

}  // namespace platform::x11
