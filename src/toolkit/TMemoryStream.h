// A stream held in memory. Writing past the end grows it; seeking past the end is
// allowed and a later write fills the gap with zero bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/TStream.h"

namespace toolkit {

class TMemoryStream : public TStream {
 public:
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

  // Cuts or zero-extends the stream; the position is kept, at most at the new end.
  void SetSize(std::int64_t size);
  // Empties the stream and rewinds it.
  void Clear();
  const std::vector<std::uint8_t>& Memory() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::int64_t position_ = 0;
};

}  // namespace toolkit
