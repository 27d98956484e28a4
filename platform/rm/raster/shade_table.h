#pragma once
// Quantising colours to a number of shades, with optional ordered dithering: a look-up table
// from (dither cell, 8-bit channel value) to the 8-bit value of the chosen shade.
#include <cstdint>

namespace rm::raster {

class ShadeTable {
 public:
  // levels: shades per channel (clamped to 2..256); 256 leaves colours as they are.
  void configure(uint32_t levels, bool dither);
  bool active() const { return active_; }
  // The shade for channel value v (0..255) at pixel (x, y).
  uint8_t quantize(uint32_t v, int x, int y) const { return table_[(y & 3) * 4 + (x & 3)][v]; }

  // The same quantizing as arithmetic, for code that computes several pixels at once:
  // shade = min(floor(v * scale() + threshold(x, y)), steps()); value = round(shade * 255 / steps()).
  float steps() const { return static_cast<float>(levels_ - 1); }
  float scale() const { return steps() / 255.0f; }
  float threshold(int x, int y) const { return thresholds_[(y & 3) * 4 + (x & 3)]; }

 private:
  uint32_t levels_ = 0;
  bool dither_ = false;
  bool active_ = false;
  float thresholds_[16] = {};
  uint8_t table_[16][256] = {};
};

}  // namespace rm::raster
