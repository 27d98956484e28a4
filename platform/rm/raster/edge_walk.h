#pragma once
// Walking a triangle's edges down the rows: for each row, the first and last covered pixel,
// exactly as the edge functions and the top-left rule decide, with one division per edge for the
// whole triangle instead of one per row. Internal to the triangle stage.
#include <algorithm>
#include <cstdint>

#include "platform/rm/raster/target.h"

namespace rm::raster {

// Edge function of the directed edge p->q: E(X, Y) = a X + b Y + c in 1/16 pixel units, which
// is twice the signed area of (p, q, (X, Y)); positive inside a triangle whose area is positive
// with y pointing down (clockwise as seen on screen).
struct Edge {
  int64_t a = 0, b = 0, c = 0;
  int64_t bias = 0;  // 0 on top and left edges, 1 elsewhere: a pixel centre on an edge shared
                     // by two triangles belongs to exactly one of them
};

constexpr int64_t kSub = 16;  // sub-pixel steps per pixel

inline int64_t floorDiv(int64_t n, int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }  // d > 0
inline int64_t ceilDiv(int64_t n, int64_t d) { return -floorDiv(-n, d); }

// The crossing of one edge with successive rows, walked without dividing: E at the centre of
// pixel (x, y) is k(y) + step * x. An edge with step > 0 bounds the row from the left (first x
// with E >= 0), one with step < 0 from the right (last x with E >= 0), and one with step 0
// covers the whole row or none of it. walkRows (row_spans.h) steps it down the rows.
struct EdgeWalk {
  int64_t k = 0, kdy = 0, step = 0;
  int64_t x = 0, rest = 0;    // crossing and its remainder: exact, kept in [0, |step|)
  int64_t dx = 0, drest = 0;  // their change from one row to the next

  EdgeWalk() = default;
  EdgeWalk(const Edge& e, int y) {
    kdy = e.b * kSub;
    step = e.a * kSub;
    k = e.a * (kSub / 2) + e.b * (kSub / 2) + e.c - e.bias + kdy * y;
    if (step > 0) {  // x = ceil(-k / step), -k = x step - rest
      x = ceilDiv(-k, step);
      rest = x * step + k;
      dx = floorDiv(-kdy, step);
      drest = -kdy - dx * step;
    } else if (step < 0) {  // x = floor(k / s), k = x s + rest, s = -step
      x = floorDiv(k, -step);
      rest = k - x * -step;
      dx = floorDiv(kdy, -step);
      drest = kdy - dx * -step;
    }
  }
};

}  // namespace rm::raster
