#pragma once
// A triangle prepared for filling: its edge functions, its screen-space attribute planes and the
// pixels it may cover. Preparing once and filling in several row bands lets the renderer draw a
// frame band by band while the band's pixels stay in the cache.
#include <cstdint>

#include "platform/rm/raster/edge_walk.h"
#include "platform/rm/raster/fragment.h"

namespace rm::raster {

constexpr int kMaxAttributes = 11;

// Screen-space planes of depth, 1/w and the attributes, relative to the first vertex.
struct Planes {
  float x0 = 0, y0 = 0;
  float z = 0, zdx = 0, zdy = 0;
  float w = 0, wdx = 0, wdy = 0;
  float a[kMaxAttributes] = {}, adx[kMaxAttributes] = {}, ady[kMaxAttributes] = {};
  // Depth and attribute i at (fx, fy) pixels from the first vertex; every filler starts its
  // spans by this arithmetic, so that they all give a pixel the same value.
  float depthAt(float fx, float fy) const { return z + zdx * fx + zdy * fy; }
  float attributeAt(int i, float fx, float fy) const { return a[i] + adx[i] * fx + ady[i] * fy; }
};

// What colours a pixel: interpolated colour, texture, or lighting at every pixel.
enum class ShadingKernel { Color, Texture, Phong };

struct TriangleSetup {
  Edge edges[3];
  // Where filling left off: the edges walked down to row walkedTo, so that the next band of rows
  // (in this render or a later one) goes on from there instead of starting the walk again.
  EdgeWalk walks[3];
  int walkedTo = -1;
  Planes planes;
  PixelRect box;  // within the context's clip rectangle
  ShadingKernel kernel = ShadingKernel::Color;
};

// Prepares a triangle (any winding) for the context's options and surface; false when it
// covers no pixel of the clip rectangle.
bool setupTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                   const FragmentContext& ctx, TriangleSetup& out);
// Fills the rows [top, bottom) of a prepared triangle; quickest when each call goes on from the
// row where the last one stopped. ctx must carry the same options, texture and material as when
// it was prepared.
void fillRows(TriangleSetup& triangle, int top, int bottom, const FragmentContext& ctx);
// Adds to passed the spans of rows where the triangle would pass a less-or-equal depth test
// (a little leniently) against the target's depths; writes nothing. Without a depth buffer
// every span counts as passing.
void probeRows(const TriangleSetup& triangle, const FragmentContext& ctx, BandRegion& passed);

}  // namespace rm::raster
