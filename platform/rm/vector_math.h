#pragma once
// Vector, quaternion and matrix helpers. Each returns its destination (or a value) and
// never fails: a zero vector normalises to (0, 0, 0).

#include "platform/rm/types.h"

LPD3DVECTOR D3DRMVectorAdd(LPD3DVECTOR d, LPD3DVECTOR s1, LPD3DVECTOR s2);
LPD3DVECTOR D3DRMVectorSubtract(LPD3DVECTOR d, LPD3DVECTOR s1, LPD3DVECTOR s2);
LPD3DVECTOR D3DRMVectorReflect(LPD3DVECTOR d, LPD3DVECTOR ray, LPD3DVECTOR normal);
// s1 x s2 = (y1 z2 - z1 y2, z1 x2 - x1 z2, x1 y2 - y1 x2); in left-handed space x cross y is z.
LPD3DVECTOR D3DRMVectorCrossProduct(LPD3DVECTOR d, LPD3DVECTOR s1, LPD3DVECTOR s2);
D3DVALUE D3DRMVectorDotProduct(LPD3DVECTOR s1, LPD3DVECTOR s2);
LPD3DVECTOR D3DRMVectorNormalize(LPD3DVECTOR v);
D3DVALUE D3DRMVectorModulus(LPD3DVECTOR v);
// v turned by theta radians about axis (clockwise looking along the axis toward the origin,
// the same sense as frame rotations), then normalised: the result is a unit vector.
// Null when the axis or v is a zero vector.
LPD3DVECTOR D3DRMVectorRotate(LPD3DVECTOR result, LPD3DVECTOR v, LPD3DVECTOR axis, D3DVALUE theta);
LPD3DVECTOR D3DRMVectorScale(LPD3DVECTOR d, LPD3DVECTOR s, D3DVALUE factor);
// A random unit vector.
LPD3DVECTOR D3DRMVectorRandom(LPD3DVECTOR d);

LPD3DRMQUATERNION D3DRMQuaternionFromRotation(LPD3DRMQUATERNION quat, LPD3DVECTOR axis, D3DVALUE theta);
// Rotation a followed by rotation b.
LPD3DRMQUATERNION D3DRMQuaternionMultiply(LPD3DRMQUATERNION q, LPD3DRMQUATERNION a, LPD3DRMQUATERNION b);
LPD3DRMQUATERNION D3DRMQuaternionSlerp(LPD3DRMQUATERNION q, LPD3DRMQUATERNION a, LPD3DRMQUATERNION b,
                                       D3DVALUE alpha);
void D3DRMMatrixFromQuaternion(D3DRMMATRIX4D m, LPD3DRMQUATERNION q);
