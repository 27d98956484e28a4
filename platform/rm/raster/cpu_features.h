#pragma once
// Which wide instructions the rasterizer may use: what the processor has, optionally capped
// (tests cap it to check that every path draws the same pixels).
#include <atomic>

namespace rm::raster {

enum class SimdLevel { Sse2, Avx2, Avx512 };

namespace detail {
extern std::atomic<SimdLevel> simdLevelInUse;  // set once at start-up and by capSimdLevel
}

// The widest level the processor has, within the cap. Cheap: the span fillers ask per call.
inline SimdLevel simdLevel() { return detail::simdLevelInUse.load(std::memory_order_relaxed); }
// Caps the level for the whole process; SimdLevel::Avx512 lifts the cap.
void capSimdLevel(SimdLevel cap);

}  // namespace rm::raster
