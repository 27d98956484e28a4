#include "platform/rm/raster/cpu_features.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>

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

// ZTARN_SIMD=sse2 or avx2 in the environment caps the level, to compare the paths' speed.
SimdLevel capFromEnvironment() {
  const char* v = std::getenv("ZTARN_SIMD");
  if (v && std::strcmp(v, "sse2") == 0) return SimdLevel::Sse2;
  if (v && std::strcmp(v, "avx2") == 0) return SimdLevel::Avx2;
  return SimdLevel::Avx512;
}

const SimdLevel have = detect();

}  // namespace

std::atomic<SimdLevel> detail::simdLevelInUse{std::min(have, capFromEnvironment())};

void capSimdLevel(SimdLevel level) { detail::simdLevelInUse.store(std::min(have, level), std::memory_order_relaxed); }

}  // namespace rm::raster
