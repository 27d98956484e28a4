// Wireframe lines and points: vertex colours (lit at the vertices), depth-tested like
// triangles.
#include <algorithm>
#include <cmath>

#include "platform/rm/raster/fragment.h"

namespace rm::raster {

namespace {

void writeFragment(int x, int y, float z, ColorF c, const FragmentContext& ctx) {
  const PixelRect& clip = ctx.clip;
  if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) return;
  const RenderTarget& t = ctx.target;
  size_t at = static_cast<size_t>(y) * t.stride + x;
  const RasterOptions& o = *ctx.options;
  if (o.depthTest && t.depth) {
    if (!depthPasses(o.depthFunc, z, t.depth[at])) return;
    if (o.depthWrite) t.depth[at] = z;
  }
  if (ctx.shades && ctx.shades->active()) {
    const ShadeTable& s = *ctx.shades;
    t.color[at] = packPixel(s.quantize(c.r * 255.0f, x, y), s.quantize(c.g * 255.0f, x, y), s.quantize(c.b * 255.0f, x, y));
  } else {
    t.color[at] = packColor(c);
  }
  if (ctx.touched) ctx.touched->add({x, y, x + 1, y + 1});
}

ColorF vertexColor(const ScreenVertex& s) { return s.v->diffuse + s.v->specular; }

bool usable(const ScreenVertex& s) {
  return std::isfinite(s.x) && std::isfinite(s.y) && std::fabs(s.x) < 1e6f && std::fabs(s.y) < 1e6f;
}

}  // namespace

void drawLine(const ScreenVertex& a, const ScreenVertex& b, const FragmentContext& ctx) {
  if (!ctx.target.color || !usable(a) || !usable(b)) return;
  float dx = b.x - a.x, dy = b.y - a.y;
  int steps = static_cast<int>(std::ceil(std::max(std::fabs(dx), std::fabs(dy))));
  ColorF ca = vertexColor(a), cb = vertexColor(b);
  if (steps == 0) {
    writeFragment(static_cast<int>(std::floor(a.x)), static_cast<int>(std::floor(a.y)), a.z, ca, ctx);
    return;
  }
  float inv = 1.0f / static_cast<float>(steps);
  for (int i = 0; i <= steps; ++i) {
    float t = i * inv;
    writeFragment(static_cast<int>(std::floor(a.x + dx * t)), static_cast<int>(std::floor(a.y + dy * t)),
                  a.z + (b.z - a.z) * t, ca * (1 - t) + cb * t, ctx);
  }
}

void drawPoint(const ScreenVertex& a, const FragmentContext& ctx) {
  if (!ctx.target.color || !usable(a)) return;
  writeFragment(static_cast<int>(std::floor(a.x)), static_cast<int>(std::floor(a.y)), a.z,
                vertexColor(a), ctx);
}

}  // namespace rm::raster
