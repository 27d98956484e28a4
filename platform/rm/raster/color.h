#pragma once
// Colours of the rasterizer: linear floats per channel, nominally 0 to 1, and the packed
// 32-bit pixel of the colour buffer (0xAARRGGBB, alpha always 0xFF).
#include <algorithm>
#include <cstdint>

namespace rm::raster {

struct ColorF {
  float r = 0, g = 0, b = 0;
  bool operator==(const ColorF&) const = default;
};

inline ColorF operator+(ColorF a, ColorF b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline ColorF operator*(ColorF a, ColorF b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline ColorF operator*(ColorF a, float s) { return {a.r * s, a.g * s, a.b * s}; }

// v within [0, top]; NaN counts as 0.
inline float clampChannel(float v, float top) { return v > 0 ? (v < top ? v : top) : 0.0f; }

// One channel 0..1 to 0..255, clamped and rounded.
inline uint32_t toByte(float v) { return static_cast<uint32_t>(clampChannel(v, 1.0f) * 255.0f + 0.5f); }

inline uint32_t packPixel(uint32_t r, uint32_t g, uint32_t b) {
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

inline uint32_t packColor(ColorF c) { return packPixel(toByte(c.r), toByte(c.g), toByte(c.b)); }

}  // namespace rm::raster
