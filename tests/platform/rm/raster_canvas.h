#pragma once
// Offscreen target and small meshes for rasterizer tests. Set ZTARN_RASTER_DUMP to a folder to
// have dump() write the pictures there as PPM files for a look.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/rm/raster/renderer.h"

namespace rm::raster::testing {

struct Canvas {
  int width, height;
  std::vector<uint32_t> color;
  std::vector<float> depth;

  Canvas(int w, int h, uint32_t background = 0xFF000000u)
      : width(w), height(h), color(static_cast<size_t>(w) * h, background), depth(static_cast<size_t>(w) * h, 1.0f) {}
  RenderTarget target() { return {color.data(), depth.data(), width, height, width}; }
  uint32_t at(int x, int y) const { return color[static_cast<size_t>(y) * width + x] & 0xFFFFFFu; }
  int count(uint32_t rgb) const {
    int n = 0;
    for (uint32_t p : color) n += (p & 0xFFFFFFu) == rgb;
    return n;
  }
  std::set<uint32_t> distinct() const {
    std::set<uint32_t> s;
    for (uint32_t p : color) s.insert(p & 0xFFFFFFu);
    return s;
  }
  void dump(const std::string& name) const {
    const char* dir = std::getenv("ZTARN_RASTER_DUMP");
    if (!dir) return;
    std::string path = std::string(dir) + "/" + name + ".ppm";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fprintf(f, "P6\n%d %d\n255\n", width, height);
    for (uint32_t p : color) {
      unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                              static_cast<unsigned char>(p)};
      std::fwrite(rgb, 1, 3, f);
    }
    std::fclose(f);
  }
};

// A square of side 2*half facing the camera (its front towards -Z) at depth z, centred at
// (cx, cy), corners clockwise from the top left as the camera sees them.
struct Quad {
  Vertex v[4];
  uint32_t indices[6] = {0, 1, 2, 0, 2, 3};
  uint8_t edges[2] = {0b011, 0b110};

  Quad(float cx, float cy, float z, float half, ColorF c, Vec3 normal = {0, 0, -1}) {
    Vec3 p[4] = {{cx - half, cy + half, z}, {cx + half, cy + half, z}, {cx + half, cy - half, z},
                 {cx - half, cy - half, z}};
    Vec2 uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) v[i] = {p[i], normal, uv[i], c};
  }
  Batch batch() const {
    Batch b;
    b.vertices = v;
    b.vertexCount = 4;
    b.indices = indices;
    b.indexCount = 6;
    b.edgeFlags = edges;
    return b;
  }
};

inline ViewSetup perspectiveView(int w, int h) {
  ViewSetup s;
  s.viewport = {0, 0, w, h};
  return s;
}

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kBlack = 0;

}  // namespace rm::raster::testing
