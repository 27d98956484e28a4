// One frame of the game's view: the 26 cubies seen by two orthographic cameras from opposite
// corners on a 1920 x 1080 device, the +Y layer turning one degree per frame, both viewports
// cleared, rendered and presented to an in-memory window.
//
//   ./make.sh bench --benchmark_filter=CubeFrame
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/rm/ddraw.h"
#include "platform/rm/impl/ref_ptr.h"
#include "platform/rm/rm.h"

namespace {

using rm::RefPtr;

// A window kept in memory: copies what the device presents.
struct MemoryWindow final : rm::IWindowSurface {
    int width, height;
    std::vector<std::uint32_t> pixels;
    std::uint64_t presented = 0;  // pixels copied so far
    MemoryWindow(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}
    void Present(const std::uint32_t* src, int stride, int, int, const rm::SurfaceRect& r) override
    {
        presented += static_cast<std::uint64_t>(r.right - r.left) * static_cast<std::uint64_t>(r.bottom - r.top);
        for (int y = r.top; y < r.bottom; ++y)
            std::memcpy(&pixels[static_cast<size_t>(y) * width + r.left], src + static_cast<size_t>(y) * stride + r.left,
                        static_cast<size_t>(r.right - r.left) * sizeof(std::uint32_t));
    }
    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
};

struct ViewportPlacement {
    DWORD x, y, width, height;
};

// The game's cube, cameras and lights on one device.
struct CubeScene {
    static constexpr int kDeviceWidth = 1920, kDeviceHeight = 1080;

    MemoryWindow window{kDeviceWidth, kDeviceHeight};
    RefPtr<IDirect3DRM> d3drm;
    RefPtr<IDirectDraw> dd;
    RefPtr<IDirectDrawClipper> clipper;
    RefPtr<IDirect3DRMDevice> device;
    RefPtr<IDirect3DRMFrame> scene, center, turning;
    std::vector<RefPtr<IDirect3DRMFrame>> cameras;
    std::vector<RefPtr<IDirect3DRMViewport>> viewports;
    bool ok = true;

    void Check(HRESULT hr) { ok = ok && SUCCEEDED(hr); }

    CubeScene(ViewportPlacement left, ViewportPlacement right)
    {
        Check(Direct3DRMCreate(d3drm.put()));
        Check(DirectDrawCreate(nullptr, dd.put(), nullptr));
        if (!ok)
            return;
        Check(dd->CreateClipper(0, clipper.put(), nullptr));
        Check(clipper->SetHWnd(0, &window));
        Check(d3drm->CreateDeviceFromClipper(clipper.get(), nullptr, kDeviceWidth, kDeviceHeight, device.put()));
        Check(d3drm->CreateFrame(nullptr, scene.put()));
        if (!ok)
            return;
        device->SetQuality(D3DRMRENDER_GOURAUD);
        RefPtr<IDirect3DRMLight> ambient;
        Check(d3drm->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.5f, 0.5f, 0.5f, ambient.put()));
        Check(scene->AddLight(ambient.get()));
        Check(d3drm->CreateFrame(scene.get(), center.put()));
        Check(d3drm->CreateFrame(center.get(), turning.put()));
        for (int x = -2; x <= 2; x += 2)
            for (int y = -2; y <= 2; y += 2)
                for (int z = -2; z <= 2; z += 2)
                    if (x || y || z)
                        AddCubie(x, y, z);
        Check(turning->SetRotation(center.get(), 0, 1, 0, 3.14159265f / 180));
        for (float c : {9.0f, -9.0f}) {
            RefPtr<IDirect3DRMFrame> camera;
            Check(d3drm->CreateFrame(scene.get(), camera.put()));
            Check(camera->SetPosition(scene.get(), c, c, c));
            Check(camera->SetOrientation(scene.get(), -c, -c, -c, 0, 0, 1));
            RefPtr<IDirect3DRMLight> light;
            Check(d3drm->CreateLightRGB(D3DRMLIGHT_POINT, 1, 1, 1, light.put()));
            Check(camera->AddLight(light.get()));
            cameras.push_back(camera);
        }
        for (int i = 0; i < 2; ++i) {
            const ViewportPlacement& p = i == 0 ? left : right;
            RefPtr<IDirect3DRMViewport> v;
            Check(d3drm->CreateViewport(device.get(), cameras[i].get(), p.x, p.y, p.width, p.height, v.put()));
            if (!v)
                return;
            Check(v->SetProjection(D3DRMPROJECT_ORTHOGRAPHIC));
            Check(v->SetPlane(-5.5f, 5.5f, -5.5f, 5.5f));
            viewports.push_back(v);
        }
    }

    // A cubie at (x, y, z): faces coloured on the outside of the cube, black inside. The +Y
    // layer hangs under the turning frame.
    void AddCubie(int x, int y, int z)
    {
        const float h = 0.875f;
        D3DVECTOR v[8] = {{h, -h, h}, {-h, -h, h}, {-h, -h, -h}, {h, -h, -h},
                          {-h, h, h}, {-h, h, -h}, {h, h, h},   {h, h, -h}};
        DWORD faces[] = {4, 0, 1, 2, 3, 4, 1, 4, 5, 2, 4, 4, 6, 7, 5, 4, 5, 7, 3, 2, 4, 7, 6, 0, 3, 4, 6, 4, 1, 0, 0};
        struct Side {
            bool outside;
            float r, g, b;
        } sides[6] = {{y == -2, 1, 1, 0}, {x == -2, 1, 0.5f, 1}, {y == 2, 1, 0, 0},
                      {z == -2, 1, 1, 1}, {x == 2, 0, 1, 0},     {z == 2, 0, 0, 1}};
        RefPtr<IDirect3DRMMeshBuilder> mesh;
        RefPtr<IDirect3DRMFaceArray> faceArray;
        Check(d3drm->CreateMeshBuilder(mesh.put()));
        if (!mesh)
            return;
        Check(mesh->AddFaces(8, v, 0, nullptr, faces, faceArray.put()));
        for (DWORD i = 0; faceArray && i < faceArray->GetSize() && i < 6; ++i) {
            RefPtr<IDirect3DRMFace> face;
            Check(faceArray->GetElement(i, face.put()));
            if (face)
                Check(sides[i].outside ? face->SetColorRGB(sides[i].r, sides[i].g, sides[i].b)
                                       : face->SetColorRGB(0, 0, 0));
        }
        RefPtr<IDirect3DRMFrame> frame;
        Check(d3drm->CreateFrame(y == 2 ? turning.get() : center.get(), frame.put()));
        if (!frame)
            return;
        Check(frame->SetPosition(center.get(), static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)));
        Check(frame->AddVisual(mesh.get()));
    }
};

// The frame as the game draws it: the library redraws only where the turning layer was and is.
// With wholeRedraw the cameras move by a hair every frame, so that every pixel is drawn again.
void CubeFrames(benchmark::State& state, bool wholeRedraw)
{
    const bool full = state.range(0) != 0;
    ViewportPlacement left = full ? ViewportPlacement{0, 0, 960, 1080} : ViewportPlacement{0, 0, 640, 540};
    ViewportPlacement right = full ? ViewportPlacement{960, 0, 960, 1080} : ViewportPlacement{645, 0, 640, 540};
    CubeScene cube(left, right);
    if (!cube.ok) {
        state.SkipWithError("the scene could not be built");
        return;
    }
    float jiggle = 1e-4f;
    for (auto _ : state) {
        if (wholeRedraw) {
            jiggle = -jiggle;
            for (float c : {9.0f, -9.0f})
                cube.cameras[c > 0 ? 0 : 1]->SetPosition(cube.scene.get(), c + jiggle, c, c);
        }
        if (FAILED(cube.d3drm->Tick(1))) {
            state.SkipWithError("Tick failed");
            break;
        }
        benchmark::DoNotOptimize(cube.window.pixels.data());
    }
    state.SetLabel(full ? "full" : "window");
    state.counters["triangles/frame"] =
        benchmark::Counter(static_cast<double>(cube.device->GetTrianglesDrawn()) / state.iterations());
    state.counters["presented px/frame"] =
        benchmark::Counter(static_cast<double>(cube.window.presented) / state.iterations());
}

void BM_CubeFrame(benchmark::State& state) { CubeFrames(state, false); }
void BM_CubeFrameWhole(benchmark::State& state) { CubeFrames(state, true); }

// The floor under BM_CubeFrame on the machine at hand: filling the two viewports' colour and
// depth like memset and copying them to the window, with no drawing at all.
void BM_CubeFrameFloor(benchmark::State& state)
{
    const bool full = state.range(0) != 0;
    const int width = CubeScene::kDeviceWidth, height = CubeScene::kDeviceHeight;
    ViewportPlacement places[2] = {full ? ViewportPlacement{0, 0, 960, 1080} : ViewportPlacement{0, 0, 640, 540},
                                   full ? ViewportPlacement{960, 0, 960, 1080} : ViewportPlacement{645, 0, 640, 540}};
    std::vector<std::uint32_t> color(static_cast<size_t>(width) * height);
    std::vector<float> depth(color.size());
    MemoryWindow window(width, height);
    for (auto _ : state) {
        for (const ViewportPlacement& p : places) {
            for (DWORD y = p.y; y < p.y + p.height; ++y) {
                std::fill_n(&color[y * width + p.x], p.width, 0xFF000000u);
                std::fill_n(&depth[y * width + p.x], p.width, 1.0f);
            }
            window.Present(color.data(), width, width, height,
                           {static_cast<int>(p.x), static_cast<int>(p.y), static_cast<int>(p.x + p.width),
                            static_cast<int>(p.y + p.height)});
        }
        benchmark::DoNotOptimize(window.pixels.data());
    }
    state.SetLabel(full ? "full" : "window");
}

}  // namespace

BENCHMARK(BM_CubeFrameFloor)->ArgName("full")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CubeFrame)->ArgName("full")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CubeFrameWhole)->ArgName("full")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
