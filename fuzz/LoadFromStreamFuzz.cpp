// BMP bytes from outside: the pixel buffer's reader and the toolkit bitmap's reader.
// Whatever a header says, nothing may be read or written outside a block, and a file
// that loads saves back to the same bytes.
#include <cstdint>
#include <cstring>

#include "matching/BitmapData.h"
#include "platform/sim/SimDesktop.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TMemoryStream.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::sim::Reset();
  // A header may ask for up to 2 GiB; refusing large blocks exercises the "no memory"
  // path instead of the fuzzer's own memory limit.
  platform::sim::RefuseAllocationsAbove(std::size_t(1) << 20);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  toolkit::TMemoryStream stream;
  stream.Write(data, static_cast<std::int64_t>(size));
  stream.SetPosition(0);

  TBDBitmapData buffer;
  const bool loaded = buffer.LoadFromStream(&stream, 0x00FF00);
  // Scans touch every pixel the buffer claims, loaded or not.
  std::int32_t x = 0;
  std::int32_t y = 0;
  buffer.FindColor(0x123456, x, y);
  buffer.FindColorTolerant(0x123456, {10, 10, 10}, x, y);
  buffer.FindPicture(buffer, x, y);

  if (loaded) {
    toolkit::TMemoryStream saved;
    if (!buffer.SaveToStream(&saved) || saved.Size() != buffer.dataSize() + 54) __builtin_trap();
    saved.SetPosition(0);
    TBDBitmapData again;
    if (!again.LoadFromStream(&saved, -1) || again.dataSize() != buffer.dataSize() ||
        (buffer.dataSize() > 0 &&
         std::memcmp(again.pixels(), buffer.pixels(), std::size_t(buffer.dataSize())) != 0)) {
      __builtin_trap();
    }
    toolkit::TBitmap bitmap;
    if (!buffer.SaveToBitmap(&bitmap) || bitmap.Width() != buffer.width()) __builtin_trap();
  }

  toolkit::TBitmap bitmap;
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
  return 0;
}
