#include "platform/rm/raster/coarse_depth.h"

#include "platform/rm/raster/cpu_features.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace rm::raster {

void CoarseDepth::reset(const RenderTarget& target, const PixelRect& area) {
  target_ = target;
  PixelRect r = intersect(area, {0, 0, target.width, target.height});
  if (r.empty() || !target.depth) {
    columns_ = rows_ = 0;
    return;
  }
  left_ = r.left >> kShift;
  top_ = r.top >> kShift;
  columns_ = ((r.right - 1) >> kShift) - left_ + 1;
  rows_ = ((r.bottom - 1) >> kShift) - top_ + 1;
  const size_t count = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
  far_.resize(count);
  known_.assign(count, 0);
  flags_.resize(static_cast<size_t>(columns_));
}

void CoarseDepth::setKnown(const PixelRect& rect, float depth) {
  // Whole blocks only, and only where the target has every pixel of the block.
  PixelRect r = intersect(rect, {0, 0, target_.width, target_.height});
  const int bx0 = std::max(left_, (r.left + kBlock - 1) >> kShift), bx1 = std::min(left_ + columns_, r.right >> kShift);
  const int by0 = std::max(top_, (r.top + kBlock - 1) >> kShift), by1 = std::min(top_ + rows_, r.bottom >> kShift);
  const float value = std::isnan(depth) ? std::numeric_limits<float>::infinity() : depth;
  for (int by = by0; by < by1; ++by)
    for (int bx = bx0; bx < bx1; ++bx) {
      far_[index(bx, by)] = value;
      known_[index(bx, by)] = 1;
    }
}

float CoarseDepth::farthest(int bx, int by) {
  if (bx < left_ || by < top_ || bx >= left_ + columns_ || by >= top_ + rows_)
    return std::numeric_limits<float>::infinity();
  const size_t i = index(bx, by);
  if (!known_[i]) {
    far_[i] = measure(bx, by);
    known_[i] = 1;
  }
  return far_[i];
}

void CoarseDepth::forget(int bx0, int bx1, int by) {
  if (by < top_ || by >= top_ + rows_) return;
  bx0 = std::max(bx0, left_);
  bx1 = std::min(bx1, left_ + columns_ - 1);
  if (bx0 > bx1) return;
  std::fill_n(known_.begin() + static_cast<std::ptrdiff_t>(index(bx0, by)), bx1 - bx0 + 1, uint8_t{0});
}

namespace {

#if defined(__x86_64__) && defined(__GNUC__)
// The farthest of rows x 8 depths, eight at a time; +infinity when one is not a number.
__attribute__((target("avx2"))) float farthestOf8Wide(const float* first, std::size_t stride, int rows) {
  __m256 far = _mm256_set1_ps(-std::numeric_limits<float>::infinity());
  __m256 unordered = _mm256_setzero_ps();
  for (int y = 0; y < rows; ++y) {
    const __m256 d = _mm256_loadu_ps(first + static_cast<std::size_t>(y) * stride);
    unordered = _mm256_or_ps(unordered, _mm256_cmp_ps(d, d, _CMP_UNORD_Q));
    far = _mm256_max_ps(far, d);
  }
  if (_mm256_movemask_ps(unordered)) return std::numeric_limits<float>::infinity();
  __m128 m = _mm_max_ps(_mm256_castps256_ps128(far), _mm256_extractf128_ps(far, 1));
  m = _mm_max_ps(m, _mm_movehl_ps(m, m));
  m = _mm_max_ss(m, _mm_shuffle_ps(m, m, 1));
  return _mm_cvtss_f32(m);
}
#endif

}  // namespace

int CoarseDepth::openBlocks(const DepthPlane& plane, int y0, int y1, int left, int right, uint8_t* open) {
  // Depths stepped along a span may drift this far from the plane.
  constexpr float kMargin = 1e-4f;
  const int by = y0 >> kShift, bx0 = left >> kShift, bx1 = right >> kShift;
  const float fy0 = static_cast<float>(y0) + 0.5f - plane.y0, fy1 = static_cast<float>(y1 - 1) + 0.5f - plane.y0;
  const float nearRow = std::min(plane.z + plane.zdy * fy0, plane.z + plane.zdy * fy1) - kMargin;
  int count = 0;
  for (int bx = bx0; bx <= bx1; ++bx) {
    const int xa = std::max(left, bx * kBlock), xb = std::min(right, bx * kBlock + kBlock - 1);
    const float fxa = static_cast<float>(xa) + 0.5f - plane.x0, fxb = static_cast<float>(xb) + 0.5f - plane.x0;
    const float nearest = nearRow + std::min(plane.zdx * fxa, plane.zdx * fxb);
    const bool shows = !(nearest > farthest(bx, by));
    open[bx - bx0] = shows;
    count += shows;
  }
  return count;
}

float CoarseDepth::measure(int bx, int by) const {
  const int x0 = bx << kShift, x1 = std::min(x0 + kBlock, target_.width);
  const int y0 = by << kShift, y1 = std::min(y0 + kBlock, target_.height);
#if defined(__x86_64__) && defined(__GNUC__)
  if (x1 - x0 == 8 && simdLevel() >= SimdLevel::Avx2)
    return farthestOf8Wide(target_.depth + static_cast<std::size_t>(y0) * static_cast<std::size_t>(target_.stride) + x0,
                           static_cast<std::size_t>(target_.stride), y1 - y0);
#endif
  float far = -std::numeric_limits<float>::infinity();
  bool number = true;
  for (int y = y0; y < y1; ++y) {
    const float* row = target_.depth + static_cast<size_t>(y) * static_cast<size_t>(target_.stride);
    for (int x = x0; x < x1; ++x) {
      const float d = row[x];
      number &= d == d;
      far = d > far ? d : far;
    }
  }
  return number ? far : std::numeric_limits<float>::infinity();
}

}  // namespace rm::raster
