#pragma once
// Filling spans of interpolated colour several pixels at a time: four with SSE2 (always there on
// x86-64), eight with AVX2 or sixteen with AVX-512 where the processor has them (simdLevel()).
// Used by the triangle stage for the common case: colour only, depth test less-or-equal with
// writes, or no depth test. Each run depth-tests, rounds, optionally quantizes to shades with the
// same arithmetic as ShadeTable::quantize, and writes through a mask so that the pixels it does
// not own keep their values.
// Internal to triangle.cpp, its only includer.
#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "platform/rm/raster/cpu_features.h"
#include "platform/rm/raster/edge_walk.h"
#include "platform/rm/raster/row_spans.h"
#include "platform/rm/raster/triangle_setup.h"

namespace rm::raster {

enum class DepthMode { Off, LessEqualWrite, General };

// How much nearer than the stored depth a probed pixel may be taken to be, so that no pixel a
// triangle would draw is missed for a rounding of its depth.
constexpr float kProbeLeniency = 1e-5f;

namespace {

#if defined(__SSE2__)
// Four pixels at a time of a span of interpolated colour: depth test and write, rounding,
// optional shade quantizing, and a masked write of the colours. Pixels before first are
// stepped over, not drawn. Returns where the pixels it left (at the right end of the target)
// begin; wrote becomes true when it wrote a pixel.
template <DepthMode D, bool Post>
int colorRunSse(int x, int first, int hi, int y, float z, const float* attr, const Planes& pl, uint32_t* crow,
                float* zrow, const FragmentContext& ctx, bool& wrote) {
  // Groups may reach past hi (the extra lanes keep their old values) but not past the row.
  const int last = std::min(hi + 3, ctx.target.width - 1);
  const __m128i lanes = _mm_setr_epi32(0, 1, 2, 3), end = _mm_set1_epi32(hi + 1), start = _mm_set1_epi32(first - 1);
  const __m128 lane = _mm_setr_ps(0, 1, 2, 3);
  __m128 vz = _mm_add_ps(_mm_set1_ps(z), _mm_mul_ps(lane, _mm_set1_ps(pl.zdx)));
  __m128 vr = _mm_add_ps(_mm_set1_ps(attr[0]), _mm_mul_ps(lane, _mm_set1_ps(pl.adx[0])));
  __m128 vg = _mm_add_ps(_mm_set1_ps(attr[1]), _mm_mul_ps(lane, _mm_set1_ps(pl.adx[1])));
  __m128 vb = _mm_add_ps(_mm_set1_ps(attr[2]), _mm_mul_ps(lane, _mm_set1_ps(pl.adx[2])));
  const __m128 dz = _mm_set1_ps(4 * pl.zdx), dr = _mm_set1_ps(4 * pl.adx[0]), dg = _mm_set1_ps(4 * pl.adx[1]),
               db = _mm_set1_ps(4 * pl.adx[2]);
  const __m128 zero = _mm_setzero_ps(), top = _mm_set1_ps(255.0f), half = _mm_set1_ps(0.5f);
  __m128 scale = zero, steps = zero, back = zero, threshold = zero;
  if constexpr (Post) {
    const ShadeTable& t = *ctx.shades;
    scale = _mm_set1_ps(t.scale());
    steps = _mm_set1_ps(t.steps());
    back = _mm_set1_ps(t.back());
    threshold = _mm_loadu_ps(t.thresholdsFrom(x, y));
  }
  const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  auto channel = [&](__m128 v) {
    v = _mm_min_ps(_mm_max_ps(v, zero), top);
    if constexpr (Post) {
      __m128 shade = _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(v, scale), threshold)));
      v = _mm_mul_ps(_mm_min_ps(shade, steps), back);
    }
    return _mm_cvttps_epi32(_mm_add_ps(v, half));
  };
  for (; x <= hi && x + 3 <= last; x += 4) {
    const __m128i at = _mm_add_epi32(_mm_set1_epi32(x), lanes);
    const __m128 inside = _mm_castsi128_ps(_mm_and_si128(_mm_cmplt_epi32(at, end), _mm_cmpgt_epi32(at, start)));
    __m128 pass;
    __m128 zold = zero;
    if constexpr (D == DepthMode::Off) {
      pass = inside;
    } else {
      zold = _mm_loadu_ps(zrow + x);
      pass = _mm_and_ps(_mm_cmple_ps(vz, zold), inside);
    }
    const int mask = _mm_movemask_ps(pass);
    if (mask) {
      wrote = true;
      if constexpr (D == DepthMode::LessEqualWrite)
        _mm_storeu_ps(zrow + x, mask == 0xF ? vz : _mm_or_ps(_mm_and_ps(pass, vz), _mm_andnot_ps(pass, zold)));
      __m128i pixel = _mm_or_si128(
          alpha, _mm_or_si128(_mm_slli_epi32(channel(vr), 16), _mm_or_si128(_mm_slli_epi32(channel(vg), 8), channel(vb))));
      __m128i* dst = reinterpret_cast<__m128i*>(crow + x);
      if (mask != 0xF) {
        __m128i keep = _mm_castps_si128(pass);
        pixel = _mm_or_si128(_mm_and_si128(keep, pixel), _mm_andnot_si128(keep, _mm_loadu_si128(dst)));
      }
      _mm_storeu_si128(dst, pixel);
    }
    vz = _mm_add_ps(vz, dz);
    vr = _mm_add_ps(vr, dr);
    vg = _mm_add_ps(vg, dg);
    vb = _mm_add_ps(vb, db);
  }
  return x;
}

#if defined(__x86_64__) && defined(__GNUC__)
#define ZTARN_RASTER_AVX2 1
// The same as colorRunSse, eight pixels at a time, for processors with AVX2 (checked at run
// time). Leaves what is closer than eight pixels to the row's end to colorRunSse.
__attribute__((target("avx2"))) inline __m256i channelAvx2(__m256 v, __m256 scale, __m256 threshold,
                                                           __m256 steps, __m256 back, bool post) {
  v = _mm256_min_ps(_mm256_max_ps(v, _mm256_setzero_ps()), _mm256_set1_ps(255.0f));
  if (post) {
    __m256 shade = _mm256_cvtepi32_ps(_mm256_cvttps_epi32(_mm256_add_ps(_mm256_mul_ps(v, scale), threshold)));
    v = _mm256_mul_ps(_mm256_min_ps(shade, steps), back);
  }
  return _mm256_cvttps_epi32(_mm256_add_ps(v, _mm256_set1_ps(0.5f)));
}

template <DepthMode D, bool Post>
__attribute__((target("avx2"))) int colorRunAvx2(int x, int first, int hi, int y, float z, const float* attr,
                                                 const Planes& pl, uint32_t* crow, float* zrow,
                                                 const FragmentContext& ctx, bool& wrote) {
  const int last = std::min(hi + 7, ctx.target.width - 1);
  const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7), end = _mm256_set1_epi32(hi + 1),
                start = _mm256_set1_epi32(first - 1);
  const __m256 lane = _mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7);
  __m256 vz = _mm256_add_ps(_mm256_set1_ps(z), _mm256_mul_ps(lane, _mm256_set1_ps(pl.zdx)));
  __m256 vr = _mm256_add_ps(_mm256_set1_ps(attr[0]), _mm256_mul_ps(lane, _mm256_set1_ps(pl.adx[0])));
  __m256 vg = _mm256_add_ps(_mm256_set1_ps(attr[1]), _mm256_mul_ps(lane, _mm256_set1_ps(pl.adx[1])));
  __m256 vb = _mm256_add_ps(_mm256_set1_ps(attr[2]), _mm256_mul_ps(lane, _mm256_set1_ps(pl.adx[2])));
  const __m256 dz = _mm256_set1_ps(8 * pl.zdx), dr = _mm256_set1_ps(8 * pl.adx[0]), dg = _mm256_set1_ps(8 * pl.adx[1]),
               db = _mm256_set1_ps(8 * pl.adx[2]);
  __m256 scale = _mm256_setzero_ps(), steps = scale, back = scale, threshold = scale;
  if constexpr (Post) {
    const ShadeTable& t = *ctx.shades;
    scale = _mm256_set1_ps(t.scale());
    steps = _mm256_set1_ps(t.steps());
    back = _mm256_set1_ps(t.back());
    threshold = _mm256_loadu_ps(t.thresholdsFrom(x, y));
  }
  const __m256i alpha = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  for (; x <= hi && x + 7 <= last; x += 8) {
    const __m256i at = _mm256_add_epi32(_mm256_set1_epi32(x), lanes);
    const __m256 inside =
        _mm256_castsi256_ps(_mm256_and_si256(_mm256_cmpgt_epi32(end, at), _mm256_cmpgt_epi32(at, start)));
    __m256 pass;
    __m256 zold = _mm256_setzero_ps();
    if constexpr (D == DepthMode::Off) {
      pass = inside;
    } else {
      zold = _mm256_loadu_ps(zrow + x);
      pass = _mm256_and_ps(_mm256_cmp_ps(vz, zold, _CMP_LE_OQ), inside);
    }
    const int mask = _mm256_movemask_ps(pass);
    if (mask) {
      wrote = true;
      if constexpr (D == DepthMode::LessEqualWrite)
        _mm256_storeu_ps(zrow + x, mask == 0xFF ? vz : _mm256_blendv_ps(zold, vz, pass));
      __m256i pixel = _mm256_or_si256(
          alpha, _mm256_or_si256(_mm256_slli_epi32(channelAvx2(vr, scale, threshold, steps, back, Post), 16),
                                 _mm256_or_si256(_mm256_slli_epi32(channelAvx2(vg, scale, threshold, steps, back, Post), 8),
                                                 channelAvx2(vb, scale, threshold, steps, back, Post))));
      __m256i* dst = reinterpret_cast<__m256i*>(crow + x);
      if (mask != 0xFF)
        pixel = _mm256_blendv_epi8(_mm256_loadu_si256(dst), pixel, _mm256_castps_si256(pass));
      _mm256_storeu_si256(dst, pixel);
    }
    vz = _mm256_add_ps(vz, dz);
    vr = _mm256_add_ps(vr, dr);
    vg = _mm256_add_ps(vg, dg);
    vb = _mm256_add_ps(vb, db);
  }
  return x;
}

// Whole triangles (rows [top, bottom) of box) sixteen pixels at a time with AVX-512: each row's
// span comes from the edge walk and is drawn with masked loads and stores, so no pixel outside
// the span is read or written. Same arithmetic as colorRunSse.
#define ZTARN_RASTER_AVX512 1
// GCC 12 warns about the deliberately undefined lanes inside its own AVX-512 headers, and about
// vector returns of inline helpers that only AVX-512 code calls.
#pragma GCC diagnostic push
#if !defined(__clang__)  // a GCC warning only
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#pragma GCC diagnostic ignored "-Wpsabi"
#define ZTARN_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl,avx512dq")))

// How the AVX-512 rows turn a channel's 0..255 value into its byte of the pixel, already shifted
// into place: rounded, or quantized to shades by ShadeTable's arithmetic, looked up in a table
// of the shades' values where there are 32 or fewer.
enum class Quantize { Round, Shades, ShadeTable32 };

struct ChannelAvx512 {
  __m512 scale, steps, back;
  __m512i lastShade, low, high;  // the table: shades 0..15 and 16..31, shifted into place
  int shift;
};

template <Quantize Q>
ZTARN_AVX512 inline ChannelAvx512 channelSetup(const ShadeTable* shades, int shift) {
  ChannelAvx512 c{};
  c.shift = shift;
  if constexpr (Q != Quantize::Round) {
    c.scale = _mm512_set1_ps(shades->scale());
    c.steps = _mm512_set1_ps(shades->steps());
    c.back = _mm512_set1_ps(shades->back());
  }
  if constexpr (Q == Quantize::ShadeTable32) {
    alignas(64) uint32_t values[32];
    for (int i = 0; i < 32; ++i)
      values[i] = static_cast<uint32_t>(std::min(static_cast<float>(i), shades->steps()) * shades->back() + 0.5f)
                  << shift;
    c.low = _mm512_load_si512(values);
    c.high = _mm512_load_si512(values + 16);
    c.lastShade = _mm512_set1_epi32(static_cast<int>(shades->steps()));
  }
  return c;
}

template <Quantize Q>
ZTARN_AVX512 inline __m512i channelAvx512(__m512 v, const ChannelAvx512& c, __m512 threshold) {
  v = _mm512_min_ps(_mm512_max_ps(v, _mm512_setzero_ps()), _mm512_set1_ps(255.0f));
  if constexpr (Q == Quantize::ShadeTable32) {
    __m512i shade = _mm512_cvttps_epi32(_mm512_add_ps(_mm512_mul_ps(v, c.scale), threshold));
    return _mm512_permutex2var_epi32(c.low, _mm512_min_epi32(shade, c.lastShade), c.high);
  }
  if constexpr (Q == Quantize::Shades) {
    __m512 shade = _mm512_cvtepi32_ps(_mm512_cvttps_epi32(_mm512_add_ps(_mm512_mul_ps(v, c.scale), threshold)));
    v = _mm512_mul_ps(_mm512_min_ps(shade, c.steps), c.back);
  }
  return _mm512_sll_epi32(_mm512_cvttps_epi32(_mm512_add_ps(v, _mm512_set1_ps(0.5f))), _mm_cvtsi32_si128(c.shift));
}

// Depth and the first Channels colours at the first pixel of each span of a run of rows, sixteen
// rows at a time, by the same arithmetic as the span fillers use one row at a time.
struct RowStarts {
  alignas(64) float z[RowSpans::kMaxRows];
  alignas(64) float a[3][RowSpans::kMaxRows];
};

// Planes::depthAt and attributeAt for sixteen points.
ZTARN_AVX512 inline __m512 planeAt(float value, float ddx, float ddy, __m512 fx, __m512 fy) {
  return _mm512_add_ps(_mm512_add_ps(_mm512_set1_ps(value), _mm512_mul_ps(_mm512_set1_ps(ddx), fx)),
                       _mm512_mul_ps(_mm512_set1_ps(ddy), fy));
}

template <int Channels>
ZTARN_AVX512 inline void rowStartsAvx512(const RowSpans& spans, int top, const Planes& pl, RowStarts& out) {
  const __m512i lanes = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const __m512 half = _mm512_set1_ps(0.5f), x0 = _mm512_set1_ps(pl.x0), y0 = _mm512_set1_ps(pl.y0);
  for (int i = 0; i < spans.count; i += 16) {
    const __mmask16 rows = spans.count - i >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << (spans.count - i)) - 1);
    const __m512i lo = _mm512_maskz_loadu_epi32(rows, spans.lo + i);
    const __m512 fx = _mm512_sub_ps(_mm512_add_ps(_mm512_cvtepi32_ps(lo), half), x0);
    const __m512i y = _mm512_add_epi32(_mm512_set1_epi32(top + i), lanes);
    const __m512 fy = _mm512_sub_ps(_mm512_add_ps(_mm512_cvtepi32_ps(y), half), y0);
    _mm512_store_ps(out.z + i, planeAt(pl.z, pl.zdx, pl.zdy, fx, fy));
    for (int c = 0; c < Channels; ++c) _mm512_store_ps(out.a[c] + i, planeAt(pl.a[c], pl.adx[c], pl.ady[c], fx, fy));
  }
}

template <DepthMode D, Quantize Q>
ZTARN_AVX512 void colorRowsAvx512(EdgeWalk (&walks)[3], const PixelRect& box, const Planes& pl,
                                  const FragmentContext& ctx) {
  const RenderTarget& t = ctx.target;
  const __m512 lane = _mm512_setr_ps(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const __m512 laneZ = _mm512_mul_ps(lane, _mm512_set1_ps(pl.zdx)), laneR = _mm512_mul_ps(lane, _mm512_set1_ps(pl.adx[0])),
               laneG = _mm512_mul_ps(lane, _mm512_set1_ps(pl.adx[1])), laneB = _mm512_mul_ps(lane, _mm512_set1_ps(pl.adx[2]));
  const __m512 dz = _mm512_set1_ps(16 * pl.zdx), dr = _mm512_set1_ps(16 * pl.adx[0]), dg = _mm512_set1_ps(16 * pl.adx[1]),
               db = _mm512_set1_ps(16 * pl.adx[2]);
  const ChannelAvx512 red = channelSetup<Q>(ctx.shades, 16), green = channelSetup<Q>(ctx.shades, 8),
                      blue = channelSetup<Q>(ctx.shades, 0);
  const __m512i alpha = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  BandCollector touched(ctx.touched, box.top), written(ctx.written, box.top);
  RowSpans spans;
  RowStarts starts;
  for (int top = box.top; top < box.bottom; top += spans.count) {
    walkRows(walks, box, ctx.limit, top, std::min(RowSpans::kMaxRows, box.bottom - top), spans);
    rowStartsAvx512<3>(spans, top, pl, starts);
    for (int i = 0; i < spans.count; ++i) {
      const int y = top + i;
      touched.row(y);
      written.row(y);
      const int lo = spans.lo[i], first = spans.first[i], hi = spans.hi[i];  // draws [first, hi] of [lo, hi]
      if (first > hi) continue;
      touched.span(first, hi);
      uint32_t* crow = t.color + static_cast<size_t>(y) * t.stride;
      float* zrow = t.depth + static_cast<size_t>(y) * t.stride;
      __m512 vz = _mm512_add_ps(_mm512_set1_ps(starts.z[i]), laneZ);
      __m512 vr = _mm512_add_ps(_mm512_set1_ps(starts.a[0][i]), laneR);
      __m512 vg = _mm512_add_ps(_mm512_set1_ps(starts.a[1][i]), laneG);
      __m512 vb = _mm512_add_ps(_mm512_set1_ps(starts.a[2][i]), laneB);
      __m512 threshold = _mm512_setzero_ps();
      if constexpr (Q != Quantize::Round) threshold = _mm512_loadu_ps(ctx.shades->thresholdsFrom(lo, y));
      // A span cut short on the left steps over the groups it skips, so that every pixel gets the
      // very value it gets when the whole span is drawn.
      int x = lo;
      for (; x + 16 <= first; x += 16) {
        vz = _mm512_add_ps(vz, dz);
        vr = _mm512_add_ps(vr, dr);
        vg = _mm512_add_ps(vg, dg);
        vb = _mm512_add_ps(vb, db);
      }
      __mmask16 anyPass = 0;
      for (; x <= hi; x += 16) {
        const int left = hi - x + 1;
        __mmask16 inside = left >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << left) - 1);
        if (x < first) inside &= __mmask16(~((1u << (first - x)) - 1));
        __mmask16 pass = inside;
        if constexpr (D != DepthMode::Off) {
          const __m512 zold = _mm512_maskz_loadu_ps(inside, zrow + x);
          pass = _mm512_mask_cmp_ps_mask(inside, vz, zold, _CMP_LE_OQ);
        }
        anyPass |= pass;
        if (pass) {
          if constexpr (D == DepthMode::LessEqualWrite) _mm512_mask_storeu_ps(zrow + x, pass, vz);
          const __m512i pixel = _mm512_ternarylogic_epi32(channelAvx512<Q>(vr, red, threshold),
                                                          channelAvx512<Q>(vg, green, threshold),
                                                          channelAvx512<Q>(vb, blue, threshold), 0xFE);  // a | b | c
          _mm512_mask_storeu_epi32(crow + x, pass, _mm512_or_si512(pixel, alpha));
        }
        vz = _mm512_add_ps(vz, dz);
        vr = _mm512_add_ps(vr, dr);
        vg = _mm512_add_ps(vg, dg);
        vb = _mm512_add_ps(vb, db);
      }
      if (anyPass) written.span(first, hi);
    }
  }
  touched.finish(box.bottom);
  written.finish(box.bottom);
}

// Where a triangle would pass a less-or-equal depth test against the target, row by row: the
// span of each row with a passing pixel goes to passed (with kProbeLeniency).
ZTARN_AVX512 void probeRowsAvx512(EdgeWalk (&walks)[3], const PixelRect& box, const Planes& pl,
                                  const FragmentContext& ctx, BandRegion& passed) {
  const RenderTarget& t = ctx.target;
  const __m512 lane = _mm512_setr_ps(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  const __m512 laneZ = _mm512_mul_ps(lane, _mm512_set1_ps(pl.zdx)), dz = _mm512_set1_ps(16 * pl.zdx);
  const __m512 leniency = _mm512_set1_ps(kProbeLeniency);
  BandCollector collector(&passed, box.top);
  RowSpans spans;
  RowStarts starts;
  for (int top = box.top; top < box.bottom; top += spans.count) {
    walkRows(walks, box, nullptr, top, std::min(RowSpans::kMaxRows, box.bottom - top), spans);
    rowStartsAvx512<0>(spans, top, pl, starts);
    for (int i = 0; i < spans.count; ++i) {
      const int y = top + i;
      collector.row(y);
      const int lo = spans.lo[i], hi = spans.hi[i];
      if (lo > hi) continue;
      const float* zrow = t.depth + static_cast<size_t>(y) * t.stride;
      __m512 vz = _mm512_sub_ps(_mm512_add_ps(_mm512_set1_ps(starts.z[i]), laneZ), leniency);
      for (int x = lo; x <= hi; x += 16) {
        const int left = hi - x + 1;
        const __mmask16 inside = left >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << left) - 1);
        const __m512 zold = _mm512_maskz_loadu_ps(inside, zrow + x);
        if (_mm512_mask_cmp_ps_mask(inside, vz, zold, _CMP_LE_OQ)) {
          collector.span(lo, hi);
          break;
        }
        vz = _mm512_add_ps(vz, dz);
      }
    }
  }
  collector.finish(box.bottom);
}

#pragma GCC diagnostic pop

#endif
#endif


}  // namespace

}  // namespace rm::raster
