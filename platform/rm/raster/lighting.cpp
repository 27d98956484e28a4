#include "platform/rm/raster/lights.h"

#include <algorithm>
#include <cmath>

namespace rm::raster {

namespace {

// Grey level of a colour, for the mono (ramp) model where light has intensity only.
float intensity(ColorF c) { return 0.30f * c.r + 0.59f * c.g + 0.11f * c.b; }

// Fraction of a spot light that reaches a point at angle cosAngle from the spot's axis:
// 1 inside the umbra, 0 beyond the penumbra, linear in the angle between.
float spotFactor(const Light& light, float cosAngle) {
  float angle = std::acos(std::clamp(cosAngle, -1.0f, 1.0f));
  float umbra = std::max(0.0f, light.umbra);
  float penumbra = std::max(umbra, light.penumbra);
  if (angle <= umbra) return 1.0f;
  if (angle >= penumbra) return 0.0f;
  return (penumbra - angle) / (penumbra - umbra);
}

}  // namespace

LitColor lightPoint(const LightSet& set, const Material& material, ColorF surface, Vec3 position,
                    Vec3 normal, Vec3 objectOrigin, bool mono) {
  ColorF diffuseLight = set.ambient;
  ColorF specularLight;
  Vec3 toEye = normalize(-position);
  for (size_t i = 0; i < set.lights.size(); ++i) {
    const Light& light = set.lights[i];
    if (i < 32 && !((set.enabled >> i) & 1u)) continue;
    Vec3 toLight;
    float factor = 1.0f;
    switch (light.kind) {
      case LightKind::Ambient:
        diffuseLight = diffuseLight + light.color;
        continue;
      case LightKind::Directional:
        toLight = -light.direction;
        break;
      case LightKind::ParallelPoint:
        toLight = normalize(light.position - objectOrigin);
        break;
      case LightKind::Point:
      case LightKind::Spot: {
        Vec3 d = light.position - position;
        float dist = length(d);
        if (light.range > 0 && dist > light.range) continue;
        toLight = dist > 0 ? d * (1.0f / dist) : Vec3{};
        float att = light.attenuation0 + light.attenuation1 * dist +
                    light.attenuation2 * dist * dist;
        factor = att > 0 ? 1.0f / att : 1.0f;
        if (light.kind == LightKind::Spot) factor *= spotFactor(light, dot(-toLight, light.direction));
        break;
      }
    }
    float nl = dot(normal, toLight);
    if (nl <= 0 || factor <= 0) continue;
    diffuseLight = diffuseLight + light.color * (nl * factor);
    if (material.power > 0) {
      float nh = dot(normal, normalize(toLight + toEye));
      if (nh > 0) specularLight = specularLight + light.color * (std::pow(nh, material.power) * factor);
    }
  }
  if (mono) {
    float i = intensity(diffuseLight);
    float s = intensity(specularLight);
    diffuseLight = {i, i, i};
    specularLight = {s, s, s};
  }
  return {surface * diffuseLight + material.emissive, material.specular * specularLight};
}

}  // namespace rm::raster
