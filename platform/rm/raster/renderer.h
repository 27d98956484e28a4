#pragma once
// The rasterizer's entry: one render of one viewport is begin() and a draw() per batch. The
// renderer transforms and lights vertices, culls, clips and hands triangles, lines or points to
// the fill stages. Its scratch buffers keep their capacity from frame to frame, so a steady
// scene draws without allocating.
#include <cstdint>
#include <vector>

#include "platform/rm/raster/clipper.h"
#include "platform/rm/raster/fragment.h"
#include "platform/rm/raster/lights.h"
#include "platform/rm/raster/mesh.h"
#include "platform/rm/raster/options.h"
#include "platform/rm/raster/projection.h"
#include "platform/rm/raster/shade_table.h"
#include "platform/rm/raster/target.h"

namespace rm::raster {

class Renderer {
 public:
  // Starts drawing into target within view.viewport. worldToCamera takes world points into the
  // camera's space; lights are given in world space and moved into camera space here.
  void begin(const RenderTarget& target, const ViewSetup& view, const Mat4& worldToCamera,
             const RasterOptions& options, const ColorF& ambient, const std::vector<Light>& worldLights);
  void draw(const Batch& batch);

  // Triangles that survived culling and clipping since begin().
  uint32_t trianglesDrawn() const { return trianglesDrawn_; }
  // Covers every pixel written since begin() (it may be larger).
  const PixelRect& touched() const { return touched_; }
  const Projection& projection() const { return projection_; }

 private:
  void drawTriangle(const ShadedVertex& a, const ShadedVertex& b, const ShadedVertex& c,
                    uint8_t edgeFlags);
  ScreenVertex toScreen(const ShadedVertex& v) const;

  RenderTarget target_;
  RasterOptions options_;
  Projection projection_;
  Mat4 worldToCamera_;
  PixelRect clip_;
  LightSet lights_;
  ShadeTable shadeTable_;
  FragmentContext context_;
  Material material_;
  uint32_t trianglesDrawn_ = 0;
  PixelRect touched_;
  std::vector<ShadedVertex> shaded_;  // one per batch vertex; reused
  ClipPolygon polygon_;
};

}  // namespace rm::raster
