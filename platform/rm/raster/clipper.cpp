#include "platform/rm/raster/clipper.h"

#include <algorithm>

namespace rm::raster {

namespace {

// Signed distance to plane p (outcode bit p): non-negative inside.
float planeDistance(const Vec4& c, int plane) {
  switch (plane) {
    case 0: return c.w + c.x;  // left
    case 1: return c.w - c.x;  // right
    case 2: return c.w + c.y;  // bottom
    case 3: return c.w - c.y;  // top
    case 4: return c.z;        // front
    default: return c.w - c.z; // back
  }
}

float mix(float a, float b, float t) { return a + (b - a) * t; }

}  // namespace

ShadedVertex lerp(const ShadedVertex& a, const ShadedVertex& b, float t) {
  ShadedVertex r;
  r.clip = {mix(a.clip.x, b.clip.x, t), mix(a.clip.y, b.clip.y, t), mix(a.clip.z, b.clip.z, t),
            mix(a.clip.w, b.clip.w, t)};
  r.diffuse = {mix(a.diffuse.r, b.diffuse.r, t), mix(a.diffuse.g, b.diffuse.g, t),
               mix(a.diffuse.b, b.diffuse.b, t)};
  r.specular = {mix(a.specular.r, b.specular.r, t), mix(a.specular.g, b.specular.g, t),
                mix(a.specular.b, b.specular.b, t)};
  r.uv = {mix(a.uv.x, b.uv.x, t), mix(a.uv.y, b.uv.y, t)};
  r.viewPos = {mix(a.viewPos.x, b.viewPos.x, t), mix(a.viewPos.y, b.viewPos.y, t),
               mix(a.viewPos.z, b.viewPos.z, t)};
  r.normal = {mix(a.normal.x, b.normal.x, t), mix(a.normal.y, b.normal.y, t),
              mix(a.normal.z, b.normal.z, t)};
  return r;
}

uint32_t outcode(const Vec4& c) {
  uint32_t code = 0;
  for (int p = 0; p < 6; ++p)
    if (!(planeDistance(c, p) >= 0)) code |= 1u << p;  // NaN counts as outside
  return code;
}

void ClipPolygon::setTriangle(const ShadedVertex& a, const ShadedVertex& b, const ShadedVertex& c) {
  current_ = 0;
  count_ = 3;
  buffers_[0][0] = a;
  buffers_[0][1] = b;
  buffers_[0][2] = c;
}

void ClipPolygon::clip(uint32_t planes) {
  for (int p = 0; p < 6 && count_ > 0; ++p) {
    if (!(planes & (1u << p))) continue;
    const ShadedVertex* in = buffers_[current_];
    ShadedVertex* out = buffers_[current_ ^ 1];
    int n = 0;
    for (int i = 0; i < count_; ++i) {
      const ShadedVertex& a = in[i];
      const ShadedVertex& b = in[(i + 1) % count_];
      float da = planeDistance(a.clip, p), db = planeDistance(b.clip, p);
      bool aIn = da >= 0, bIn = db >= 0;
      if (aIn && n < kMaxVertices) out[n++] = a;
      if (aIn != bIn && n < kMaxVertices) out[n++] = lerp(a, b, da / (da - db));
    }
    current_ ^= 1;
    count_ = n < 3 ? 0 : n;
  }
}

bool clipSegment(ShadedVertex& a, ShadedVertex& b) {
  float t0 = 0, t1 = 1;
  for (int p = 0; p < 6; ++p) {
    float da = planeDistance(a.clip, p), db = planeDistance(b.clip, p);
    if (!(da >= 0) && !(db >= 0)) return false;
    if (da < 0) t0 = std::max(t0, da / (da - db));
    else if (db < 0) t1 = std::min(t1, da / (da - db));
  }
  if (t0 > t1) return false;
  ShadedVertex na = lerp(a, b, t0), nb = lerp(a, b, t1);
  a = na;
  b = nb;
  return true;
}

}  // namespace rm::raster
