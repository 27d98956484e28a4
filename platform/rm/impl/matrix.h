#pragma once
// Vector and matrix arithmetic inside the library. Row vectors, left-handed: a point p of a
// frame is p * M in the parent's coordinates; rows 0..2 of M are the frame's axes and row 3
// its origin, in the parent's coordinates.

#include "platform/rm/types.h"

#include <cmath>

namespace rm {

inline D3DVECTOR Vec(D3DVALUE x, D3DVALUE y, D3DVALUE z) { return D3DVECTOR{x, y, z}; }
inline D3DVECTOR operator+(D3DVECTOR a, D3DVECTOR b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline D3DVECTOR operator-(D3DVECTOR a, D3DVECTOR b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline D3DVECTOR operator-(D3DVECTOR a) { return {-a.x, -a.y, -a.z}; }
inline D3DVECTOR operator*(D3DVECTOR a, D3DVALUE s) { return {a.x * s, a.y * s, a.z * s}; }
inline D3DVALUE Dot(D3DVECTOR a, D3DVECTOR b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
// x cross y = z (the same formula in either handedness).
inline D3DVECTOR Cross(D3DVECTOR a, D3DVECTOR b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline D3DVALUE Length(D3DVECTOR a) { return std::sqrt(Dot(a, a)); }
// Unit vector along a; a zero (or non-finite) vector gives (0, 0, 0).
D3DVECTOR Normalized(D3DVECTOR a);
bool IsFinite(D3DVECTOR a);

struct Matrix {
    D3DVALUE m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    static Matrix Identity() { return {}; }
    static Matrix From(const D3DRMMATRIX4D src);
    void CopyTo(D3DRMMATRIX4D dst) const;
    static Matrix Translation(D3DVALUE x, D3DVALUE y, D3DVALUE z);
    static Matrix Scaling(D3DVALUE sx, D3DVALUE sy, D3DVALUE sz);
    // Turns by theta about the unit axis, clockwise looking along the axis toward the origin:
    // about +Y, +X goes toward -Z.
    static Matrix Rotation(D3DVECTOR unitAxis, D3DVALUE theta);

    D3DVECTOR Row(int r) const { return {m[r][0], m[r][1], m[r][2]}; }
    void SetRow(int r, D3DVECTOR v)
    {
        m[r][0] = v.x;
        m[r][1] = v.y;
        m[r][2] = v.z;
    }
};

// a then b: p * (a * b) = (p * a) * b.
Matrix operator*(const Matrix& a, const Matrix& b);
// General inverse; a singular matrix gives the identity.
Matrix Inverse(const Matrix& a);
// p * M with w = 1 (the point form).
D3DVECTOR TransformPoint(D3DVECTOR p, const Matrix& m);
// v * M without the translation (the direction form).
D3DVECTOR TransformDirection(D3DVECTOR v, const Matrix& m);

}  // namespace rm
