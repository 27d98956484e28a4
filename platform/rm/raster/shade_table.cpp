#include "platform/rm/raster/shade_table.h"

#include <algorithm>
#include <cmath>

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
  const float steps = this->steps(), scale = this->scale(), back = 255.0f / steps;
  for (int cell = 0; cell < 16; ++cell) {
    // Without dithering every cell rounds to the nearest shade (threshold one half).
    float threshold = dither ? (kBayer[cell] + 0.5f) / 16.0f : 0.5f;
    thresholds_[cell] = threshold;
    for (int v = 0; v < 256; ++v) {
      float shade = std::min(std::floor(static_cast<float>(v) * scale + threshold), steps);
      table_[cell][v] = static_cast<uint8_t>(shade * back + 0.5f);
    }
  }
}

}  // namespace rm::raster
