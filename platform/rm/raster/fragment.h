#pragma once
// What the triangle, line and point stages share while drawing one batch: the target, the
// rectangle they may touch, the per-pixel options and the surface being drawn.
#include "platform/rm/raster/band_region.h"
#include "platform/rm/raster/clipper.h"
#include "platform/rm/raster/lights.h"
#include "platform/rm/raster/options.h"
#include "platform/rm/raster/shade_table.h"
#include "platform/rm/raster/target.h"
#include "platform/rm/raster/texture.h"

namespace rm::raster {

struct FragmentContext {
  RenderTarget target;
  PixelRect clip;                        // viewport within the target; nothing outside is written
  const RasterOptions* options = nullptr;
  const ShadeTable* shades = nullptr;
  const Texture* texture = nullptr;      // null: untextured
  float textureLod = 0;                  // log2 texels per pixel of the current triangle
  const LightSet* lights = nullptr;      // Phong: lights evaluated per pixel
  const Material* material = nullptr;
  Vec3 objectOrigin;                     // camera space, for parallel point lights
  BandRegion* touched = nullptr;         // grows to cover every pixel that may have been written
  const BandRegion* limit = nullptr;     // when set, triangles draw only the pixels inside it
  BandRegion* written = nullptr;         // when set, grows to cover the pixels written (may be larger)
};

// A vertex on the device: pixel position, depth 0..1, 1/w and the shaded vertex it came from.
struct ScreenVertex {
  float x = 0, y = 0, z = 0, invW = 1;
  const ShadedVertex* v = nullptr;
};

// Whether a fragment at depth z passes against the stored depth.
inline bool depthPasses(DepthFunc func, float z, float stored) {
  switch (func) {
    case DepthFunc::Never: return false;
    case DepthFunc::Less: return z < stored;
    case DepthFunc::Equal: return z == stored;
    case DepthFunc::LessEqual: return z <= stored;
    case DepthFunc::Greater: return z > stored;
    case DepthFunc::NotEqual: return z != stored;
    case DepthFunc::GreaterEqual: return z >= stored;
    case DepthFunc::Always: return true;
  }
  return false;
}

// Fills a triangle with the top-left rule. Any winding; culling happened before.
void fillTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                  const FragmentContext& ctx);
// One-pixel line between two vertices, both ends drawn.
void drawLine(const ScreenVertex& a, const ScreenVertex& b, const FragmentContext& ctx);
// One pixel at the vertex.
void drawPoint(const ScreenVertex& a, const FragmentContext& ctx);

}  // namespace rm::raster
