#pragma once
// Which wide instructions the rasterizer may use: what the processor has, optionally capped
// (tests cap it to check that every path draws the same pixels).
namespace rm::raster {

enum class SimdLevel { Sse2, Avx2, Avx512 };

// The widest level the processor has, within the cap.
SimdLevel simdLevel();
// Caps the level for the whole process; SimdLevel::Avx512 lifts the cap.
void capSimdLevel(SimdLevel cap);

}  // namespace rm::raster
