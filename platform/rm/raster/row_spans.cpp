#include "platform/rm/raster/row_spans.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define ZTARN_ROWS_AVX512 1
#endif

#include "platform/rm/raster/cpu_features.h"

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

// Where an edge's walk stands after i rows, in closed form. The remainder moves by D = -drest
// (left edges) or +drest (right edges) a row, and each wrap of it past the step moves the
// crossing one pixel: after i rows T = rest + i D and x = x0 + i dx + sign floor(T / |step|),
// with sign -1 on the left and +1 on the right. The quotient is at most 65 in size (drest < |step|
// and i <= 64), so a double product with the reciprocal, checked and mended once against the
// exact integers, gives floor exactly.
struct ClosedWalk {
  double rest = 0, d = 0, size = 1, inverse = 1;  // all whole numbers below 2^53 but inverse
  int64_t x = 0, dx = 0;
  bool left = true;
  ClosedWalk() = default;
  explicit ClosedWalk(const EdgeWalk& e)
      : rest(static_cast<double>(e.rest)),
        d(static_cast<double>(e.step > 0 ? -e.drest : e.drest)),
        size(static_cast<double>(e.step > 0 ? e.step : -e.step)),
        inverse(1.0 / size),
        x(e.x),
        dx(e.dx),
        left(e.step > 0) {}
  int64_t floorOf(double t) const {
    double q = std::floor(t * inverse);
    const double r = t - q * size;
    if (r < 0) q -= 1;
    else if (r >= size) q += 1;
    return static_cast<int64_t>(q);
  }
  void advance(EdgeWalk& e, int rows) const {
    const double t = rest + rows * d;
    const int64_t q = floorOf(t);
    e.x = x + rows * dx + (left ? -q : q);
    e.rest = static_cast<int64_t>(t - static_cast<double>(q) * size);
  }
};

#if defined(ZTARN_ROWS_AVX512)
#define ZTARN_ROWS_TARGET __attribute__((target("avx512f,avx512dq,avx512vl")))
// GCC 12 warns about the deliberately undefined lanes inside its own AVX-512 headers, and about
// vector returns of inline helpers that only AVX-512 code calls.
#pragma GCC diagnostic push
#if !defined(__clang__)  // a GCC warning only
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#pragma GCC diagnostic ignored "-Wpsabi"

// One edge's closed-form walk over eight rows at once, stepped eight rows at a time.
struct ClosedLanes {
  __m512d t, dt, size, inverse;  // T of the eight rows and its change over eight rows
  __m512i base, dbase;           // x0 + i dx of the eight rows and its change
};

ZTARN_ROWS_TARGET inline ClosedLanes closedLanes(const ClosedWalk& c) {
  const __m512d rows = _mm512_setr_pd(0, 1, 2, 3, 4, 5, 6, 7);
  const __m512i lanes = _mm512_setr_epi64(0, 1, 2, 3, 4, 5, 6, 7);
  ClosedLanes l;
  l.t = _mm512_add_pd(_mm512_set1_pd(c.rest), _mm512_mul_pd(rows, _mm512_set1_pd(c.d)));
  l.dt = _mm512_set1_pd(8 * c.d);
  l.size = _mm512_set1_pd(c.size);
  l.inverse = _mm512_set1_pd(c.inverse);
  l.base = _mm512_add_epi64(_mm512_set1_epi64(c.x), _mm512_mullo_epi64(lanes, _mm512_set1_epi64(c.dx)));
  l.dbase = _mm512_set1_epi64(8 * c.dx);
  return l;
}

// floor(T / size) of the eight rows, exactly.
ZTARN_ROWS_TARGET inline __m512i wrapsOf(const ClosedLanes& l) {
  const __m512d one = _mm512_set1_pd(1.0);
  __m512d q = _mm512_roundscale_pd(_mm512_mul_pd(l.t, l.inverse), _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
  const __m512d r = _mm512_sub_pd(l.t, _mm512_mul_pd(q, l.size));
  q = _mm512_mask_sub_pd(q, _mm512_cmp_pd_mask(r, _mm512_setzero_pd(), _CMP_LT_OQ), q, one);
  q = _mm512_mask_add_pd(q, _mm512_cmp_pd_mask(r, l.size, _CMP_GE_OQ), q, one);
  return _mm512_cvtpd_epi64(q);
}

// walkEdges eight rows at a time in closed form, for processors with AVX-512: no chain of
// dependent steps from row to row.
template <int L, int R, bool Level>
ZTARN_ROWS_TARGET void walkEdgesAvx512(EdgeWalk* const* left, EdgeWalk* const* right, EdgeWalk* level,
                                       const PixelRect& box, int count, RowSpans& out) {
  ClosedWalk closedLeft[L], closedRight[R];
  ClosedLanes l[L], r[R];
  for (int i = 0; i < L; ++i) l[i] = closedLanes(closedLeft[i] = ClosedWalk(*left[i]));
  for (int i = 0; i < R; ++i) r[i] = closedLanes(closedRight[i] = ClosedWalk(*right[i]));
  __m512i k = _mm512_setzero_si512(), dk = k;
  if constexpr (Level) {
    const __m512i lanes = _mm512_setr_epi64(0, 1, 2, 3, 4, 5, 6, 7);
    k = _mm512_add_epi64(_mm512_set1_epi64(level->k), _mm512_mullo_epi64(lanes, _mm512_set1_epi64(level->kdy)));
    dk = _mm512_set1_epi64(8 * level->kdy);
  }
  // Crossings far outside the box are cut to just outside it, so that spans fit 32 bits.
  const __m512i leftmost = _mm512_set1_epi64(box.left), rightmost = _mm512_set1_epi64(box.right - 1);
  const __m512i beyondRight = _mm512_set1_epi64(box.right), beyondLeft = _mm512_set1_epi64(box.left - 1);
  for (int i = 0; i < count; i += 8) {
    __m512i lo = leftmost, hi = rightmost;
    for (ClosedLanes& e : l) {
      lo = _mm512_max_epi64(lo, _mm512_sub_epi64(e.base, wrapsOf(e)));
      e.t = _mm512_add_pd(e.t, e.dt);
      e.base = _mm512_add_epi64(e.base, e.dbase);
    }
    for (ClosedLanes& e : r) {
      hi = _mm512_min_epi64(hi, _mm512_add_epi64(e.base, wrapsOf(e)));
      e.t = _mm512_add_pd(e.t, e.dt);
      e.base = _mm512_add_epi64(e.base, e.dbase);
    }
    lo = _mm512_min_epi64(lo, beyondRight);
    hi = _mm512_max_epi64(hi, beyondLeft);
    if constexpr (Level) {  // a row is outside a level edge where k < 0
      hi = _mm512_mask_mov_epi64(hi, _mm512_cmplt_epi64_mask(k, _mm512_setzero_si512()),
                                 _mm512_set1_epi64(std::numeric_limits<int32_t>::min()));
      k = _mm512_add_epi64(k, dk);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out.lo + i), _mm512_cvtepi64_epi32(lo));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out.hi + i), _mm512_cvtepi64_epi32(hi));
  }
  for (int i = 0; i < L; ++i) closedLeft[i].advance(*left[i], count);
  for (int i = 0; i < R; ++i) closedRight[i].advance(*right[i], count);
}

#pragma GCC diagnostic pop
#endif

// The closed-form AVX-512 walk where it is built in and wide is set, else the scalar one.
template <int L, int R, bool Level>
void walkEdgesBest([[maybe_unused]] bool wide, EdgeWalk* const* left, EdgeWalk* const* right, EdgeWalk* level,
                   const PixelRect& box, int count, RowSpans& out) {
#if defined(ZTARN_ROWS_AVX512)
  if (wide) return walkEdgesAvx512<L, R, Level>(left, right, level, box, count, out);
#endif
  walkEdges<L, R, Level>(left, right, level, box, count, out);
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
  // A triangle of some area has edges of both kinds, and at most one level edge.
  const bool wide = simdLevel() == SimdLevel::Avx512;
  if (l == 2) walkEdgesBest<2, 1, false>(wide, left, right, nullptr, box, count, out);
  else if (r == 2) walkEdgesBest<1, 2, false>(wide, left, right, nullptr, box, count, out);
  else if (l == 1 && r == 1) walkEdgesBest<1, 1, true>(wide, left, right, level, box, count, out);
  else {
    std::fill(out.lo, out.lo + count, box.left);
    std::fill(out.hi, out.hi + count, std::numeric_limits<int32_t>::min());
  }
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
