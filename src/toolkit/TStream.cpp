#include "toolkit/TStream.h"

namespace toolkit {

std::int64_t TStream::Size() {
  const std::int64_t position = Position();
  const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
  SetPosition(position);
  return size;
}

}  // namespace toolkit
