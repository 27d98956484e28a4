#include "platform/rm/raster/row_spans.h"

#include <algorithm>
#include <limits>

namespace rm::raster {

namespace {

// One edge's walk in locals, so that the compiler keeps it in registers.
struct Walker {
  int64_t x = 0, rest = 0, dx = 0, drest = 0, step = 0;
  void load(const EdgeWalk& e) {
    x = e.x;
    rest = e.rest;
    dx = e.dx;
    drest = e.drest;
    step = e.step;
  }
  void store(EdgeWalk& e) const {
    e.x = x;
    e.rest = rest;
  }
  // To the next row, without branches: the carries are as likely as not.
  void nextLeft() {  // rest kept in [0, step)
    rest -= drest;
    const int64_t borrow = rest >> 63;  // -1 when rest fell below 0
    rest += step & borrow;
    x += dx - borrow;
  }
  void nextRight() {  // step < 0, rest kept in [0, -step)
    rest += drest;
    const int64_t carry = ~((rest + step) >> 63);  // -1 when rest reached -step
    rest += step & carry;
    x += dx - carry;
  }
};

// All edges of a triangle in one loop, so that their walks, each a chain of dependent steps,
// run side by side: L edges bound the rows from the left, R from the right, and with Level one
// more lies level with the rows. A triangle has at least one edge of each of the first two kinds.
template <int L, int R, bool Level>
void walkEdges(EdgeWalk* const* left, EdgeWalk* const* right, EdgeWalk* level, const PixelRect& box, int count,
               RowSpans& out) {
  Walker l[L], r[R];
  for (int i = 0; i < L; ++i) l[i].load(*left[i]);
  for (int i = 0; i < R; ++i) r[i].load(*right[i]);
  int64_t k = Level ? level->k : 0;
  const int64_t kdy = Level ? level->kdy : 0;
  // Crossings far outside the box are cut to just outside it, so that spans fit 32 bits.
  const int64_t leftmost = box.left, rightmost = box.right - 1;
  for (int i = 0; i < count; ++i) {
    int64_t lo = leftmost, hi = rightmost;
    for (Walker& w : l) lo = std::max(lo, w.x);
    for (Walker& w : r) hi = std::min(hi, w.x);
    out.lo[i] = static_cast<int32_t>(std::min(lo, rightmost + 1));
    out.hi[i] = static_cast<int32_t>(std::max(hi, leftmost - 1));
    if constexpr (Level) {
      if (k < 0) out.hi[i] = std::numeric_limits<int32_t>::min();
      k += kdy;
    }
    for (Walker& w : l) w.nextLeft();
    for (Walker& w : r) w.nextRight();
  }
  for (int i = 0; i < L; ++i) l[i].store(*left[i]);
  for (int i = 0; i < R; ++i) r[i].store(*right[i]);
}

}  // namespace

void walkRows(EdgeWalk (&walks)[3], const PixelRect& box, const BandRegion* limit, int top, int count,
              RowSpans& out) {
  out.count = count;
  EdgeWalk *left[3], *right[3], *level = nullptr;
  int l = 0, r = 0;
  for (EdgeWalk& e : walks) {
    if (e.step > 0) left[l++] = &e;
    else if (e.step < 0) right[r++] = &e;
    else level = &e;
  }
  if (l == 2) walkEdges<2, 1, false>(left, right, nullptr, box, count, out);
  else if (r == 2) walkEdges<1, 2, false>(left, right, nullptr, box, count, out);
  else if (l == 1 && r == 1) walkEdges<1, 1, true>(left, right, level, box, count, out);
  else out.count = count, std::fill(out.hi, out.hi + count, std::numeric_limits<int32_t>::min());  // no area
  for (EdgeWalk& e : walks) e.k += e.kdy * count;
  if (!limit) {
    std::copy(out.lo, out.lo + count, out.first);
    return;
  }
  // One extent for each band of rows.
  for (int i = 0; i < count;) {
    const int end = std::min(count, (((top + i) >> BandRegion::kShift) + 1) * BandRegion::kRows - top);
    const std::pair<int, int> extent = limit->extentAt(top + i);
    for (; i < end; ++i) {
      out.first[i] = std::max(out.lo[i], extent.first);
      out.hi[i] = std::min(out.hi[i], extent.second - 1);
    }
  }
}

}  // namespace rm::raster
