#include "platform/rm/render_scene.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rm {

namespace {

// Frames nest at most this deep (guards against instancing a frame inside itself).
constexpr int kMaxDepth = 64;

raster::ColorF ToColor(D3DCOLOR c)
{
    constexpr float k = 1.0f / 255.0f;
    return {RGBA_GETRED(c) * k, RGBA_GETGREEN(c) * k, RGBA_GETBLUE(c) * k};
}

raster::Vec3 ToVec(D3DVECTOR v) { return {v.x, v.y, v.z}; }

// The convex hull of points (monotone chain), corners in order; fewer than three corners when
// the points lie on a line.
void ConvexHull(std::vector<raster::Vec2>& points, std::vector<raster::Vec2>& hull)
{
    std::sort(points.begin(), points.end(),
              [](const raster::Vec2& a, const raster::Vec2& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    // Meshes repeat corners once per face that meets there.
    points.erase(std::unique(points.begin(), points.end(),
                             [](const raster::Vec2& a, const raster::Vec2& b) { return a.x == b.x && a.y == b.y; }),
                 points.end());
    hull.clear();
    if (points.empty())
        return;
    auto turn = [](const raster::Vec2& o, const raster::Vec2& a, const raster::Vec2& b) {
        return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
    };
    for (int pass = 0; pass < 2; ++pass) {
        const std::size_t start = hull.size();
        for (std::size_t k = 0; k < points.size(); ++k) {
            const raster::Vec2& p = pass == 0 ? points[k] : points[points.size() - 1 - k];
            while (hull.size() >= start + 2 && turn(hull[hull.size() - 2], hull.back(), p) <= 0)
                hull.pop_back();
            hull.push_back(p);
        }
        hull.pop_back();  // the last point of each chain starts the other
    }
    if (hull.empty())
        hull.push_back(points.front());
}

raster::Material ToMaterial(const Material* material)
{
    raster::Material m;
    if (!material)
        return m;
    const MaterialParams& p = material->Params();
    m.power = p.power;
    m.specular = {p.specular[0], p.specular[1], p.specular[2]};
    m.emissive = {p.emissive[0], p.emissive[1], p.emissive[2]};
    return m;
}

raster::LightKind ToKind(D3DRMLIGHTTYPE type)
{
    switch (type) {
    case D3DRMLIGHT_POINT: return raster::LightKind::Point;
    case D3DRMLIGHT_SPOT: return raster::LightKind::Spot;
    case D3DRMLIGHT_DIRECTIONAL: return raster::LightKind::Directional;
    case D3DRMLIGHT_PARALLELPOINT: return raster::LightKind::ParallelPoint;
    default: return raster::LightKind::Ambient;
    }
}

}  // namespace

raster::Mat4 ToRasterMatrix(const Matrix& m)
{
    raster::Mat4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m.m[i][j];
    return r;
}

Matrix FromRasterMatrix(const raster::Mat4& m)
{
    Matrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m.m[i][j];
    return r;
}

bool SceneDrawer::Draw(raster::Renderer& renderer, const raster::RenderTarget& target, const raster::ViewSetup& view,
                       const raster::RasterOptions& options, Frame& frame, Frame& camera,
                       const raster::ClearRequest* clear, SceneMemory* memory, raster::BandRegion& redrawn)
{
    lights_.clear();
    enableFrames_.clear();
    anyEnableFrame_ = false;
    ambient_ = {};
    Frame* root = frame.Root();
    CollectLights(*root, root->Local(), 0);
    worldToCamera_ = ToRasterMatrix(Inverse(camera.World()));
    renderer.begin(target, view, worldToCamera_, options, ambient_, lights_);
    projection_ = renderer.projection();
    viewport_ = view.viewport;
    pendingUsed_ = 0;
    CollectFrame(frame, frame.World(), 0);
    pending_.resize(pendingUsed_);

    // Redrawing a part is the same as drawing everything when the nearest surface wins, every
    // batch that reaches the part is drawn there again and nothing outside it is touched.
    const bool nearestWins = options.depthTest && (options.depthFunc == raster::DepthFunc::Less ||
                                                   options.depthFunc == raster::DepthFunc::LessEqual);
    bool partial = false, sameView = false;
    redrawn.clear();
    if (memory && clear) {
        settings_.scene = &frame;
        settings_.worldToCamera = worldToCamera_;
        settings_.view = view;
        settings_.options = options;
        settings_.ambient = ambient_;
        settings_.lights = lights_;
        settings_.enableFrames = enableFrames_;
        settings_.clearColor = clear->color;
        settings_.clearDepth = clear->depth;
        const bool redrawable = nearestWins && options.depthWrite && options.fill == raster::FillMode::Solid;
        sameView = memory->valid_ && memory->settings_ == settings_;
        partial = redrawable && sameView && memory->placed_ && memory->items_.size() == pending_.size();
        // While the view itself changes every frame (a moving camera) places are not worked out:
        // the first frame after it stops draws everything again and works them out.
        if (sameView)
            FindChanges(renderer, *memory, partial, redrawn);
    }
    if (partial && !redrawn.empty()) {
        renderer.clearFirst({redrawn, clear->color, clear->depth});
        renderer.limitTo(&redrawn);
    } else if (clear && !partial) {
        renderer.clearFirst(*clear);
    }
    // With a depth test that keeps the nearest surface the picture does not depend on the
    // order, so nearer objects go first: what they hide then fails the depth test early instead
    // of being shaded and overwritten. Otherwise the scene's own order is the drawing order.
    order_.resize(pending_.size());
    for (std::size_t i = 0; i < order_.size(); ++i)
        order_[i] = &pending_[i];
    if (nearestWins)
        std::stable_sort(order_.begin(), order_.end(),
                         [](const Pending* a, const Pending* b) { return a->depth < b->depth; });
    // Where batches write and what they prepare is kept, like their places, only while the view
    // stays. A batch that did not change is filled again as it was prepared last time.
    const bool keep = memory && clear && sameView;
    for (Pending* p : order_) {
        if (partial && !redrawn.meets(p->item.footprint))
            continue;
        raster::BandRegion* written = keep ? &p->written : nullptr;
        if (partial && !p->changed && p->item.prepared.valid)
            renderer.redraw(p->item.prepared, written);
        else
            renderer.draw(p->batch, written, keep ? &p->item.prepared : nullptr);
    }
    renderer.finish();
    if (memory && clear)
        Remember(*memory, partial, sameView);
    Prune();
    return partial;
}

void SceneDrawer::FindChanges(raster::Renderer& renderer, SceneMemory& memory, bool partial,
                              raster::BandRegion& redrawn)
{
    // Each batch's place on the device: the one remembered when nothing about it changed.
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        SceneMemory::Item& now = pending_[i].item;
        SceneMemory::Item* before = memory.placed_ && i < memory.items_.size() ? &memory.items_[i] : nullptr;
        if (before && now.SameBatch(*before)) {
            std::swap(now.footprint, before->footprint);
            std::swap(now.prepared, before->prepared);
            continue;
        }
        pending_[i].changed = true;
        Footprint(pending_[i].batch, now);
        if (!partial || !before)
            continue;
        // Its pixels change where it showed and where it will show. A batch that showed may
        // show anywhere on its new place; one that was out of sight is tried against the depths
        // of the picture as it is: it often stays out of sight.
        redrawn.add(before->shown);
        if (before->shown.empty())
            renderer.probe(pending_[i].batch, redrawn);
        else
            redrawn.add(now.footprint);
    }
    if (partial)
        redrawn = redrawn.clippedTo(viewport_);
}

void SceneDrawer::Remember(SceneMemory& memory, bool partial, bool placed)
{
    // In the scene's order, reusing the storage.
    for (std::size_t i = 0; i < pending_.size(); ++i) {
        // A batch drawn only in part still shows where it showed outside that part.
        SceneMemory::Item& now = pending_[i].item;
        if (partial && !pending_[i].changed)
            std::swap(now.shown, memory.items_[i].shown);
        else
            now.shown.clear();
        now.shown.add(pending_[i].written);
    }
    memory.placed_ = placed;
    memory.valid_ = true;
    std::swap(memory.settings_, settings_);
    memory.items_.resize(pending_.size());
    for (std::size_t i = 0; i < pending_.size(); ++i)
        std::swap(memory.items_[i], pending_[i].item);
}

void SceneDrawer::Footprint(const raster::Batch& batch, SceneMemory::Item& item)
{
    item.footprint.clear();
    const raster::Mat4 modelToClip = batch.modelToWorld * worldToCamera_ * projection_.cameraToClip;
    screen_.resize(batch.vertexCount);
    for (std::uint32_t i = 0; i < batch.vertexCount; ++i) {
        const raster::Vec4 c = raster::transformPoint4(batch.vertices[i].position, modelToClip);
        if (!(c.w > 0) || !(std::fabs(c.x) <= c.w) || !(std::fabs(c.y) <= c.w)) {
            item.footprint.add(viewport_);
            return;
        }
        screen_[i] = {raster::toPixelX(projection_, c.x / c.w), raster::toPixelY(projection_, c.y / c.w)};
    }
    // Every pixel the batch draws lies in the convex hull of its corners on the device.
    ConvexHull(screen_, hull_);
    if (hull_.empty())
        return;
    // Rounding of corners to the sub-pixel grid moves edges by far less than this.
    constexpr float kMargin = 2;
    constexpr int kRows = raster::BandRegion::kRows;
    float top = hull_[0].y, bottom = hull_[0].y;
    for (const raster::Vec2& p : hull_) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int firstRow = std::max(viewport_.top, static_cast<int>(std::floor(top - kMargin)));
    const int endRow = std::min(viewport_.bottom, static_cast<int>(std::floor(bottom + kMargin)) + 1);
    if (firstRow >= endRow)
        return;
    // The hull's x extent over the rows [y, next) of each band, widened by the margin on all
    // sides: each edge widens the bands whose widened rows it crosses.
    const int firstBand = firstRow >> raster::BandRegion::kShift;
    const int lastBand = (endRow - 1) >> raster::BandRegion::kShift;
    extents_.assign(static_cast<std::size_t>(lastBand - firstBand + 1),
                    {std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest()});
    auto rowsOf = [&](int band) {
        return std::pair<int, int>{std::max(firstRow, band * kRows), std::min(endRow, band * kRows + kRows)};
    };
    for (std::size_t i = 0; i < hull_.size(); ++i) {
        const raster::Vec2 a = hull_[i], b = hull_[(i + 1) % hull_.size()];
        const float low = std::min(a.y, b.y), high = std::max(a.y, b.y);
        // Bands with y - margin <= high and next + margin >= low.
        const int from = std::max(firstBand, static_cast<int>(std::floor((low - kMargin) / kRows)) - 1);
        const int to = std::min(lastBand, static_cast<int>(std::floor((high + kMargin) / kRows)) + 1);
        for (int band = from; band <= to; ++band) {
            const auto [y, next] = rowsOf(band);
            const float y0 = static_cast<float>(y) - kMargin, y1 = static_cast<float>(next) + kMargin;
            if (high < y0 || low > y1)
                continue;
            float xa = a.x, xb = b.x;
            if (a.y != b.y) {
                const float slope = (b.x - a.x) / (b.y - a.y);
                xa = a.x + slope * (std::clamp(y0, low, high) - a.y);
                xb = a.x + slope * (std::clamp(y1, low, high) - a.y);
            }
            std::pair<float, float>& e = extents_[static_cast<std::size_t>(band - firstBand)];
            e.first = std::min({e.first, xa, xb});
            e.second = std::max({e.second, xa, xb});
        }
    }
    for (int band = firstBand; band <= lastBand; ++band) {
        const std::pair<float, float> e = extents_[static_cast<std::size_t>(band - firstBand)];
        if (e.first > e.second)
            continue;
        const auto [y, next] = rowsOf(band);
        const int l = std::max(viewport_.left, static_cast<int>(std::floor(e.first - kMargin)));
        const int r = std::min(viewport_.right, static_cast<int>(std::floor(e.second + kMargin)) + 1);
        item.footprint.addInBand(y, next, l, r);
    }
}

void SceneDrawer::CollectLights(Frame& frame, const Matrix& world, int depth)
{
    if (depth > kMaxDepth)
        return;
    for (const RefPtr<Light>& light : frame.Lights()) {
        const LightParams& p = light->Params();
        raster::ColorF color{p.red, p.green, p.blue};
        Frame* enable = light->EnableFrame();
        if (p.type == D3DRMLIGHT_AMBIENT && !enable) {
            ambient_ = ambient_ + color;
            continue;
        }
        raster::Light l;
        l.kind = ToKind(p.type);
        l.color = color;
        l.position = ToVec(world.Row(3));
        l.direction = raster::normalize(ToVec(world.Row(2)));
        l.range = p.range;
        l.attenuation0 = p.constantAttenuation;
        l.attenuation1 = p.linearAttenuation;
        l.attenuation2 = p.quadraticAttenuation;
        l.umbra = p.umbra * 0.5f;  // the light keeps full cone angles
        l.penumbra = p.penumbra * 0.5f;
        lights_.push_back(l);
        enableFrames_.push_back(enable);
        anyEnableFrame_ = anyEnableFrame_ || enable;
    }
    for (const RefPtr<Frame>& child : frame.Children())
        CollectLights(*child, child->Local() * world, depth + 1);
}

void SceneDrawer::CollectFrame(Frame& frame, const Matrix& world, int depth)
{
    if (depth > kMaxDepth)
        return;
    const std::uint32_t lightMask = LightMaskFor(frame);
    for (const RefPtr<IDirect3DRMVisual>& visual : frame.Visuals()) {
        if (MeshBuilder* builder = As<MeshBuilder>(visual.get()))
            CollectBuilder(*builder, world, lightMask);
        else if (Frame* instance = As<Frame>(visual.get()))
            CollectFrame(*instance, instance->Local() * world, depth + 1);
    }
    for (const RefPtr<Frame>& child : frame.Children())
        CollectFrame(*child, child->Local() * world, depth + 1);
}

std::uint32_t SceneDrawer::LightMaskFor(const Frame& frame) const
{
    if (!anyEnableFrame_)
        return ~0u;
    std::uint32_t mask = ~0u;
    for (std::size_t i = 0; i < enableFrames_.size() && i < 32; ++i)
        if (enableFrames_[i] && !frame.IsWithin(enableFrames_[i]))
            mask &= ~(1u << i);
    return mask;
}

void SceneDrawer::CollectBuilder(MeshBuilder& builder, const Matrix& world, std::uint32_t lightMask)
{
    const CachedMesh& mesh = MeshFor(builder);
    raster::Mat4 modelToWorld = ToRasterMatrix(world);
    float depth = raster::transformPoint(raster::transformPoint({}, modelToWorld), worldToCamera_).z;
    for (const MeshGroup& g : mesh.groups) {
        raster::Batch b;
        b.vertices = mesh.vertices.data() + g.firstVertex;
        b.vertexCount = g.vertexCount;
        b.indices = mesh.indices.data() + g.firstIndex;
        b.indexCount = g.indexCount;
        b.edgeFlags = mesh.edges.data() + g.firstIndex / 3;
        b.modelToWorld = modelToWorld;
        b.material = g.material;
        b.texture = TextureFor(g.texture);
        b.lightMask = lightMask;
        // The entries of the last draw are refilled: their regions and lists keep their storage.
        if (pendingUsed_ == pending_.size())
            pending_.emplace_back();
        Pending& p = pending_[pendingUsed_++];
        p.batch = b;
        p.depth = depth;
        p.changed = false;
        p.written.clear();
        SceneMemory::Item& item = p.item;
        item.mesh = &builder;
        item.group = static_cast<std::size_t>(&g - mesh.groups.data());
        item.meshRevision = mesh.revision;
        item.modelToWorld = modelToWorld;
        item.material = g.material;
        item.texture = g.texture;
        item.textureRevision = g.texture ? g.texture->Revision() : 0;
        item.lightMask = lightMask;
        item.footprint.clear();
        item.shown.clear();
        item.prepared.valid = false;
        item.prepared.triangles.clear();
    }
}

const SceneDrawer::CachedMesh& SceneDrawer::MeshFor(MeshBuilder& builder)
{
    CachedMesh& mesh = meshes_[&builder];
    if (mesh.anchor && mesh.anchor->target == &builder && mesh.revision == builder.Revision())
        return mesh;
    mesh.anchor = builder.Anchor();
    mesh.revision = builder.Revision();
    mesh.vertices.clear();
    mesh.indices.clear();
    mesh.edges.clear();
    mesh.groups.clear();

    const auto& positions = builder.Positions();
    const auto& normals = builder.Normals();
    const auto& texCoords = builder.TexCoords();
    const auto& vertexColors = builder.VertexColors();
    const auto& corners = builder.Corners();
    const bool fromVertex = builder.ColorSource() == D3DRMCOLOR_FROMVERTEX && vertexColors.size() == positions.size();

    // Faces sorted into groups of one material and texture; each group gets its own vertices.
    struct Pending {
        raster::Material material;
        const Texture* texture;
        std::vector<const FaceRecord*> faces;
    };
    std::vector<Pending> pending;
    for (const FaceRecord& face : builder.Faces()) {
        if (face.count < 3 || face.first + face.count > corners.size())
            continue;
        raster::Material m = ToMaterial(face.material.get());
        const Texture* t = face.texture.get();
        auto it = std::find_if(pending.begin(), pending.end(),
                               [&](const Pending& p) { return p.texture == t && p.material == m; });
        if (it == pending.end()) {
            pending.push_back({m, t, {}});
            it = pending.end() - 1;
        }
        it->faces.push_back(&face);
    }
    for (const Pending& p : pending) {
        MeshGroup g;
        g.firstVertex = static_cast<std::uint32_t>(mesh.vertices.size());
        g.firstIndex = static_cast<std::uint32_t>(mesh.indices.size());
        g.material = p.material;
        g.texture = p.texture;
        for (const FaceRecord* face : p.faces) {
            std::uint32_t base = static_cast<std::uint32_t>(mesh.vertices.size()) - g.firstVertex;
            // A textured face shows its texture lit, not tinted by the face colour.
            raster::ColorF faceColor = p.texture ? raster::ColorF{1, 1, 1} : ToColor(face->color);
            for (DWORD c = 0; c < face->count; ++c) {
                const FaceCorner& corner = corners[face->first + c];
                raster::Vertex v;
                if (corner.vertex < positions.size())
                    v.position = ToVec(positions[corner.vertex]);
                if (corner.normal != FaceCorner::kNoNormal && corner.normal < normals.size())
                    v.normal = ToVec(normals[corner.normal]);
                if (corner.vertex < texCoords.size())
                    v.uv = {texCoords[corner.vertex].u, texCoords[corner.vertex].v};
                v.color = fromVertex && corner.vertex < vertexColors.size() && !p.texture
                              ? ToColor(vertexColors[corner.vertex])
                              : faceColor;
                mesh.vertices.push_back(v);
            }
            // Fan from the first corner; only the polygon's own sides are wireframe edges.
            for (DWORD k = 1; k + 1 < face->count; ++k) {
                mesh.indices.insert(mesh.indices.end(), {base, base + k, base + k + 1});
                std::uint8_t edges = 0b010;
                if (k == 1)
                    edges |= 0b001;
                if (k + 2 == face->count)
                    edges |= 0b100;
                mesh.edges.push_back(edges);
            }
        }
        g.vertexCount = static_cast<std::uint32_t>(mesh.vertices.size()) - g.firstVertex;
        g.indexCount = static_cast<std::uint32_t>(mesh.indices.size()) - g.firstIndex;
        mesh.groups.push_back(g);
    }
    return mesh;
}

const raster::Texture* SceneDrawer::TextureFor(const Texture* texture)
{
    if (!texture)
        return nullptr;
    CachedTexture& cached = textures_[texture];
    if (!(cached.anchor && cached.anchor->target == texture && cached.revision == texture->Revision())) {
        cached.anchor = const_cast<Texture*>(texture)->Anchor();
        cached.revision = texture->Revision();
        const auto& pixels = texture->Pixels();
        bool whole = texture->Width() > 0 && texture->Height() > 0 &&
                     pixels.size() >= static_cast<std::size_t>(texture->Width()) * texture->Height();
        cached.texture = whole ? raster::makeTexture(pixels.data(), texture->Width(), texture->Height(),
                                                     texture->Width())
                               : raster::Texture{};
    }
    return &cached.texture;
}

void SceneDrawer::Prune()
{
    std::erase_if(meshes_, [](const auto& entry) { return !entry.second.anchor || !entry.second.anchor->target; });
    std::erase_if(textures_, [](const auto& entry) { return !entry.second.anchor || !entry.second.anchor->target; });
}

}  // namespace rm
