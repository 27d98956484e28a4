#include "platform/rm/raster/shade_table.h"

#include <algorithm>

namespace rm::raster {

namespace {
// 4x4 Bayer matrix: thresholds 0..15 spread so that neighbouring cells differ most.
constexpr int kBayer[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
}  // namespace

void ShadeTable::configure(uint32_t levels, bool dither) {
  levels = std::clamp<uint32_t>(levels, 2, 256);
  if (levels == levels_ && dither == dither_) return;
  levels_ = levels;
  dither_ = dither;
  active_ = levels < 256;
  if (!active_) return;
  steps_ = static_cast<float>(levels - 1);
  scale_ = steps_ / 255.0f;
  back_ = 255.0f / steps_;
  // Without dithering every cell rounds to the nearest shade (threshold one half).
  for (int y = 0; y < 4; ++y)
    for (int i = 0; i < 20; ++i) thresholds_[y][i] = dither ? (kBayer[y * 4 + i % 4] + 0.5f) / 16.0f : 0.5f;
}

}  // namespace rm::raster
