#pragma once
// A set of pixels kept as one horizontal extent per band of eight rows, within exact top and
// bottom rows: cheap to grow, and close enough to a slanted outline (the corner view of a cube is
// a hexagon) that clearing and presenting it costs about the outline's area, not its bounding
// box's. It may hold more pixels than were added, never fewer.
#include <algorithm>
#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

#include "platform/rm/raster/target.h"

namespace rm::raster {

class BandRegion {
 public:
  static constexpr int kShift = 3;
  static constexpr int kRows = 1 << kShift;

  BandRegion() = default;
  explicit BandRegion(const PixelRect& rect) { add(rect); }

  bool empty() const { return top_ >= bottom_; }
  int top() const { return top_; }        // the first row, when not empty
  int bottom() const { return bottom_; }  // the row below the last
  void clear();
  void add(const PixelRect& rect);
  void add(const BandRegion& other);
  // Pixels [left, right) of the rows [top, bottom), all within one band.
  void addInBand(int top, int bottom, int left, int right);
  // The part inside rect.
  BandRegion clippedTo(const PixelRect& rect) const;
  // The smallest rectangle holding the region.
  PixelRect bounds() const;
  // The extent [first, second) of row y; empty (first >= second) outside the region.
  std::pair<int, int> extentAt(int y) const {
    return y >= top_ && y < bottom_ ? extent(y >> kShift) : std::pair<int, int>{0, 0};
  }
  // Narrows rect's rows to those from the first to the last band where the region meets its
  // columns; leaves it empty when it meets none.
  void narrowRows(PixelRect& rect) const;
  // Whether the region and rect, or the two regions, share a pixel.
  bool meets(const PixelRect& rect) const;
  bool meets(const BandRegion& other) const;

  // Calls f(rect) with rectangles that together cover the region, each inside rows [top,
  // bottom): one per run of bands with the same extent, top to bottom.
  template <class F>
  void forEachRect(int top, int bottom, F&& f) const {
    top = std::max(top, top_);
    bottom = std::min(bottom, bottom_);
    int runTop = top;
    for (int y = top; y < bottom;) {
      const int next = std::min(bottom, ((y >> kShift) + 1) << kShift);
      const std::pair<int, int> e = extent(y >> kShift);
      const bool last = next >= bottom || extent(next >> kShift) != e;
      if (last) {
        if (e.first < e.second) f(PixelRect{e.first, runTop, e.second, next});
        runTop = next;
      }
      y = next;
    }
  }
  template <class F>
  void forEachRect(F&& f) const {
    forEachRect(top_, bottom_, f);
  }

 private:
  std::pair<int, int> extent(int band) const {
    const int i = band - firstBand_;
    return i >= 0 && i < static_cast<int>(extents_.size()) ? extents_[static_cast<std::size_t>(i)] : std::pair<int, int>{0, 0};
  }
  void reach(int firstBand, int lastBand);

  int top_ = 0, bottom_ = 0;  // exact rows
  int firstBand_ = 0;
  std::vector<std::pair<int, int>> extents_;  // [left, right) per band from firstBand_; empty: left >= right
};

// Gathers the spans of successive rows into a region, one extent per band, for code that walks
// rows top to bottom.
class BandCollector {
 public:
  BandCollector(BandRegion* region, int top) : region_(region), top_(top) {}
  // Call before the spans of row y.
  void row(int y) {
    if (y != top_ && (y & (BandRegion::kRows - 1)) == 0) finish(y);
  }
  // Pixels [left, right] of the current row.
  void span(int left, int right) {
    left_ = std::min(left_, left);
    right_ = std::max(right_, right + 1);
  }
  // Call once after the last row; bottom: the row below it.
  void finish(int bottom) {
    if (region_ && left_ < right_) region_->addInBand(top_, bottom, left_, right_);
    top_ = bottom;
    left_ = std::numeric_limits<int>::max();
    right_ = std::numeric_limits<int>::min();
  }

 private:
  BandRegion* region_;
  int top_;
  int left_ = std::numeric_limits<int>::max(), right_ = std::numeric_limits<int>::min();
};

}  // namespace rm::raster
