// Triangle filling: integer edge functions on a 1/16 pixel grid decide coverage (top-left rule),
// the edges are walked down the rows to find each row's covered span, and the span is walked
// with float increments of depth and the shading attributes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "platform/rm/raster/row_spans.h"
#include "platform/rm/raster/span_simd.h"
#include "platform/rm/raster/triangle_setup.h"

namespace rm::raster {

namespace {

constexpr int kMaxAttrs = kMaxAttributes;

Edge makeEdge(int64_t px, int64_t py, int64_t qx, int64_t qy) {
  Edge e;
  e.a = -(qy - py);
  e.b = qx - px;
  e.c = -e.a * px - e.b * py;
  bool top = e.a == 0 && e.b > 0;  // horizontal, inside below
  bool left = e.a > 0;             // inside to the right
  e.bias = (top || left) ? 0 : 1;
  return e;
}

// Pixel colour from interpolated colour already scaled to 0..255.
struct ColorKernel {
  static constexpr int kAttrs = 3;
  static constexpr bool kPerspective = false;
  static void load(const ScreenVertex& s, float* out) {
    ColorF c = s.v->diffuse + s.v->specular;
    out[0] = c.r * 255.0f;
    out[1] = c.g * 255.0f;
    out[2] = c.b * 255.0f;
  }
  static void shade(const float* a, float, const FragmentContext&, float* rgb) {
    rgb[0] = a[0];
    rgb[1] = a[1];
    rgb[2] = a[2];
  }
};

// Lit colour times texel plus highlight, perspective-correct.
struct TextureKernel {
  static constexpr int kAttrs = 8;
  static constexpr bool kPerspective = true;
  static void load(const ScreenVertex& s, float* out) {
    const ShadedVertex& v = *s.v;
    float values[kAttrs] = {v.uv.x, v.uv.y, v.diffuse.r, v.diffuse.g, v.diffuse.b,
                            v.specular.r, v.specular.g, v.specular.b};
    for (int i = 0; i < kAttrs; ++i) out[i] = values[i] * s.invW;
  }
  static void shade(const float* a, float invW, const FragmentContext& ctx, float* rgb) {
    float w = 1.0f / invW;
    ColorF texel = sampleTexture(*ctx.texture, a[0] * w, a[1] * w, ctx.options->textureFilter,
                                 ctx.textureLod);
    ColorF c = ColorF{a[2] * w, a[3] * w, a[4] * w} * texel + ColorF{a[5] * w, a[6] * w, a[7] * w};
    rgb[0] = c.r * 255.0f;
    rgb[1] = c.g * 255.0f;
    rgb[2] = c.b * 255.0f;
  }
};

// Lighting evaluated at every pixel from the interpolated camera-space position and normal.
struct PhongKernel {
  static constexpr int kAttrs = 11;
  static constexpr bool kPerspective = true;
  static void load(const ScreenVertex& s, float* out) {
    const ShadedVertex& v = *s.v;
    float values[kAttrs] = {v.diffuse.r, v.diffuse.g, v.diffuse.b, v.viewPos.x, v.viewPos.y,
                            v.viewPos.z, v.normal.x, v.normal.y, v.normal.z, v.uv.x, v.uv.y};
    for (int i = 0; i < kAttrs; ++i) out[i] = values[i] * s.invW;
  }
  static void shade(const float* a, float invW, const FragmentContext& ctx, float* rgb) {
    float w = 1.0f / invW;
    ColorF surface{a[0] * w, a[1] * w, a[2] * w};
    Vec3 pos{a[3] * w, a[4] * w, a[5] * w};
    Vec3 normal = normalize(Vec3{a[6], a[7], a[8]});
    LitColor lit = lightPoint(*ctx.lights, *ctx.material, surface, pos, normal, ctx.objectOrigin,
                              ctx.options->colorModel == ColorModel::Mono);
    ColorF c = lit.diffuse;
    if (ctx.texture)
      c = c * sampleTexture(*ctx.texture, a[9] * w, a[10] * w, ctx.options->textureFilter, ctx.textureLod);
    c = c + lit.specular;
    rgb[0] = c.r * 255.0f;
    rgb[1] = c.g * 255.0f;
    rgb[2] = c.b * 255.0f;
  }
};

// 0..255 to a byte, clamped and rounded.
inline uint32_t channel(float v) { return static_cast<uint32_t>(clampChannel(v, 255.0f) + 0.5f); }

// Draws the pixels [first, hi] of the span [lo, hi] of row y: values step from lo whichever
// part is drawn, so that a pixel gets the same value however much of the span is drawn. Wide:
// eight at a time with AVX2. Returns whether it wrote a pixel.
template <class K, DepthMode D, bool Post, bool Wide>
[[gnu::always_inline]] inline bool fillSpan(const Planes& pl, int y, int64_t lo, int first, int64_t hi,
                                            const FragmentContext& ctx) {
  const RenderTarget& t = ctx.target;
  const DepthFunc func = ctx.options->depthFunc;
  const bool depthWrite = ctx.options->depthWrite;
  uint32_t* crow = t.color + static_cast<size_t>(y) * t.stride;
  float* zrow = t.depth + static_cast<size_t>(y) * t.stride;
  int x = static_cast<int>(lo);
  const float fy = static_cast<float>(y) + 0.5f - pl.y0;
  float fx, z, attr[K::kAttrs];
  auto startAt = [&](int at) {  // depth and attributes of pixel at
    fx = static_cast<float>(at) + 0.5f - pl.x0;
    z = pl.depthAt(fx, fy);
    for (int i = 0; i < K::kAttrs; ++i) attr[i] = pl.attributeAt(i, fx, fy);
  };
  startAt(x);
  bool wrote = false;
#if defined(__SSE2__)
  if constexpr (std::is_same_v<K, ColorKernel> && D != DepthMode::General) {
    int rest = x;
#if defined(ZTARN_RASTER_AVX2)
    if constexpr (Wide) {
      rest = colorRunAvx2<D, Post>(x, first, static_cast<int>(hi), y, z, attr, pl, crow, zrow, ctx, wrote);
      if (rest > hi) return wrote;
      if (rest != x) startAt(rest);
    }
#endif
    rest = colorRunSse<D, Post>(rest, first, static_cast<int>(hi), y, z, attr, pl, crow, zrow, ctx, wrote);
    if (rest > hi) return wrote;
    if (rest != x) startAt(x = rest);  // continue where the groups of four ended
  }
#endif
  float w = pl.w + pl.wdx * fx + pl.wdy * fy;
  for (; x <= static_cast<int>(hi); ++x) {
    bool pass;
    if (x < first) pass = false;
    else if constexpr (D == DepthMode::Off) pass = true;
    else if constexpr (D == DepthMode::LessEqualWrite) pass = z <= zrow[x];
    else pass = depthPasses(func, z, zrow[x]);
    if (pass) {
      wrote = true;
      if constexpr (D == DepthMode::LessEqualWrite) zrow[x] = z;
      else if constexpr (D == DepthMode::General) {
        if (depthWrite) zrow[x] = z;
      }
      float rgb[3];
      K::shade(attr, w, ctx, rgb);
      if constexpr (Post) {
        const ShadeTable& t = *ctx.shades;
        crow[x] = packPixel(t.quantize(rgb[0], x, y), t.quantize(rgb[1], x, y), t.quantize(rgb[2], x, y));
      } else {
        crow[x] = packPixel(channel(rgb[0]), channel(rgb[1]), channel(rgb[2]));
      }
    }
    z += pl.zdx;
    if constexpr (K::kPerspective) w += pl.wdx;
    for (int i = 0; i < K::kAttrs; ++i) attr[i] += pl.adx[i];
  }
  return wrote;
}

template <class K, DepthMode D, bool Post, bool Wide>
[[gnu::always_inline]] inline void fillSpans(EdgeWalk (&walks)[3], const Planes& pl, PixelRect box,
                                             const FragmentContext& ctx) {
  BandCollector touched(ctx.touched, box.top), written(ctx.written, box.top);
  RowSpans spans;
  for (int top = box.top; top < box.bottom; top += spans.count) {
    walkRows(walks, box, ctx.limit, top, std::min(RowSpans::kMaxRows, box.bottom - top), spans);
    for (int i = 0; i < spans.count; ++i) {
      const int y = top + i;
      touched.row(y);
      written.row(y);
      if (spans.first[i] > spans.hi[i]) continue;
      touched.span(spans.first[i], spans.hi[i]);
      if (fillSpan<K, D, Post, Wide>(pl, y, spans.lo[i], spans.first[i], spans.hi[i], ctx))
        written.span(spans.first[i], spans.hi[i]);
    }
  }
  touched.finish(box.bottom);
  written.finish(box.bottom);
}

template <class K>
void setupPlanes(const ScreenVertex* v, Planes& pl) {
  float dx1 = v[1].x - v[0].x, dy1 = v[1].y - v[0].y;
  float dx2 = v[2].x - v[0].x, dy2 = v[2].y - v[0].y;
  float det = dx1 * dy2 - dx2 * dy1;
  float inv = det != 0 ? 1.0f / det : 0.0f;
  auto grad = [&](float a0, float a1, float a2, float& value, float& ddx, float& ddy) {
    value = a0;
    ddx = ((a1 - a0) * dy2 - (a2 - a0) * dy1) * inv;
    ddy = ((a2 - a0) * dx1 - (a1 - a0) * dx2) * inv;
  };
  pl.x0 = v[0].x;
  pl.y0 = v[0].y;
  grad(v[0].z, v[1].z, v[2].z, pl.z, pl.zdx, pl.zdy);
  grad(v[0].invW, v[1].invW, v[2].invW, pl.w, pl.wdx, pl.wdy);
  float a[3][kMaxAttrs];
  for (int i = 0; i < 3; ++i) K::load(v[i], a[i]);
  for (int i = 0; i < K::kAttrs; ++i) grad(a[0][i], a[1][i], a[2][i], pl.a[i], pl.adx[i], pl.ady[i]);
}

// The span filler compiled for every processor, and once more for AVX2 (chosen at run time)
// so that the wide runs inline into it.
template <class K, DepthMode D, bool Post>
void fillSpansPlain(EdgeWalk (&walks)[3], const Planes& pl, PixelRect box, const FragmentContext& ctx) {
  fillSpans<K, D, Post, false>(walks, pl, box, ctx);
}

#if defined(ZTARN_RASTER_AVX2)
template <class K, DepthMode D, bool Post>
__attribute__((target("avx2"))) void fillSpansAvx2(EdgeWalk (&walks)[3], const Planes& pl, PixelRect box,
                                                   const FragmentContext& ctx) {
  fillSpans<K, D, Post, true>(walks, pl, box, ctx);
}
#endif

template <class K, DepthMode D, bool Post>
void fillSpansBest(EdgeWalk (&walks)[3], const Planes& pl, PixelRect box, const FragmentContext& ctx) {
#if defined(ZTARN_RASTER_AVX512)
  if (std::is_same_v<K, ColorKernel> && D != DepthMode::General && simdLevel() == SimdLevel::Avx512) {
    if constexpr (!Post) return colorRowsAvx512<D, Quantize::Round>(walks, box, pl, ctx);
    if (ctx.shades->steps() <= 31) return colorRowsAvx512<D, Quantize::ShadeTable32>(walks, box, pl, ctx);
    return colorRowsAvx512<D, Quantize::Shades>(walks, box, pl, ctx);
  }
#endif
#if defined(ZTARN_RASTER_AVX2)
  if (std::is_same_v<K, ColorKernel> && D != DepthMode::General && simdLevel() >= SimdLevel::Avx2)
    return fillSpansAvx2<K, D, Post>(walks, pl, box, ctx);
#endif
  fillSpansPlain<K, D, Post>(walks, pl, box, ctx);
}

template <class K>
void fillWith(TriangleSetup& t, PixelRect box, const FragmentContext& ctx) {
  const RasterOptions& o = *ctx.options;
  bool post = ctx.shades && ctx.shades->active();
  DepthMode mode = DepthMode::General;
  if (!o.depthTest || !ctx.target.depth) mode = DepthMode::Off;
  else if (o.depthFunc == DepthFunc::LessEqual && o.depthWrite) mode = DepthMode::LessEqualWrite;
  switch (mode) {
    case DepthMode::Off:
      post ? fillSpansBest<K, DepthMode::Off, true>(t.walks, t.planes, box, ctx)
           : fillSpansBest<K, DepthMode::Off, false>(t.walks, t.planes, box, ctx);
      break;
    case DepthMode::LessEqualWrite:
      post ? fillSpansBest<K, DepthMode::LessEqualWrite, true>(t.walks, t.planes, box, ctx)
           : fillSpansBest<K, DepthMode::LessEqualWrite, false>(t.walks, t.planes, box, ctx);
      break;
    case DepthMode::General:
      post ? fillSpansBest<K, DepthMode::General, true>(t.walks, t.planes, box, ctx)
           : fillSpansBest<K, DepthMode::General, false>(t.walks, t.planes, box, ctx);
      break;
  }
}

}  // namespace

bool setupTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                   const FragmentContext& ctx, TriangleSetup& out) {
  if (!ctx.target.color || ctx.clip.empty()) return false;
  ScreenVertex v[3] = {a, b, c};
  int64_t X[3], Y[3];
  for (int i = 0; i < 3; ++i) {
    if (!std::isfinite(v[i].x) || !std::isfinite(v[i].y) || std::fabs(v[i].x) > 1e6f ||
        std::fabs(v[i].y) > 1e6f)
      return false;
    X[i] = std::llround(v[i].x * kSub);
    Y[i] = std::llround(v[i].y * kSub);
  }
  int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (X[2] - X[0]) * (Y[1] - Y[0]);
  if (area == 0) return false;
  if (area < 0) {
    std::swap(v[1], v[2]);
    std::swap(X[1], X[2]);
    std::swap(Y[1], Y[2]);
  }
  // Interpolate from the snapped positions so that attributes match the covered pixels.
  for (int i = 0; i < 3; ++i) {
    v[i].x = static_cast<float>(X[i]) / kSub;
    v[i].y = static_cast<float>(Y[i]) / kSub;
  }
  out.edges[0] = makeEdge(X[0], Y[0], X[1], Y[1]);
  out.edges[1] = makeEdge(X[1], Y[1], X[2], Y[2]);
  out.edges[2] = makeEdge(X[2], Y[2], X[0], Y[0]);
  int64_t minX = std::min({X[0], X[1], X[2]}), maxX = std::max({X[0], X[1], X[2]});
  int64_t minY = std::min({Y[0], Y[1], Y[2]}), maxY = std::max({Y[0], Y[1], Y[2]});
  PixelRect box{static_cast<int>(floorDiv(minX, kSub)), static_cast<int>(floorDiv(minY, kSub)),
                static_cast<int>(floorDiv(maxX, kSub)) + 1, static_cast<int>(floorDiv(maxY, kSub)) + 1};
  out.box = intersect(box, ctx.clip);
  if (out.box.empty()) return false;

  bool lit = ctx.options->lighting && ctx.lights && ctx.material;
  if (ctx.options->shade == ShadeMode::Phong && lit) {
    out.kernel = ShadingKernel::Phong;
    setupPlanes<PhongKernel>(v, out.planes);
  } else if (ctx.texture) {
    out.kernel = ShadingKernel::Texture;
    setupPlanes<TextureKernel>(v, out.planes);
  } else {
    out.kernel = ShadingKernel::Color;
    setupPlanes<ColorKernel>(v, out.planes);
  }
  return true;
}

void fillRows(TriangleSetup& t, int top, int bottom, const FragmentContext& ctx) {
  PixelRect box = t.box;
  box.top = std::max(box.top, top);
  box.bottom = std::min(box.bottom, bottom);
  if (ctx.limit) ctx.limit->narrowRows(box);  // the columns stay, so spans start alike
  if (box.empty()) return;
  if (t.walkedTo != box.top)
    for (int i = 0; i < 3; ++i) t.walks[i] = EdgeWalk(t.edges[i], box.top);
  t.walkedTo = box.bottom;  // every filler walks each row of the box once
  switch (t.kernel) {
    case ShadingKernel::Phong: fillWith<PhongKernel>(t, box, ctx); break;
    case ShadingKernel::Texture: fillWith<TextureKernel>(t, box, ctx); break;
    case ShadingKernel::Color: fillWith<ColorKernel>(t, box, ctx); break;
  }
}

void probeRows(const TriangleSetup& t, const FragmentContext& ctx, BandRegion& passed) {
  if (t.box.empty()) return;
  EdgeWalk walks[3] = {{t.edges[0], t.box.top}, {t.edges[1], t.box.top}, {t.edges[2], t.box.top}};
#if defined(ZTARN_RASTER_AVX512)  // the same sixteen pixels at a time
  if (simdLevel() == SimdLevel::Avx512 && ctx.target.depth) return probeRowsAvx512(walks, t.box, t.planes, ctx, passed);
#endif
  const Planes& pl = t.planes;
  BandCollector collector(&passed, t.box.top);
  RowSpans spans;
  for (int top = t.box.top; top < t.box.bottom; top += spans.count) {
    walkRows(walks, t.box, nullptr, top, std::min(RowSpans::kMaxRows, t.box.bottom - top), spans);
    for (int i = 0; i < spans.count; ++i) {
      const int y = top + i, lo = spans.lo[i], hi = spans.hi[i];
      collector.row(y);
      if (lo > hi) continue;
      if (!ctx.target.depth) {  // nothing to test against
        collector.span(lo, hi);
        continue;
      }
      const float* zrow = ctx.target.depth + static_cast<size_t>(y) * ctx.target.stride;
      const float fy = static_cast<float>(y) + 0.5f - pl.y0, fx = static_cast<float>(lo) + 0.5f - pl.x0;
      float z = pl.depthAt(fx, fy) - kProbeLeniency;
      for (int x = lo; x <= hi; ++x, z += pl.zdx)
        if (z <= zrow[x]) {
          collector.span(lo, hi);
          break;
        }
    }
  }
  collector.finish(t.box.bottom);
}

void fillTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                  const FragmentContext& ctx) {
  TriangleSetup t;
  if (!setupTriangle(a, b, c, ctx, t)) return;
  fillRows(t, t.box.top, t.box.bottom, ctx);
}

}  // namespace rm::raster
