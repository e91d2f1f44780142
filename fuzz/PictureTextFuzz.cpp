// Picture text from outside, through the whole path the click job takes it: the Base64
// decoder, GetPicture's BMP reader, the picture search over the screen and a click tick.
//
// The first byte picks what the rest is: picture text as it stands (the decoder's own
// errors), or the bytes of a file that are first encoded as picture text, so that the
// BMP reader behind GetPicture sees every header the fuzzer makes up.
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/uObject.h"
#include "matching/BitmapData.h"
#include "matching/uFunction.h"
#include "platform/sim/SimDesktop.h"
#include "toolkit/Exception.h"
#include "toolkit/TApplication.h"
#include "toolkit/TMemoryStream.h"
#include "toolkit/headless/Headless.h"

namespace {

constexpr std::int32_t kScreenWidth = 40;
constexpr std::int32_t kScreenHeight = 30;

// Decoding a text and encoding the result again gives the same bytes; the decoded size
// follows from the text's length and its padding alone.
void CheckDecoding(const std::string& text, toolkit::TMemoryStream& stream) {
  std::size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
  if (stream.Size() != std::int64_t(text.size() / 4 * 3 - padding)) __builtin_trap();
  const std::string again = PictureToText(stream);
  if (again.size() != text.size()) __builtin_trap();
  const auto decoded = TextToPicture(again);
  if (decoded->Memory() != stream.Memory()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::sim::Reset();
  // A header may ask for up to 2 GiB; refusing large blocks takes the "no memory" path
  // instead of running into the fuzzer's own memory limit.
  platform::sim::RefuseAllocationsAbove(std::size_t(1) << 20);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const bool encodeFirst = (data[0] & 1) != 0;
  // 100 picks the exact scan; above 100 nothing ever matches.
  const std::int32_t similarity = 60 + data[1] % 50;
  data += 2;
  size -= 2;

  toolkit::headless::Reset();
  platform::sim::ClearLogs();
  platform::sim::SetScreenSize(kScreenWidth, kScreenHeight);
  RecordScreenSize();
  int dropped = 0;
  toolkit::Application.OnException = [&](toolkit::TObject*, const toolkit::Exception&) {
    ++dropped;
  };

  std::string text;
  if (encodeFirst) {
    toolkit::TMemoryStream bytes;
    bytes.Write(data, static_cast<std::int64_t>(size));
    text = PictureToText(bytes);
  } else {
    text.assign(reinterpret_cast<const char*>(data), size);
  }

  bool decodes = true;
  try {
    const auto stream = TextToPicture(text);
    CheckDecoding(text, *stream);
  } catch (const toolkit::EConvertError&) {
    decodes = false;
  }
  if (encodeFirst && !decodes) __builtin_trap();  // our own text always decodes

  TMouseObj job;
  job.pictureText = text;
  TBDBitmapData* picture = nullptr;
  try {
    picture = job.GetPicture();
  } catch (const toolkit::EConvertError&) {
    if (decodes || job.pictureCache) __builtin_trap();  // no cache after a failed decode
  }
  if (picture != nullptr) {
    if (job.GetPicture() != picture) __builtin_trap();  // decoded once, then kept
    // Shown on the screen, a picture that fits is found at any similarity up to 100: the
    // first match lies at or before the place it was painted.
    const std::int32_t w = picture->width();
    const std::int32_t h = picture->height();
    const bool fits = picture->pixels() != nullptr && w > 0 && h > 0 && w <= kScreenWidth - 3 &&
                      h <= kScreenHeight - 2;
    const bool findable = fits && similarity <= 100;
    if (fits) platform::sim::PaintBlock(3, 2, w, h, picture->pixels(), picture->stride());
    const platform::Point at =
        SearchPicture(*picture, 0, 0, kScreenWidth, kScreenHeight, similarity);
    if (findable && (at.x == -1 || at.y - h / 2 > 2 || (at.y - h / 2 == 2 && at.x - w / 2 > 3))) {
      __builtin_trap();
    }
  }

  // The runner's tick takes the same path every click interval; errors end the tick and
  // are dropped, as the main window drops them.
  TBaseCtrl runner;
  runner.targetMode = ctPicture;
  runner.pictureText = text;
  runner.pictureSimilar = similarity;
  runner.interval = 100;
  runner.stopMode = stRepeat;
  runner.repeatTimes = 2;
  runner.Start(nullptr);
  toolkit::headless::Advance(1000 + 3 * 100);
  if (!decodes && (dropped == 0 || runner.counter != 0 || runner.pictureCache)) __builtin_trap();
  runner.Stop();
  toolkit::Application.OnException = nullptr;
  return 0;
}
