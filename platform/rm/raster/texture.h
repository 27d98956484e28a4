#pragma once
// A texture image with its mipmap chain, built once when the image is set (never while
// drawing), and its sampling by the six filter qualities.
#include <cstdint>
#include <vector>

#include "platform/rm/raster/color.h"
#include "platform/rm/raster/options.h"

namespace rm::raster {

struct Texture {
  struct Level {
    int width = 0, height = 0;
    std::vector<uint32_t> texels;  // 0xAARRGGBB, row after row
  };
  std::vector<Level> levels;  // level 0 is the image; each next one half the size, down to 1x1
};

// Copies a width x height image (stride in pixels) and builds its mipmaps by 2x2 averaging.
// A null or empty image gives a texture without levels, which samples as white.
Texture makeTexture(const uint32_t* pixels, int width, int height, int stride);

// Colour at (u, v), coordinates wrapping around; lod is log2 of texels per pixel at level 0.
ColorF sampleTexture(const Texture& texture, float u, float v, TextureFilter filter, float lod);

}  // namespace rm::raster
