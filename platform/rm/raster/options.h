#pragma once
// How triangles are drawn: the device's quality, colour model, shades, dither, texture
// quality and render states, as plain values the rasterizer reads once per batch.
#include <cstdint>

namespace rm::raster {

enum class FillMode { Points, Wireframe, Solid };
enum class ShadeMode { Flat, Gouraud, Phong };
enum class ColorModel { Mono, Rgb };

// The six texture filter qualities, numbered as the device's texture quality.
enum class TextureFilter { Nearest, Linear, MipNearest, MipLinear, LinearMipNearest, LinearMipLinear };

// Which screen winding is dropped. Front faces are clockwise on screen (y down).
enum class CullMode { None, Clockwise, CounterClockwise };

// Depth comparison of an incoming fragment against the stored depth.
enum class DepthFunc { Never, Less, Equal, LessEqual, Greater, NotEqual, GreaterEqual, Always };

// The depth a cleared buffer holds: the end of the range that every drawn fragment beats, so
// that a reversed comparison (greater) lets the farthest surface win instead of drawing nothing.
inline float depthClearValue(DepthFunc func) {
  return func == DepthFunc::Greater || func == DepthFunc::GreaterEqual ? 0.0f : 1.0f;
}

struct RasterOptions {
  FillMode fill = FillMode::Solid;
  ShadeMode shade = ShadeMode::Gouraud;
  bool lighting = true;
  ColorModel colorModel = ColorModel::Rgb;
  uint32_t shades = 32;  // levels per channel (mono: per intensity ramp); 256 or more: exact
  bool dither = false;   // ordered 4x4 dithering between neighbouring shades
  TextureFilter textureFilter = TextureFilter::Nearest;
  CullMode cull = CullMode::CounterClockwise;
  bool depthTest = true;
  bool depthWrite = true;
  DepthFunc depthFunc = DepthFunc::LessEqual;
  bool operator==(const RasterOptions&) const = default;
};

}  // namespace rm::raster
