#include "platform/rm/raster/math.h"

namespace rm::raster {

Mat4 operator*(const Mat4& a, const Mat4& b) {
  Mat4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] +
                  a.m[i][3] * b.m[3][j];
  return r;
}

Mat4 inverseAffine(const Mat4& a) {
  const float(*m)[4] = a.m;
  float c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
  float c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
  float c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
  float det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
  Mat4 r;
  if (det == 0 || !std::isfinite(det)) return r;
  float inv = 1.0f / det;
  r.m[0][0] = c00 * inv;
  r.m[1][0] = c01 * inv;
  r.m[2][0] = c02 * inv;
  r.m[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * inv;
  r.m[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * inv;
  r.m[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * inv;
  r.m[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * inv;
  r.m[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * inv;
  r.m[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * inv;
  for (int j = 0; j < 3; ++j)
    r.m[3][j] = -(m[3][0] * r.m[0][j] + m[3][1] * r.m[1][j] + m[3][2] * r.m[2][j]);
  return r;
}

}  // namespace rm::raster
