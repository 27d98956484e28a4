#include "platform/rm/raster/target.h"

#include <algorithm>

namespace rm::raster {

PixelRect unite(const PixelRect& a, const PixelRect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

PixelRect intersect(const PixelRect& a, const PixelRect& b) {
  PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  return r.empty() ? PixelRect{} : r;
}

namespace {
PixelRect inside(const RenderTarget& target, const PixelRect& rect) {
  return intersect(rect, {0, 0, target.width, target.height});
}
}  // namespace

void clearColor(const RenderTarget& target, const PixelRect& rect, uint32_t pixel) {
  PixelRect r = inside(target, rect);
  if (r.empty() || !target.color) return;
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* row = target.color + static_cast<size_t>(y) * target.stride;
    std::fill(row + r.left, row + r.right, pixel);
  }
}

void clearDepth(const RenderTarget& target, const PixelRect& rect, float depth) {
  PixelRect r = inside(target, rect);
  if (r.empty() || !target.depth) return;
  for (int y = r.top; y < r.bottom; ++y) {
    float* row = target.depth + static_cast<size_t>(y) * target.stride;
    std::fill(row + r.left, row + r.right, depth);
  }
}

}  // namespace rm::raster
