// Which x86 vector instructions the processor runs, for the few hot loops (the colour scans,
// the screen conversion) that pick their widest path at run time: the builds target baseline
// x86-64, where SSE2 is all that can be taken for granted. Elsewhere the level is kBaseline
// and those loops take their plain path.
//
// Tests lower the limit to keep the narrower paths tested on a machine that has wider ones.
// Used on the GUI thread only, like the loops that ask.
#pragma once

namespace platform {

enum class VectorLevel {
  kBaseline,  // SSE2 on x86-64, plain code elsewhere
  kSsse3,
  kAvx2,
  kAvx512,  // AVX-512 F and BW
};

namespace detail {
inline VectorLevel& VectorLevelLimit() {
  static VectorLevel limit = VectorLevel::kAvx512;
  return limit;
}
}  // namespace detail

// What the processor and the operating system support, asked once.
inline VectorLevel DetectedVectorLevel() {
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
  // __builtin_cpu_supports also checks that the system saves the wide registers.
  static const VectorLevel detected = [] {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw")) {
      return VectorLevel::kAvx512;
    }
    if (__builtin_cpu_supports("avx2")) return VectorLevel::kAvx2;
    if (__builtin_cpu_supports("ssse3")) return VectorLevel::kSsse3;
    return VectorLevel::kBaseline;
  }();
  return detected;
#else
  return VectorLevel::kBaseline;
#endif
}

// The detected level, lowered to the limit.
inline VectorLevel VectorLevelInUse() {
  const VectorLevel detected = DetectedVectorLevel();
  const VectorLevel limit = detail::VectorLevelLimit();
  return limit < detected ? limit : detected;
}

// Caps the level that VectorLevelInUse reports; kAvx512 lifts the cap.
inline void LimitVectorLevel(VectorLevel limit) {
  detail::VectorLevelLimit() = limit;
}

}  // namespace platform
