#pragma once
// What the rasterizer draws into: a 32-bit colour buffer and a depth buffer of one size, both
// owned by the caller (the device).
#include <cstdint>

namespace rm::raster {

// Half-open pixel rectangle [left, right) x [top, bottom).
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  bool empty() const { return right <= left || bottom <= top; }
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const PixelRect&) const = default;
};

// Smallest rectangle holding both; an empty rectangle adds nothing.
PixelRect unite(const PixelRect& a, const PixelRect& b);
// Common part of both; empty when they do not meet.
PixelRect intersect(const PixelRect& a, const PixelRect& b);

struct RenderTarget {
  uint32_t* color = nullptr;  // width x height pixels, row after row, 0xAARRGGBB
  float* depth = nullptr;     // same layout; 0 is the front plane, 1 the back plane
  int width = 0, height = 0;  // in pixels
  int stride = 0;             // pixels from one row to the next, in both buffers
};

// Fills the part of rect inside the target with one colour, or with one depth.
void clearColor(const RenderTarget& target, const PixelRect& rect, uint32_t pixel);
void clearDepth(const RenderTarget& target, const PixelRect& rect, float depth);

}  // namespace rm::raster
