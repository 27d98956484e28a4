#include "platform/rm/raster/renderer.h"

#include <algorithm>
#include <cmath>

namespace rm::raster {

namespace {

// Normals go through the inverse transpose of the model-to-camera matrix so that they stay
// perpendicular to surfaces under non-uniform scaling.
Vec3 transformNormal(Vec3 n, const Mat4& inverse) {
  return {n.x * inverse.m[0][0] + n.y * inverse.m[0][1] + n.z * inverse.m[0][2],
          n.x * inverse.m[1][0] + n.y * inverse.m[1][1] + n.z * inverse.m[1][2],
          n.x * inverse.m[2][0] + n.y * inverse.m[2][1] + n.z * inverse.m[2][2]};
}

bool isZero(Vec3 v) { return v.x == 0 && v.y == 0 && v.z == 0; }

// Twice the signed area of the projected triangle times w0 w1 w2 (Olano and Greer): its sign
// tells the winding on screen without dividing by w, also for triangles that cross the eye
// plane. Negative: clockwise on screen (y down), the front of a clockwise face.
float homogeneousWinding(const Vec4& a, const Vec4& b, const Vec4& c) {
  return a.x * (b.y * c.w - c.y * b.w) - a.y * (b.x * c.w - c.x * b.w) + a.w * (b.x * c.y - c.x * b.y);
}

bool validView(const ViewSetup& v) {
  if (v.viewport.empty()) return false;
  if (!(v.right > v.left) || !(v.top > v.bottom)) return false;
  if (!(v.back > v.front)) return false;
  if (v.projection == ProjectionKind::Perspective && !(v.front > 0)) return false;
  return std::isfinite(v.left + v.right + v.bottom + v.top + v.front + v.back);
}

}  // namespace

void Renderer::begin(const RenderTarget& target, const ViewSetup& view, const Mat4& worldToCamera,
                     const RasterOptions& options, const ColorF& ambient,
                     const std::vector<Light>& worldLights) {
  target_ = target;
  options_ = options;
  worldToCamera_ = worldToCamera;
  trianglesDrawn_ = 0;
  touched_.clear();
  jobs_.clear();
  own_.clear();
  clearPending_ = false;
  clip_ = validView(view) ? intersect(view.viewport, {0, 0, target.width, target.height}) : PixelRect{};
  if (!clip_.empty()) projection_ = makeProjection(view);

  lights_.ambient = ambient;
  lights_.lights.clear();
  lights_.enabled = ~0u;
  for (const Light& light : worldLights) {
    Light l = light;
    l.position = transformPoint(light.position, worldToCamera);
    l.direction = normalize(transformVector(light.direction, worldToCamera));
    lights_.lights.push_back(l);
  }
  shadeTable_.configure(options.shades, options.dither);

  context_ = FragmentContext{};
  context_.target = target_;
  context_.clip = clip_;
  context_.options = &options_;
  context_.shades = &shadeTable_;
  context_.lights = &lights_;
  context_.material = &material_;
  context_.touched = &touched_;
}

void ClearRequest::applyTo(const RenderTarget& target, int top, int bottom) const {
  area.forEachRect(top, bottom, [&](const PixelRect& r) {
    clearColor(target, r, color);
    clearDepth(target, r, depth);
  });
}

void Renderer::clearFirst(const ClearRequest& clear) {
  if (options_.fill != FillMode::Solid || clip_.empty()) {  // lines and points draw at once
    clear.applyTo(target_);
    return;
  }
  clear_ = clear;
  clearPending_ = true;
}

void Renderer::limitTo(const BandRegion* limit) {
  context_.limit = limit;
  // Whatever is drawn lies inside the limit: the fill stages need not gather where they wrote.
  context_.touched = limit ? nullptr : &touched_;
  if (limit) touched_.add(*limit);
}

void Renderer::prepare(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c) {
  if (probing_) {
    TriangleSetup setup;
    if (setupTriangle(a, b, c, context_, setup)) probeRows(setup, context_, *probing_);
    return;
  }
  PreparedTriangle& p = store_->emplace_back();
  if (!setupTriangle(a, b, c, context_, p.setup)) {
    store_->pop_back();
    return;
  }
  p.texture = context_.texture;
  p.textureLod = context_.textureLod;
  p.material = material_;
  p.objectOrigin = context_.objectOrigin;
  p.lightMask = lights_.enabled;
  p.written = written_;
  // A captured triangle is kept whatever the limit: a later render may have another.
  if (!context_.limit || context_.limit->meets(p.setup.box))
    jobs_.push_back({store_, static_cast<uint32_t>(store_->size() - 1)});
  else if (store_ == &own_)
    own_.pop_back();
}

void Renderer::redraw(PreparedBatch& captured, BandRegion* written) {
  trianglesDrawn_ += captured.trianglesDrawn;
  for (uint32_t i = 0; i < captured.triangles.size(); ++i) {
    PreparedTriangle& p = captured.triangles[i];
    if (context_.limit && !context_.limit->meets(p.setup.box)) continue;
    p.written = written;
    jobs_.push_back({&captured.triangles, i});
  }
}

void Renderer::finish() {
  // Bands of about 256 KiB of colour and depth, whole bands of the touched area.
  constexpr int kBlock = BandRegion::kRows;
  const int rowBytes = std::max(1, clip_.width()) * 8;
  const int band = std::clamp(262144 / rowBytes, kBlock, 256) & ~(kBlock - 1);
  const PixelRect cleared = clearPending_ ? clear_.area.bounds() : PixelRect{};
  const int top = clearPending_ && !cleared.empty() ? std::min(clip_.top, cleared.top) : clip_.top;
  const int bottom = clearPending_ && !cleared.empty() ? std::max(clip_.bottom, cleared.bottom) : clip_.bottom;
  filling_.clear();
  for (const Job& job : jobs_) filling_.push_back(&(*job.store)[job.index]);
  for (int y = top; y < bottom;) {
    const int end = std::min(bottom, ((y + band) & ~(kBlock - 1)));
    if (clearPending_) clear_.applyTo(target_, y, end);
    for (PreparedTriangle* triangle : filling_) {
      PreparedTriangle& p = *triangle;
      if (p.setup.box.bottom <= y || p.setup.box.top >= end) continue;
      context_.texture = p.texture;
      context_.textureLod = p.textureLod;
      material_ = p.material;
      context_.objectOrigin = p.objectOrigin;
      lights_.enabled = p.lightMask;
      context_.written = p.written;
      fillRows(p.setup, y, end, context_);
    }
    y = end;
  }
  jobs_.clear();
  own_.clear();
  clearPending_ = false;
}

ScreenVertex Renderer::toScreen(const ShadedVertex& v) const {
  float iw = 1.0f / v.clip.w;
  return {toPixelX(projection_, v.clip.x * iw), toPixelY(projection_, v.clip.y * iw), v.clip.z * iw, iw, &v};
}

void Renderer::probe(const Batch& batch, BandRegion& passed) {
  const uint32_t counted = trianglesDrawn_;
  probing_ = &passed;
  draw(batch);
  probing_ = nullptr;
  trianglesDrawn_ = counted;
}

void Renderer::draw(const Batch& batch, BandRegion* written, PreparedBatch* capture) {
  written_ = written;
  const uint32_t counted = trianglesDrawn_;
  if (capture) {
    capture->triangles.clear();
    capture->valid = true;
  }
  store_ = capture ? &capture->triangles : &own_;
  drawTriangles(batch);
  store_ = &own_;
  if (capture) capture->trianglesDrawn = trianglesDrawn_ - counted;
}

void Renderer::drawTriangles(const Batch& batch) {
  if (clip_.empty() || !batch.vertices || !batch.indices || batch.vertexCount == 0) return;
  const Mat4 modelToCamera = batch.modelToWorld * worldToCamera_;
  const Mat4 modelToClip = modelToCamera * projection_.cameraToClip;
  const Mat4 inverse = inverseAffine(modelToCamera);
  material_ = batch.material;
  lights_.enabled = batch.lightMask;
  context_.texture = batch.texture && !batch.texture->levels.empty() ? batch.texture : nullptr;
  context_.objectOrigin = transformPoint({}, modelToCamera);

  const bool mono = options_.colorModel == ColorModel::Mono;
  const bool vertexLighting =
      options_.lighting && (options_.shade == ShadeMode::Gouraud ||
                            (options_.shade == ShadeMode::Phong && options_.fill != FillMode::Solid));
  shaded_.resize(batch.vertexCount);
  for (uint32_t i = 0; i < batch.vertexCount; ++i) {
    const Vertex& in = batch.vertices[i];
    ShadedVertex& out = shaded_[i];
    out.clip = transformPoint4(in.position, modelToClip);
    out.viewPos = transformPoint(in.position, modelToCamera);
    out.normal = isZero(in.normal) ? Vec3{} : normalize(transformNormal(in.normal, inverse));
    out.uv = in.uv;
    out.specular = {};
    out.diffuse = in.color;
    if (vertexLighting && !isZero(out.normal)) {
      LitColor lit = lightPoint(lights_, material_, in.color, out.viewPos, out.normal,
                                context_.objectOrigin, mono);
      out.diffuse = lit.diffuse;
      out.specular = lit.specular;
    }
  }
  const uint32_t triangles = batch.indexCount / 3;
  for (uint32_t t = 0; t < triangles; ++t) {
    uint32_t i0 = batch.indices[3 * t], i1 = batch.indices[3 * t + 1], i2 = batch.indices[3 * t + 2];
    if (i0 >= batch.vertexCount || i1 >= batch.vertexCount || i2 >= batch.vertexCount) continue;
    uint8_t edges = batch.edgeFlags ? batch.edgeFlags[t] : 7;
    drawTriangle(shaded_[i0], shaded_[i1], shaded_[i2], edges);
  }
}

void Renderer::drawTriangle(const ShadedVertex& a, const ShadedVertex& b, const ShadedVertex& c,
                            uint8_t edgeFlags) {
  float winding = homogeneousWinding(a.clip, b.clip, c.clip);
  if (!(winding == winding)) return;  // NaN from a broken transform
  bool front = winding < 0;
  if (options_.cull == CullMode::CounterClockwise && !front) return;
  if (options_.cull == CullMode::Clockwise && front) return;
  uint32_t oa = outcode(a.clip), ob = outcode(b.clip), oc = outcode(c.clip);
  if (oa & ob & oc) return;

  ShadedVertex v[3] = {a, b, c};
  const bool lit = options_.lighting;
  const bool mono = options_.colorModel == ColorModel::Mono;
  const bool anyMissingNormal = isZero(a.normal) || isZero(b.normal) || isZero(c.normal);
  if (options_.shade == ShadeMode::Flat || anyMissingNormal) {
    Vec3 faceNormal = normalize(cross(b.viewPos - a.viewPos, c.viewPos - a.viewPos));
    if (options_.shade == ShadeMode::Flat) {
      // One colour for the face: its first corner's colour, lit once at the centre.
      ColorF surface = a.diffuse;
      ColorF diffuse = surface, specular{};
      if (lit) {
        Vec3 centre = (a.viewPos + b.viewPos + c.viewPos) * (1.0f / 3.0f);
        LitColor l = lightPoint(lights_, material_, surface, centre, faceNormal, context_.objectOrigin, mono);
        diffuse = l.diffuse;
        specular = l.specular;
      }
      for (ShadedVertex& s : v) {
        s.diffuse = diffuse;
        s.specular = specular;
      }
    } else {
      for (ShadedVertex& s : v) {
        if (!isZero(s.normal)) continue;
        s.normal = faceNormal;
        if (lit && options_.shade == ShadeMode::Gouraud) {
          LitColor l = lightPoint(lights_, material_, s.diffuse, s.viewPos, s.normal, context_.objectOrigin, mono);
          s.diffuse = l.diffuse;
          s.specular = l.specular;
        }
      }
    }
  }

  if (options_.fill == FillMode::Points) {
    ++trianglesDrawn_;
    for (int i = 0; i < 3; ++i)
      if (outcode(v[i].clip) == 0) drawPoint(toScreen(v[i]), context_);
    return;
  }
  if (options_.fill == FillMode::Wireframe) {
    ++trianglesDrawn_;
    for (int i = 0; i < 3; ++i) {
      if (!(edgeFlags & (1u << i))) continue;
      ShadedVertex p = v[i], q = v[(i + 1) % 3];
      if (clipSegment(p, q)) drawLine(toScreen(p), toScreen(q), context_);
    }
    return;
  }
  if (winding == 0) return;

  if (context_.texture) {
    // Mipmap level from the ratio of texel area to pixel area of the whole triangle.
    context_.textureLod = 0;
    if (a.clip.w > 0 && b.clip.w > 0 && c.clip.w > 0) {
      ScreenVertex s0 = toScreen(v[0]), s1 = toScreen(v[1]), s2 = toScreen(v[2]);
      float screenArea = std::fabs((s1.x - s0.x) * (s2.y - s0.y) - (s2.x - s0.x) * (s1.y - s0.y));
      const Texture::Level& l0 = context_.texture->levels[0];
      float texArea = std::fabs((v[1].uv.x - v[0].uv.x) * (v[2].uv.y - v[0].uv.y) -
                                (v[2].uv.x - v[0].uv.x) * (v[1].uv.y - v[0].uv.y)) *
                      static_cast<float>(l0.width) * static_cast<float>(l0.height);
      if (screenArea > 0 && texArea > 0) context_.textureLod = 0.5f * std::log2(texArea / screenArea);
    }
  }

  if ((oa | ob | oc) == 0) {
    ++trianglesDrawn_;
    prepare(toScreen(v[0]), toScreen(v[1]), toScreen(v[2]));
    return;
  }
  polygon_.setTriangle(v[0], v[1], v[2]);
  polygon_.clip(oa | ob | oc);
  if (polygon_.size() < 3) return;
  ++trianglesDrawn_;
  ScreenVertex first = toScreen(polygon_[0]);
  for (int i = 1; i + 1 < polygon_.size(); ++i) prepare(first, toScreen(polygon_[i]), toScreen(polygon_[i + 1]));
}

}  // namespace rm::raster
