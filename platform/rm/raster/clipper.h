#pragma once
// Homogeneous clipping (Blinn and Newell): polygons and segments are cut against the six planes
// -w <= x <= w, -w <= y <= w, 0 <= z <= w of clip space before the division by w, so that
// points behind the camera never reach the rasterizer.
#include <cstdint>

#include "platform/rm/raster/color.h"
#include "platform/rm/raster/math.h"

namespace rm::raster {

// One vertex after the vertex stage: its clip position and everything drawn across it.
struct ShadedVertex {
  Vec4 clip;
  ColorF diffuse;    // lit colour (Phong: the unlit surface colour)
  ColorF specular;   // highlight to add after texturing
  Vec2 uv;
  Vec3 viewPos;      // camera space (Phong)
  Vec3 normal;       // camera space (Phong)
};

ShadedVertex lerp(const ShadedVertex& a, const ShadedVertex& b, float t);

// Bit per plane the point lies outside of; 0 inside the clip volume.
uint32_t outcode(const Vec4& c);

// A convex polygon of at most kMaxVertices vertices; storage lives in the object, so clipping
// allocates nothing.
class ClipPolygon {
 public:
  static constexpr int kMaxVertices = 9;  // a triangle cut by six planes

  void setTriangle(const ShadedVertex& a, const ShadedVertex& b, const ShadedVertex& c);
  // Cuts the polygon by the planes whose bits are set in planes (outcode bits).
  void clip(uint32_t planes);
  int size() const { return count_; }
  const ShadedVertex& operator[](int i) const { return buffers_[current_][i]; }

 private:
  ShadedVertex buffers_[2][kMaxVertices];
  int current_ = 0;
  int count_ = 0;
};

// Cuts the segment a-b to the clip volume; false when nothing of it is left.
bool clipSegment(ShadedVertex& a, ShadedVertex& b);

}  // namespace rm::raster
