// The toolkit's colour value: 0x00BBGGRR for a plain colour (red in the lowest byte).
// Values with a high byte set stand for system colours and clNone/clDefault.
#pragma once

#include <cstdint>

namespace toolkit {

using TColor = std::int32_t;

}  // namespace toolkit
