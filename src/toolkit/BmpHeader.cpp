#include "toolkit/BmpHeader.h"

namespace toolkit {

namespace {

// Little-endian fields at fixed offsets, whatever the host's byte order.
template <typename T>
void Put(TBmpHeaderBytes& bytes, std::size_t offset, T value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i, bits >>= 8) {
    bytes[offset + i] = static_cast<std::uint8_t>(bits);
  }
}

template <typename T>
T Get(const TBmpHeaderBytes& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = sizeof(T); i-- > 0;) bits = (bits << 8) | bytes[offset + i];
  return static_cast<T>(bits);
}

}  // namespace

bool TBmpHeader::IsPlain24Bit() const {
  return bfType == 0x4D42 && biSize == kBmpInfoHeaderSize && biBitCount == 24 && biCompression == 0;
}

TBmpHeader Bmp24Header(std::int32_t width, std::int32_t height, std::uint32_t dataSize) {
  TBmpHeader header;
  header.bfSize = dataSize + kBmpHeaderSize;
  header.biWidth = width;
  header.biHeight = height;
  header.biSizeImage = dataSize;
  return header;
}

TBmpHeaderBytes EncodeBmpHeader(const TBmpHeader& header) {
  TBmpHeaderBytes bytes{};
  Put(bytes, 0, header.bfType);
  Put(bytes, 2, header.bfSize);
  Put(bytes, 6, header.bfReserved1);
  Put(bytes, 8, header.bfReserved2);
  Put(bytes, 10, header.bfOffBits);
  Put(bytes, 14, header.biSize);
  Put(bytes, 18, header.biWidth);
  Put(bytes, 22, header.biHeight);
  Put(bytes, 26, header.biPlanes);
  Put(bytes, 28, header.biBitCount);
  Put(bytes, 30, header.biCompression);
  Put(bytes, 34, header.biSizeImage);
  Put(bytes, 38, header.biXPelsPerMeter);
  Put(bytes, 42, header.biYPelsPerMeter);
  Put(bytes, 46, header.biClrUsed);
  Put(bytes, 50, header.biClrImportant);
  return bytes;
}

TBmpHeader DecodeBmpHeader(const TBmpHeaderBytes& bytes) {
  TBmpHeader header;
  header.bfType = Get<std::uint16_t>(bytes, 0);
  header.bfSize = Get<std::uint32_t>(bytes, 2);
  header.bfReserved1 = Get<std::uint16_t>(bytes, 6);
  header.bfReserved2 = Get<std::uint16_t>(bytes, 8);
  header.bfOffBits = Get<std::uint32_t>(bytes, 10);
  header.biSize = Get<std::uint32_t>(bytes, 14);
  header.biWidth = Get<std::int32_t>(bytes, 18);
  header.biHeight = Get<std::int32_t>(bytes, 22);
  header.biPlanes = Get<std::uint16_t>(bytes, 26);
  header.biBitCount = Get<std::uint16_t>(bytes, 28);
  header.biCompression = Get<std::uint32_t>(bytes, 30);
  header.biSizeImage = Get<std::uint32_t>(bytes, 34);
  header.biXPelsPerMeter = Get<std::int32_t>(bytes, 38);
  header.biYPelsPerMeter = Get<std::int32_t>(bytes, 42);
  header.biClrUsed = Get<std::uint32_t>(bytes, 46);
  header.biClrImportant = Get<std::uint32_t>(bytes, 50);
  return header;
}

}  // namespace toolkit
