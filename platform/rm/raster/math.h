#pragma once
// Small vector and matrix types of the rasterizer. Row vectors: a point p is transformed as
// p * M, so a matrix holds its translation in the fourth row (m[3][0..2]).
#include <cmath>

namespace rm::raster {

struct Vec2 {
  float x = 0, y = 0;
};

struct Vec3 {
  float x = 0, y = 0, z = 0;
  bool operator==(const Vec3&) const = default;
};

struct Vec4 {
  float x = 0, y = 0, z = 0, w = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(Vec3 a) { return std::sqrt(dot(a, a)); }
// Unit vector along a; the zero vector stays zero.
inline Vec3 normalize(Vec3 a) {
  float len = length(a);
  return len > 0 ? a * (1.0f / len) : Vec3{};
}

// 4x4 matrix for row vectors; identity by default.
struct Mat4 {
  float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  bool operator==(const Mat4&) const = default;
};

// a then b: a point goes through a first (p * a * b).
Mat4 operator*(const Mat4& a, const Mat4& b);
// Inverse of an affine matrix (last column 0, 0, 0, 1); a singular matrix gives identity.
Mat4 inverseAffine(const Mat4& a);

inline Vec4 transformPoint4(Vec3 p, const Mat4& a) {
  return {p.x * a.m[0][0] + p.y * a.m[1][0] + p.z * a.m[2][0] + a.m[3][0],
          p.x * a.m[0][1] + p.y * a.m[1][1] + p.z * a.m[2][1] + a.m[3][1],
          p.x * a.m[0][2] + p.y * a.m[1][2] + p.z * a.m[2][2] + a.m[3][2],
          p.x * a.m[0][3] + p.y * a.m[1][3] + p.z * a.m[2][3] + a.m[3][3]};
}
inline Vec3 transformPoint(Vec3 p, const Mat4& a) {
  return {p.x * a.m[0][0] + p.y * a.m[1][0] + p.z * a.m[2][0] + a.m[3][0],
          p.x * a.m[0][1] + p.y * a.m[1][1] + p.z * a.m[2][1] + a.m[3][1],
          p.x * a.m[0][2] + p.y * a.m[1][2] + p.z * a.m[2][2] + a.m[3][2]};
}
// Direction: rotation and scale only, no translation.
inline Vec3 transformVector(Vec3 v, const Mat4& a) {
  return {v.x * a.m[0][0] + v.y * a.m[1][0] + v.z * a.m[2][0],
          v.x * a.m[0][1] + v.y * a.m[1][1] + v.z * a.m[2][1],
          v.x * a.m[0][2] + v.y * a.m[1][2] + v.z * a.m[2][2]};
}

}  // namespace rm::raster
