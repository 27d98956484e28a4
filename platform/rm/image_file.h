#pragma once
// Decoding of the picture files textures are loaded from: PPM (P3 text, P6 binary, 8-bit
// samples) and BMP (uncompressed 1, 4, 8, 24 and 32 bits per pixel, either row order).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rm {

struct DecodedImage {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows top to bottom
};

// The largest picture accepted, in pixels per side.
constexpr int kMaxImageSide = 8192;

// False for anything malformed, truncated, unsupported or larger than kMaxImageSide.
bool DecodeImage(const std::uint8_t* data, std::size_t size, DecodedImage* image);

}  // namespace rm
