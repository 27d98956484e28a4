#pragma once
// The spans of a run of rows, worked out before any of them is drawn: each edge is walked down
// the rows in a tight loop of its own, its state in registers, instead of all three being
// stepped between the spans. Internal to the triangle stage.
#include <cstdint>

#include "platform/rm/raster/band_region.h"
#include "platform/rm/raster/edge_walk.h"

namespace rm::raster {

struct RowSpans {
  static constexpr int kMaxRows = 64;  // whole groups of sixteen: the wide walks fill groups
  int count = 0;
  // Row top + i is covered over [lo[i], hi[i]]; [first[i], hi[i]] of it lies inside the limit
  // and is to be drawn. Nothing is when first[i] > hi[i].
  int32_t lo[kMaxRows], first[kMaxRows], hi[kMaxRows];
};
static_assert(RowSpans::kMaxRows % 16 == 0);

// Walks the edges down the rows [top, top + count) of box (count <= kMaxRows), leaving them at
// row top + count. limit, when given, cuts first and hi to its extents.
void walkRows(EdgeWalk (&walks)[3], const PixelRect& box, const BandRegion* limit, int top, int count,
              RowSpans& out);

}  // namespace rm::raster
