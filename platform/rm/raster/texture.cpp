#include "platform/rm/raster/texture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace rm::raster {

namespace {

ColorF unpack(uint32_t p) {
  constexpr float k = 1.0f / 255.0f;
  return {((p >> 16) & 0xFF) * k, ((p >> 8) & 0xFF) * k, (p & 0xFF) * k};
}

int wrap(int i, int n) {
  int r = i % n;
  return r < 0 ? r + n : r;
}

uint32_t average4(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t s = ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF) + ((c >> shift) & 0xFF) +
                 ((d >> shift) & 0xFF);
    out |= ((s + 2) / 4) << shift;
  }
  return out;
}

Texture::Level halve(const Texture::Level& src) {
  Texture::Level dst;
  dst.width = std::max(1, src.width / 2);
  dst.height = std::max(1, src.height / 2);
  dst.texels.resize(static_cast<size_t>(dst.width) * dst.height);
  for (int y = 0; y < dst.height; ++y)
    for (int x = 0; x < dst.width; ++x) {
      int x0 = std::min(2 * x, src.width - 1), x1 = std::min(2 * x + 1, src.width - 1);
      int y0 = std::min(2 * y, src.height - 1), y1 = std::min(2 * y + 1, src.height - 1);
      const uint32_t* t = src.texels.data();
      dst.texels[static_cast<size_t>(y) * dst.width + x] =
          average4(t[y0 * src.width + x0], t[y0 * src.width + x1], t[y1 * src.width + x0],
                   t[y1 * src.width + x1]);
    }
  return dst;
}

// The fractional part: coordinates repeat every unit (finite input).
float repeat(float c) { return c - std::floor(c); }

ColorF nearest(const Texture::Level& l, float u, float v) {
  u = repeat(u);
  v = repeat(v);
  int x = wrap(static_cast<int>(std::floor(u * l.width)), l.width);
  int y = wrap(static_cast<int>(std::floor(v * l.height)), l.height);
  return unpack(l.texels[static_cast<size_t>(y) * l.width + x]);
}

ColorF bilinear(const Texture::Level& l, float u, float v) {
  u = repeat(u);
  v = repeat(v);
  float fx = u * l.width - 0.5f, fy = v * l.height - 0.5f;
  float x0f = std::floor(fx), y0f = std::floor(fy);
  float ax = fx - x0f, ay = fy - y0f;
  int x0 = wrap(static_cast<int>(x0f), l.width), x1 = wrap(x0 + 1, l.width);
  int y0 = wrap(static_cast<int>(y0f), l.height), y1 = wrap(y0 + 1, l.height);
  auto at = [&](int x, int y) { return unpack(l.texels[static_cast<size_t>(y) * l.width + x]); };
  ColorF top = at(x0, y0) * (1 - ax) + at(x1, y0) * ax;
  ColorF bottom = at(x0, y1) * (1 - ax) + at(x1, y1) * ax;
  return top * (1 - ay) + bottom * ay;
}

}  // namespace

Texture makeTexture(const uint32_t* pixels, int width, int height, int stride) {
  Texture t;
  if (!pixels || width <= 0 || height <= 0 || stride < width) return t;
  Texture::Level base;
  base.width = width;
  base.height = height;
  base.texels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    std::copy(pixels + static_cast<size_t>(y) * stride, pixels + static_cast<size_t>(y) * stride + width,
              base.texels.begin() + static_cast<ptrdiff_t>(y) * width);
  t.levels.push_back(std::move(base));
  while (t.levels.back().width > 1 || t.levels.back().height > 1) t.levels.push_back(halve(t.levels.back()));
  return t;
}

ColorF sampleTexture(const Texture& t, float u, float v, TextureFilter filter, float lod) {
  if (t.levels.empty() || !std::isfinite(u) || !std::isfinite(v)) return {1, 1, 1};
  int last = static_cast<int>(t.levels.size()) - 1;
  float level = std::clamp(std::isfinite(lod) ? lod : 0.0f, 0.0f, static_cast<float>(last));
  int nearestLevel = std::min(last, static_cast<int>(level + 0.5f));
  int lower = static_cast<int>(level);
  int upper = std::min(last, lower + 1);
  float blend = level - lower;
  switch (filter) {
    case TextureFilter::Nearest:
      return nearest(t.levels[0], u, v);
    case TextureFilter::Linear:
      return bilinear(t.levels[0], u, v);
    case TextureFilter::MipNearest:
      return nearest(t.levels[nearestLevel], u, v);
    case TextureFilter::MipLinear:
      return bilinear(t.levels[nearestLevel], u, v);
    case TextureFilter::LinearMipNearest:
      return nearest(t.levels[lower], u, v) * (1 - blend) + nearest(t.levels[upper], u, v) * blend;
    case TextureFilter::LinearMipLinear:
      return bilinear(t.levels[lower], u, v) * (1 - blend) + bilinear(t.levels[upper], u, v) * blend;
  }
  return {1, 1, 1};
}

}  // namespace rm::raster
