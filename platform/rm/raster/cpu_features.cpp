#include "platform/rm/raster/cpu_features.h"

#include <algorithm>
#include <atomic>

namespace rm::raster {

namespace {

SimdLevel detect() {
#if defined(__x86_64__) && defined(__GNUC__)
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
      __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq"))
    return SimdLevel::Avx512;
  if (__builtin_cpu_supports("avx2")) return SimdLevel::Avx2;
#endif
  return SimdLevel::Sse2;
}

std::atomic<SimdLevel> cap{SimdLevel::Avx512};

}  // namespace

SimdLevel simdLevel() {
  static const SimdLevel have = detect();
  return std::min(have, cap.load(std::memory_order_relaxed));
}

void capSimdLevel(SimdLevel level) { cap.store(level, std::memory_order_relaxed); }

}  // namespace rm::raster
