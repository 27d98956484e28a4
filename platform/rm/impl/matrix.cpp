#include "platform/rm/impl/matrix.h"

#include <cstring>

namespace rm {

bool IsFinite(D3DVECTOR a) { return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z); }

D3DVECTOR Normalized(D3DVECTOR a)
{
    D3DVALUE len = Length(a);
    if (!(len > 0) || !std::isfinite(len))
        return {0, 0, 0};
    return a * (1 / len);
}

Matrix Matrix::From(const D3DRMMATRIX4D src)
{
    Matrix r;
    std::memcpy(r.m, src, sizeof r.m);
    return r;
}

void Matrix::CopyTo(D3DRMMATRIX4D dst) const { std::memcpy(dst, m, sizeof m); }

Matrix Matrix::Translation(D3DVALUE x, D3DVALUE y, D3DVALUE z)
{
    Matrix r;
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Matrix Matrix::Scaling(D3DVALUE sx, D3DVALUE sy, D3DVALUE sz)
{
    Matrix r;
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    return r;
}

// Row i is e_i turned: e c + a (a.e)(1 - c) + (a x e) s, which turns clockwise about a seen
// from its tip in left-handed space.
Matrix Matrix::Rotation(D3DVECTOR a, D3DVALUE theta)
{
    const double c = std::cos(static_cast<double>(theta));
    const double s = std::sin(static_cast<double>(theta));
    const double t = 1 - c;
    const double x = a.x, y = a.y, z = a.z;
    Matrix r;
    r.m[0][0] = static_cast<D3DVALUE>(c + x * x * t);
    r.m[0][1] = static_cast<D3DVALUE>(x * y * t + z * s);
    r.m[0][2] = static_cast<D3DVALUE>(x * z * t - y * s);
    r.m[1][0] = static_cast<D3DVALUE>(y * x * t - z * s);
    r.m[1][1] = static_cast<D3DVALUE>(c + y * y * t);
    r.m[1][2] = static_cast<D3DVALUE>(y * z * t + x * s);
    r.m[2][0] = static_cast<D3DVALUE>(z * x * t + y * s);
    r.m[2][1] = static_cast<D3DVALUE>(z * y * t - x * s);
    r.m[2][2] = static_cast<D3DVALUE>(c + z * z * t);
    return r;
}

Matrix operator*(const Matrix& a, const Matrix& b)
{
    Matrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += static_cast<double>(a.m[i][k]) * b.m[k][j];
            r.m[i][j] = static_cast<D3DVALUE>(sum);
        }
    return r;
}

// Cofactor expansion in double precision.
Matrix Inverse(const Matrix& a)
{
    double m[16], inv[16];
    for (int i = 0; i < 16; ++i)
        m[i] = a.m[i / 4][i % 4];
    inv[0] = m[5] * m[10] * m[15] - m[5] * m[11] * m[14] - m[9] * m[6] * m[15] + m[9] * m[7] * m[14] +
             m[13] * m[6] * m[11] - m[13] * m[7] * m[10];
    inv[4] = -m[4] * m[10] * m[15] + m[4] * m[11] * m[14] + m[8] * m[6] * m[15] - m[8] * m[7] * m[14] -
             m[12] * m[6] * m[11] + m[12] * m[7] * m[10];
    inv[8] = m[4] * m[9] * m[15] - m[4] * m[11] * m[13] - m[8] * m[5] * m[15] + m[8] * m[7] * m[13] +
             m[12] * m[5] * m[11] - m[12] * m[7] * m[9];
    inv[12] = -m[4] * m[9] * m[14] + m[4] * m[10] * m[13] + m[8] * m[5] * m[14] - m[8] * m[6] * m[13] -
              m[12] * m[5] * m[10] + m[12] * m[6] * m[9];
    inv[1] = -m[1] * m[10] * m[15] + m[1] * m[11] * m[14] + m[9] * m[2] * m[15] - m[9] * m[3] * m[14] -
             m[13] * m[2] * m[11] + m[13] * m[3] * m[10];
    inv[5] = m[0] * m[10] * m[15] - m[0] * m[11] * m[14] - m[8] * m[2] * m[15] + m[8] * m[3] * m[14] +
             m[12] * m[2] * m[11] - m[12] * m[3] * m[10];
    inv[9] = -m[0] * m[9] * m[15] + m[0] * m[11] * m[13] + m[8] * m[1] * m[15] - m[8] * m[3] * m[13] -
             m[12] * m[1] * m[11] + m[12] * m[3] * m[9];
    inv[13] = m[0] * m[9] * m[14] - m[0] * m[10] * m[13] - m[8] * m[1] * m[14] + m[8] * m[2] * m[13] +
              m[12] * m[1] * m[10] - m[12] * m[2] * m[9];
    inv[2] = m[1] * m[6] * m[15] - m[1] * m[7] * m[14] - m[5] * m[2] * m[15] + m[5] * m[3] * m[14] +
             m[13] * m[2] * m[7] - m[13] * m[3] * m[6];
    inv[6] = -m[0] * m[6] * m[15] + m[0] * m[7] * m[14] + m[4] * m[2] * m[15] - m[4] * m[3] * m[14] -
             m[12] * m[2] * m[7] + m[12] * m[3] * m[6];
    inv[10] = m[0] * m[5] * m[15] - m[0] * m[7] * m[13] - m[4] * m[1] * m[15] + m[4] * m[3] * m[13] +
              m[12] * m[1] * m[7] - m[12] * m[3] * m[5];
    inv[14] = -m[0] * m[5] * m[14] + m[0] * m[6] * m[13] + m[4] * m[1] * m[14] - m[4] * m[2] * m[13] -
              m[12] * m[1] * m[6] + m[12] * m[2] * m[5];
    inv[3] = -m[1] * m[6] * m[11] + m[1] * m[7] * m[10] + m[5] * m[2] * m[11] - m[5] * m[3] * m[10] -
             m[9] * m[2] * m[7] + m[9] * m[3] * m[6];
    inv[7] = m[0] * m[6] * m[11] - m[0] * m[7] * m[10] - m[4] * m[2] * m[11] + m[4] * m[3] * m[10] +
             m[8] * m[2] * m[7] - m[8] * m[3] * m[6];
    inv[11] = -m[0] * m[5] * m[11] + m[0] * m[7] * m[9] + m[4] * m[1] * m[11] - m[4] * m[3] * m[9] -
              m[8] * m[1] * m[7] + m[8] * m[3] * m[5];
    inv[15] = m[0] * m[5] * m[10] - m[0] * m[6] * m[9] - m[4] * m[1] * m[10] + m[4] * m[2] * m[9] +
              m[8] * m[1] * m[6] - m[8] * m[2] * m[5];
    double det = m[0] * inv[0] + m[1] * inv[4] + m[2] * inv[8] + m[3] * inv[12];
    Matrix r;
    if (det == 0 || !std::isfinite(det))
        return r;
    for (int i = 0; i < 16; ++i)
        r.m[i / 4][i % 4] = static_cast<D3DVALUE>(inv[i] / det);
    return r;
}

D3DVECTOR TransformPoint(D3DVECTOR p, const Matrix& m)
{
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

D3DVECTOR TransformDirection(D3DVECTOR v, const Matrix& m)
{
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

}  // namespace rm
