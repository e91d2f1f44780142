// The toolkit's byte stream: reads and writes at its position, like the component
// library's TStream. Concrete streams say how bytes are stored; everything else
// (position, size) is built on Seek.
#pragma once

#include <cstdint>

namespace toolkit {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;

  // Reads up to count bytes at the position into buffer and moves the position past
  // them; returns how many arrived (fewer at the end of the stream, 0 for count <= 0).
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  // Writes count bytes at the position and moves the position past them; returns how
  // many were written.
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // Moves the position and returns the new one.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  // The size in bytes; the position is left where it was.
  std::int64_t Size();
};

}  // namespace toolkit
