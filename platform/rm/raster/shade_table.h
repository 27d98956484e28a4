#pragma once
// Quantising colours to a number of shades, with optional ordered dithering (4x4 Bayer
// thresholds).
#include <algorithm>
#include <cstdint>

#include "platform/rm/raster/color.h"

namespace rm::raster {

class ShadeTable {
 public:
  // levels: shades per channel (clamped to 2..256); 256 leaves colours as they are.
  void configure(uint32_t levels, bool dither);
  bool active() const { return active_; }
  // The shade of channel value v (0..255, clamped here) at pixel (x, y):
  // shade = min(floor(v * scale() + threshold(x, y)), steps()), as 0..255 rounded.
  // Code that computes several pixels at once uses the same arithmetic.
  uint32_t quantize(float v, int x, int y) const {
    float shade = static_cast<float>(static_cast<int>(clampChannel(v, 255.0f) * scale_ + threshold(x, y)));
    return static_cast<uint32_t>(std::min(shade, steps_) * back_ + 0.5f);
  }

  float steps() const { return steps_; }
  float scale() const { return scale_; }   // steps per channel unit
  float back() const { return back_; }     // channel units per step
  float threshold(int x, int y) const { return thresholds_[y & 3][x & 3]; }
  // The thresholds of row y from pixel x on, for the next 16 pixels.
  const float* thresholdsFrom(int x, int y) const { return &thresholds_[y & 3][x & 3]; }

 private:
  uint32_t levels_ = 0;
  bool dither_ = false;
  bool active_ = false;
  float steps_ = 1, scale_ = 1, back_ = 1;
  float thresholds_[4][20] = {};  // per row of the 4x4 matrix, its four values five times over
};

}  // namespace rm::raster
