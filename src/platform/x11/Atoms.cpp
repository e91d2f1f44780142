// Atoms serve only as hot-key identifiers here, so a process-wide table is enough: the same
// name gives the same 16-bit number, like the global atom table does on Windows.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace platform {
namespace {

// String atoms are numbered from 0xC000 to 0xFFFF on Windows; below are the integer atoms.
constexpr std::uint16_t kFirstStringAtom = 0xC000;
constexpr std::size_t kMaxAtoms = 0x10000 - kFirstStringAtom;
constexpr std::size_t kMaxNameLength = 255;

// Atom names compare without regard to case.
std::string Folded(const char* name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

}  // namespace

std::uint16_t GlobalAddAtomA(const char* name) {
  if (name == nullptr || *name == '\0' || std::strlen(name) > kMaxNameLength) return 0;
  static std::vector<std::string> names;
  const std::string folded = Folded(name);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == folded) return static_cast<std::uint16_t>(kFirstStringAtom + i);
  }
  if (names.size() == kMaxAtoms) return 0;
  names.push_back(folded);
  return static_cast<std::uint16_t>(kFirstStringAtom + names.size() - 1);
}

}  // namespace platform
