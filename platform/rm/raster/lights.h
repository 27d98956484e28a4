#pragma once
// Light sources and surface material, in the camera's coordinates (the renderer moves them
// there before drawing).
#include <cstdint>
#include <vector>

#include "platform/rm/raster/color.h"
#include "platform/rm/raster/math.h"

namespace rm::raster {

enum class LightKind { Ambient, Point, Spot, Directional, ParallelPoint };

struct Light {
  LightKind kind = LightKind::Ambient;
  ColorF color{1, 1, 1};
  Vec3 position;              // camera space; point, spot and parallel point lights
  Vec3 direction{0, 0, 1};    // camera space, unit; the way the light travels (spot, directional)
  float range = 0;            // distance beyond which a point or spot light gives nothing; 0: none
  float attenuation0 = 1;     // constant factor of 1 / (a0 + a1 d + a2 d^2)
  float attenuation1 = 0;     // linear factor
  float attenuation2 = 0;     // quadratic factor
  float umbra = 0.4f;         // spot: half-angle of full intensity, radians
  float penumbra = 0.5f;      // spot: half-angle where the light ends, radians
  bool operator==(const Light&) const = default;
};

struct Material {
  ColorF emissive;            // added to every lit colour
  ColorF specular;            // colour of highlights
  float power = 0;            // sharpness of highlights; 0: no highlights
  bool operator==(const Material&) const = default;
};

// Lights of one render, in camera space. Ambient light that reaches everything is summed
// apart; lights (ambient ones too) that reach only some objects are in the list, and enabled
// says which of the first 32 reach the object being drawn (later ones always do).
struct LightSet {
  ColorF ambient;
  std::vector<Light> lights;  // capacity is kept between frames
  uint32_t enabled = ~0u;     // bit i: lights[i] reaches the current object
};

// The lit colour of a surface point, diffuse part and specular part apart so that a texture
// can modulate the first. position and normal are in camera space (normal unit length);
// objectOrigin is the drawn object's origin in camera space (parallel point lights aim at it).
struct LitColor {
  ColorF diffuse;
  ColorF specular;
};
LitColor lightPoint(const LightSet& lights, const Material& material, ColorF surface,
                    Vec3 position, Vec3 normal, Vec3 objectOrigin, bool mono);

}  // namespace rm::raster
