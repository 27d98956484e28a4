#include "platform/rm/raster/band_region.h"

#include <algorithm>

namespace rm::raster {

void BandRegion::clear() {
  top_ = bottom_ = 0;
  extents_.clear();
}

void BandRegion::reach(int firstBand, int lastBand) {
  if (extents_.empty()) {
    firstBand_ = firstBand;
    extents_.assign(static_cast<size_t>(lastBand - firstBand + 1), {0, 0});
    return;
  }
  if (firstBand < firstBand_) {
    extents_.insert(extents_.begin(), static_cast<size_t>(firstBand_ - firstBand), {0, 0});
    firstBand_ = firstBand;
  }
  const int last = firstBand_ + static_cast<int>(extents_.size()) - 1;
  if (lastBand > last) extents_.resize(extents_.size() + static_cast<size_t>(lastBand - last), {0, 0});
}

void BandRegion::addInBand(int top, int bottom, int left, int right) {
  if (top >= bottom || left >= right) return;
  const int band = top >> kShift;
  reach(band, (bottom - 1) >> kShift);
  std::pair<int, int>& e = extents_[static_cast<size_t>(band - firstBand_)];
  e = e.first < e.second ? std::pair<int, int>{std::min(e.first, left), std::max(e.second, right)}
                         : std::pair<int, int>{left, right};
  if (empty()) {
    top_ = top;
    bottom_ = bottom;
  } else {
    top_ = std::min(top_, top);
    bottom_ = std::max(bottom_, bottom);
  }
}

void BandRegion::add(const PixelRect& rect) {
  if (rect.empty()) return;
  for (int y = rect.top; y < rect.bottom;) {
    const int next = std::min(rect.bottom, ((y >> kShift) + 1) << kShift);
    addInBand(y, next, rect.left, rect.right);
    y = next;
  }
}

void BandRegion::add(const BandRegion& other) {
  if (other.empty()) return;
  const int first = other.top_ >> kShift, last = (other.bottom_ - 1) >> kShift;
  reach(first, last);
  for (int band = first; band <= last; ++band) {
    const std::pair<int, int> o = other.extent(band);
    if (o.first >= o.second) continue;
    std::pair<int, int>& e = extents_[static_cast<size_t>(band - firstBand_)];
    e = e.first < e.second ? std::pair<int, int>{std::min(e.first, o.first), std::max(e.second, o.second)} : o;
  }
  if (empty()) {
    top_ = other.top_;
    bottom_ = other.bottom_;
  } else {
    top_ = std::min(top_, other.top_);
    bottom_ = std::max(bottom_, other.bottom_);
  }
}

BandRegion BandRegion::clippedTo(const PixelRect& rect) const {
  BandRegion out;
  forEachRect(rect.top, rect.bottom, [&](const PixelRect& r) { out.add(intersect(r, rect)); });
  return out;
}

bool BandRegion::meets(const PixelRect& rect) const {
  PixelRect rows = rect;
  narrowRows(rows);
  return !rows.empty();
}

void BandRegion::narrowRows(PixelRect& rect) const {
  rect.top = std::max(rect.top, top_);
  rect.bottom = std::min(rect.bottom, bottom_);
  auto meetsBand = [&](int y) {
    const std::pair<int, int> e = extent(y >> kShift);
    return e.first < e.second && e.first < rect.right && rect.left < e.second;
  };
  while (rect.top < rect.bottom && !meetsBand(rect.top)) rect.top = ((rect.top >> kShift) + 1) << kShift;
  while (rect.top < rect.bottom && !meetsBand(rect.bottom - 1)) rect.bottom = ((rect.bottom - 1) >> kShift) << kShift;
  if (rect.top >= rect.bottom) rect.bottom = rect.top;
}

bool BandRegion::meets(const BandRegion& other) const {
  const int top = std::max(top_, other.top_), bottom = std::min(bottom_, other.bottom_);
  for (int y = top; y < bottom; y = ((y >> kShift) + 1) << kShift) {
    const std::pair<int, int> a = extent(y >> kShift), b = other.extent(y >> kShift);
    if (a.first < a.second && b.first < b.second && a.first < b.second && b.first < a.second) return true;
  }
  return false;
}

PixelRect BandRegion::bounds() const {
  PixelRect b;
  forEachRect([&](const PixelRect& r) { b = unite(b, r); });
  return b;
}

}  // namespace rm::raster
