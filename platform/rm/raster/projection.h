#pragma once
// From camera space to clip space and on to device pixels.
//
// The camera looks along +Z with +Y up; screen x follows +X and screen y grows downwards.
// The viewing plane (left, right, bottom, top) is given in camera units:
//  - perspective: a point (x, y, z) lands on the plane at (x * front / z, y * front / z), so the
//    plane is the window at the front clipping distance;
//  - orthographic: a point lands at (x, y), so the plane spans camera units directly.
// The plane is mapped onto the viewport rectangle. With uniform scaling both axes use the
// smaller of the two scales, so the whole plane stays visible and the longer side of the
// viewport shows more (a field f, plane (-f, f, -f, f), spans the shorter side); without it
// each axis is stretched to fill the rectangle.
// Depth runs from 0 at the front plane to 1 at the back plane: z / w in clip space.
#include "platform/rm/raster/math.h"
#include "platform/rm/raster/target.h"

namespace rm::raster {

enum class ProjectionKind { Perspective, Orthographic };

struct ViewSetup {
  ProjectionKind projection = ProjectionKind::Perspective;
  float front = 1, back = 100;                       // clipping distances along +Z, camera units
  float left = -0.5f, right = 0.5f, bottom = -0.5f, top = 0.5f;  // viewing plane
  bool uniformScaling = true;
  PixelRect viewport;                                // on the device, in pixels
  bool operator==(const ViewSetup&) const = default;
};

struct Projection {
  Mat4 cameraToClip;  // clip x and y in [-w, w] cover the viewport, z in [0, w] front to back
  float halfWidth = 0, halfHeight = 0;  // viewport half size in pixels
  float centerX = 0, centerY = 0;       // viewport centre on the device, pixels
};

// Valid for any setup whose viewport is not empty, whose plane has positive extents and whose
// planes satisfy 0 < front < back for perspective (front < back for orthographic).
Projection makeProjection(const ViewSetup& setup);

// Device pixel coordinates of a clip-space point (after the division by w).
inline float toPixelX(const Projection& p, float ndcX) { return p.centerX + ndcX * p.halfWidth; }
inline float toPixelY(const Projection& p, float ndcY) { return p.centerY - ndcY * p.halfHeight; }

}  // namespace rm::raster
