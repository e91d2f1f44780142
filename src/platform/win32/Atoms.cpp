#include <windows.h>

#include <cstdint>

#include "platform/Desktop.h"
#include "platform/win32/DebugLog.h"

namespace platform {

std::uint16_t GlobalAddAtomA(const char* name) {
  // Adding an existing name returns its atom again (and counts a reference); the program
  // uses the atoms as hot-key identifiers and never deletes them.
  const ATOM atom = ::GlobalAddAtomA(name);
  if (atom == 0) win32::LogFailure("GlobalAddAtomA");
  return atom;
}

}  // namespace platform
