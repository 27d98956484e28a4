#include "platform/rm/raster/projection.h"

#include <algorithm>

namespace rm::raster {

Projection makeProjection(const ViewSetup& s) {
  Projection p;
  float w = static_cast<float>(s.viewport.width());
  float h = static_cast<float>(s.viewport.height());
  p.halfWidth = w * 0.5f;
  p.halfHeight = h * 0.5f;
  p.centerX = s.viewport.left + p.halfWidth;
  p.centerY = s.viewport.top + p.halfHeight;

  float planeW = s.right - s.left, planeH = s.top - s.bottom;
  float scaleX = w / planeW, scaleY = h / planeH;  // pixels per plane unit
  if (s.uniformScaling) scaleX = scaleY = std::min(scaleX, scaleY);
  float kx = scaleX / p.halfWidth, ky = scaleY / p.halfHeight;  // plane unit to NDC
  float cx = (s.left + s.right) * 0.5f, cy = (s.bottom + s.top) * 0.5f;
  float depth = s.back - s.front;

  Mat4& m = p.cameraToClip;
  m = Mat4{};
  if (s.projection == ProjectionKind::Perspective) {
    // x_clip = (x * front - cx * z) * kx, w_clip = z, z_clip = (z - front) * back / depth.
    m.m[0][0] = s.front * kx;
    m.m[1][1] = s.front * ky;
    m.m[2][0] = -cx * kx;
    m.m[2][1] = -cy * ky;
    m.m[2][2] = s.back / depth;
    m.m[2][3] = 1;
    m.m[3][2] = -s.front * s.back / depth;
    m.m[3][3] = 0;
  } else {
    m.m[0][0] = kx;
    m.m[1][1] = ky;
    m.m[3][0] = -cx * kx;
    m.m[3][1] = -cy * ky;
    m.m[2][2] = 1.0f / depth;
    m.m[3][2] = -s.front / depth;
  }
  return p;
}

}  // namespace rm::raster
