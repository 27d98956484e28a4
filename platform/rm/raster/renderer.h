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
#include "platform/rm/raster/triangle_setup.h"

namespace rm::raster {

// An area to fill with one colour and one depth before anything is drawn.
struct ClearRequest {
  BandRegion area;
  uint32_t color = 0xFF000000u;
  float depth = 1;
  // Clears the part of the area within rows [top, bottom), or all of it, in target.
  void applyTo(const RenderTarget& target, int top, int bottom) const;
  void applyTo(const RenderTarget& target) const { applyTo(target, area.top(), area.bottom()); }
};

// A solid triangle prepared for filling, with the surface it is drawn with.
struct PreparedTriangle {
  TriangleSetup setup;
  const Texture* texture = nullptr;
  float textureLod = 0;
  Material material;
  Vec3 objectOrigin;
  uint32_t lightMask = ~0u;
  BandRegion* written = nullptr;
};

// The solid triangles one batch prepared in a render, kept to be filled again in a later render
// of the same batch under the same view, options and lights without preparing them anew.
struct PreparedBatch {
  bool valid = false;
  uint32_t trianglesDrawn = 0;
  std::vector<PreparedTriangle> triangles;  // all of them, whatever the render's limit
};

class Renderer {
 public:
  // Starts drawing into target within view.viewport. worldToCamera takes world points into the
  // camera's space; lights are given in world space and moved into camera space here, in the
  // order that Batch::lightMask refers to (ambient ones in the list too).
  void begin(const RenderTarget& target, const ViewSetup& view, const Mat4& worldToCamera,
             const RasterOptions& options, const ColorF& ambient, const std::vector<Light>& worldLights);
  // Clears before the drawing of this render. Solid triangles are only prepared by draw() and
  // filled by finish(), band of rows by band of rows, each band cleared just before its
  // triangles are filled, so that the band's colour and depth stay in the cache.
  void clearFirst(const ClearRequest& clear);
  // Pixels outside limit (null: none) need not be drawn in this render: they would get the
  // values they hold. The region must outlive the render.
  void limitTo(const BandRegion* limit);
  // written, when given, grows to cover where the batch's pixels are written (it may be larger);
  // it must outlive finish(). capture, when given, keeps what the batch prepared (it must stay
  // untouched until finish()).
  void draw(const Batch& batch, BandRegion* written = nullptr, PreparedBatch* capture = nullptr);
  // Fills again, within this render's limit, what a draw() of the same batch under the same
  // view, options and lights captured.
  void redraw(PreparedBatch& captured, BandRegion* written = nullptr);
  // Where the batch would pass a less-or-equal depth test against what the target holds now,
  // added to passed (a little larger, never smaller). Draws nothing and counts no triangles.
  void probe(const Batch& batch, BandRegion& passed);
  // Completes the render: what draw() prepared is filled. Call once after the last draw().
  void finish();

  // Triangles that survived culling and clipping since begin().
  uint32_t trianglesDrawn() const { return trianglesDrawn_; }
  // Covers every pixel written since begin() (it may be larger).
  const BandRegion& touched() const { return touched_; }
  const Projection& projection() const { return projection_; }

 private:
  void drawTriangles(const Batch& batch);
  void drawTriangle(const ShadedVertex& a, const ShadedVertex& b, const ShadedVertex& c,
                    uint8_t edgeFlags);
  ScreenVertex toScreen(const ShadedVertex& v) const;
  void prepare(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c);

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
  BandRegion touched_;
  std::vector<ShadedVertex> shaded_;  // one per batch vertex; reused
  // Solid triangles waiting for finish(), in drawing order: in the batch's capture, or in own_
  // when the batch keeps none. Found by index, as own_ grows while the render goes on.
  struct Job {
    std::vector<PreparedTriangle>* store;
    uint32_t index;
  };
  std::vector<Job> jobs_;
  std::vector<PreparedTriangle> own_;  // reused
  std::vector<PreparedTriangle>* store_ = &own_;  // where the batch being drawn prepares
  std::vector<PreparedTriangle*> filling_;  // finish()'s list; reused
  ClearRequest clear_;
  bool clearPending_ = false;
  ClipPolygon polygon_;
  BandRegion* written_ = nullptr;  // of the batch being drawn
  BandRegion* probing_ = nullptr;  // while probe() runs: where passing spans go
};

}  // namespace rm::raster
