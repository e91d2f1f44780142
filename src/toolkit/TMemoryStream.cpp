#include "toolkit/TMemoryStream.h"

#include <algorithm>
#include <cstring>

namespace toolkit {

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  const auto size = static_cast<std::int64_t>(bytes_.size());
  if (count <= 0 || position_ >= size) return 0;
  const std::int64_t n = std::min(count, size - position_);
  std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::int64_t end = position_ + count;
  if (end > static_cast<std::int64_t>(bytes_.size())) bytes_.resize(static_cast<std::size_t>(end));
  std::memcpy(bytes_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = 0;
  if (origin == TSeekOrigin::soCurrent) base = position_;
  if (origin == TSeekOrigin::soEnd) base = static_cast<std::int64_t>(bytes_.size());
  // A position before the start is not a place in the stream: it stays at 0.
  position_ = std::max<std::int64_t>(0, base + offset);
  return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
  bytes_.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, size)));
  position_ = std::min(position_, static_cast<std::int64_t>(bytes_.size()));
}

void TMemoryStream::Clear() {
  bytes_.clear();
  position_ = 0;
}

}  // namespace toolkit
