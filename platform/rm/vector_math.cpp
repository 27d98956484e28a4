#include "platform/rm/vector_math.h"

#include "platform/rm/impl/matrix.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

DWORD ColorByte(D3DVALUE v)
{
    if (!(v > 0))
        return 0;
    if (v >= 1)
        return 255;
    return static_cast<DWORD>(v * 255.0f + 0.5f);
}

}  // namespace

D3DCOLOR D3DRMCreateColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue)
{
    return D3DRMCreateColorRGBA(red, green, blue, 1);
}

D3DCOLOR D3DRMCreateColorRGBA(D3DVALUE red, D3DVALUE green, D3DVALUE blue, D3DVALUE alpha)
{
    return D3DRGBA_BYTES(ColorByte(red), ColorByte(green), ColorByte(blue), ColorByte(alpha));
}

D3DVALUE D3DRMColorGetRed(D3DCOLOR c) { return static_cast<D3DVALUE>(RGBA_GETRED(c)) / 255.0f; }
D3DVALUE D3DRMColorGetGreen(D3DCOLOR c) { return static_cast<D3DVALUE>(RGBA_GETGREEN(c)) / 255.0f; }
D3DVALUE D3DRMColorGetBlue(D3DCOLOR c) { return static_cast<D3DVALUE>(RGBA_GETBLUE(c)) / 255.0f; }
D3DVALUE D3DRMColorGetAlpha(D3DCOLOR c) { return static_cast<D3DVALUE>(RGBA_GETALPHA(c)) / 255.0f; }

LPD3DVECTOR D3DRMVectorAdd(LPD3DVECTOR d, LPD3DVECTOR s1, LPD3DVECTOR s2)
{
    if (!d || !s1 || !s2)
        return nullptr;
    *d = rm::operator+(*s1, *s2);
    return d;
}

LPD3DVECTOR D3DRMVectorSubtract(LPD3DVECTOR d, LPD3DVECTOR s1, LPD3DVECTOR s2)
{
    if (!d || !s1 || !s2)
        return nullptr;
    *d = rm::operator-(*s1, *s2);
    return d;
}

// ray - 2 (ray . n) n, with n the unit normal.
LPD3DVECTOR D3DRMVectorReflect(LPD3DVECTOR d, LPD3DVECTOR ray, LPD3DVECTOR normal)
{
    if (!d || !ray || !normal)
        return nullptr;
    D3DVECTOR n = rm::Normalized(*normal);
    *d = rm::operator-(*ray, rm::operator*(n, 2 * rm::Dot(*ray, n)));
    return d;
}

LPD3DVECTOR D3DRMVectorCrossProduct(LPD3DVECTOR d, LPD3DVECTOR s1, LPD3DVECTOR s2)
{
    if (!d || !s1 || !s2)
        return nullptr;
    *d = rm::Cross(*s1, *s2);
    return d;
}

D3DVALUE D3DRMVectorDotProduct(LPD3DVECTOR s1, LPD3DVECTOR s2)
{
    return (s1 && s2) ? rm::Dot(*s1, *s2) : 0;
}

LPD3DVECTOR D3DRMVectorNormalize(LPD3DVECTOR v)
{
    if (!v)
        return nullptr;
    *v = rm::Normalized(*v);
    return v;
}

D3DVALUE D3DRMVectorModulus(LPD3DVECTOR v) { return v ? rm::Length(*v) : 0; }

LPD3DVECTOR D3DRMVectorRotate(LPD3DVECTOR result, LPD3DVECTOR v, LPD3DVECTOR axis, D3DVALUE theta)
{
    if (!result || !v || !axis)
        return nullptr;
    D3DVECTOR a = rm::Normalized(*axis);
    D3DVECTOR unit = rm::Normalized(*v);
    if (rm::Dot(a, a) == 0 || rm::Dot(unit, unit) == 0 || !std::isfinite(theta))
        return nullptr;
    *result = rm::Normalized(rm::TransformDirection(unit, rm::Matrix::Rotation(a, theta)));
    return result;
}

LPD3DVECTOR D3DRMVectorScale(LPD3DVECTOR d, LPD3DVECTOR s, D3DVALUE factor)
{
    if (!d || !s)
        return nullptr;
    *d = rm::operator*(*s, factor);
    return d;
}

LPD3DVECTOR D3DRMVectorRandom(LPD3DVECTOR d)
{
    if (!d)
        return nullptr;
    static std::minstd_rand generator(12345);
    std::uniform_real_distribution<float> range(-1.0f, 1.0f);
    D3DVECTOR v;
    do {
        v = {range(generator), range(generator), range(generator)};
    } while (rm::Dot(v, v) > 1 || rm::Dot(v, v) < 1e-6f);
    *d = rm::Normalized(v);
    return d;
}

LPD3DRMQUATERNION D3DRMQuaternionFromRotation(LPD3DRMQUATERNION q, LPD3DVECTOR axis, D3DVALUE theta)
{
    if (!q || !axis)
        return nullptr;
    D3DVECTOR a = rm::Normalized(*axis);
    q->s = std::cos(theta / 2);
    q->v = rm::operator*(a, std::sin(theta / 2));
    return q;
}

// The rotation a then b is the quaternion product b * a.
LPD3DRMQUATERNION D3DRMQuaternionMultiply(LPD3DRMQUATERNION q, LPD3DRMQUATERNION a, LPD3DRMQUATERNION b)
{
    if (!q || !a || !b)
        return nullptr;
    D3DRMQUATERNION r;
    r.s = b->s * a->s - rm::Dot(b->v, a->v);
    r.v = rm::operator+(rm::operator+(rm::operator*(a->v, b->s), rm::operator*(b->v, a->s)),
                        rm::Cross(a->v, b->v));
    *q = r;
    return q;
}

LPD3DRMQUATERNION D3DRMQuaternionSlerp(LPD3DRMQUATERNION q, LPD3DRMQUATERNION a, LPD3DRMQUATERNION b,
                                       D3DVALUE alpha)
{
    if (!q || !a || !b)
        return nullptr;
    double cosom = a->s * b->s + rm::Dot(a->v, b->v);
    double sign = 1;
    if (cosom < 0) {
        cosom = -cosom;
        sign = -1;
    }
    double wa = 1 - alpha, wb = alpha;
    if (cosom < 0.9999) {
        double omega = std::acos(std::min(1.0, cosom));
        double sinom = std::sin(omega);
        wa = std::sin((1 - alpha) * omega) / sinom;
        wb = std::sin(alpha * omega) / sinom;
    }
    wb *= sign;
    D3DRMQUATERNION r;
    r.s = static_cast<D3DVALUE>(wa * a->s + wb * b->s);
    r.v = rm::operator+(rm::operator*(a->v, static_cast<D3DVALUE>(wa)), rm::operator*(b->v, static_cast<D3DVALUE>(wb)));
    *q = r;
    return q;
}

void D3DRMMatrixFromQuaternion(D3DRMMATRIX4D m, LPD3DRMQUATERNION q)
{
    if (!m || !q)
        return;
    D3DVALUE s = std::sin(std::acos(std::clamp(q->s, -1.0f, 1.0f)));
    D3DVALUE theta = 2 * std::acos(std::clamp(q->s, -1.0f, 1.0f));
    D3DVECTOR axis = s > 1e-7f ? rm::operator*(q->v, 1 / s) : D3DVECTOR{0, 1, 0};
    rm::Matrix::Rotation(rm::Normalized(axis), theta).CopyTo(m);
}
