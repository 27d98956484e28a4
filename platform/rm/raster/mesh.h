#pragma once
// What one draw call hands the rasterizer: triangles over a vertex array in model space, the
// model's transform and its surface.
#include <cstdint>

#include "platform/rm/raster/color.h"
#include "platform/rm/raster/lights.h"
#include "platform/rm/raster/math.h"

namespace rm::raster {

struct Texture;

struct Vertex {
  Vec3 position;   // model space
  Vec3 normal;     // model space; the zero vector means "use the triangle's own normal"
  Vec2 uv;         // texture coordinates, texels wrap around outside [0, 1)
  ColorF color;    // surface colour at this corner (the face colour)
};

// Triangles are clockwise (seen from their front) index triples into vertices.
struct Batch {
  const Vertex* vertices = nullptr;
  uint32_t vertexCount = 0;
  const uint32_t* indices = nullptr;
  uint32_t indexCount = 0;      // three per triangle; a remainder is ignored
  // Per triangle, which edges are outlines of the face it came from (bit i: the edge from its
  // corner i to corner i + 1), so that wireframe leaves out the diagonals of split polygons.
  // Null: every edge is drawn.
  const uint8_t* edgeFlags = nullptr;
  Mat4 modelToWorld;
  Material material;
  const Texture* texture = nullptr;  // borrowed for the call; null: untextured
  uint32_t lightMask = ~0u;          // bit i: light i of the render's list lights this batch
};

}  // namespace rm::raster
