// Devices: settings, drawing through Tick, presenting to the window, the process device list.
#include <cmath>
#include <cstring>

#include "platform/rm/raster/cpu_features.h"
#include "tests/platform/rm/device_fixture.h"

namespace rm::testing {
namespace {

TEST_F(DeviceTest, DefaultsAndSettersCheckTheirValues)
{
    RefPtr<IDirect3DRMDevice> fresh;
    ASSERT_EQ(rm->CreateDeviceFromClipper(clipper.get(), nullptr, 32, 16, fresh.put()), D3DRM_OK);
    EXPECT_EQ(fresh->GetQuality(), D3DRMRENDER_FLAT);
    EXPECT_EQ(fresh->GetShades(), 32u);
    EXPECT_TRUE(fresh->GetDither());
    EXPECT_EQ(fresh->GetTextureQuality(), D3DRMTEXTURE_NEAREST);
    EXPECT_EQ(fresh->GetBufferCount(), 1u);
    EXPECT_EQ(fresh->GetColorModel(), D3DCOLOR_RGB);
    EXPECT_EQ(fresh->GetWidth(), 32u);
    EXPECT_EQ(fresh->GetHeight(), 16u);
    EXPECT_EQ(fresh->GetTrianglesDrawn(), 0u);

    struct Bad {
        const char* what;
        HRESULT hr;
    } bad[] = {
        {"quality with unknown bits", fresh->SetQuality(0x89 | 0x200)},
        {"shade mode 3", fresh->SetQuality(0x83)},
        {"fill mode 0xC0", fresh->SetQuality(0xC0)},
        {"shades 0", fresh->SetShades(0)},
        {"shades 3", fresh->SetShades(3)},
        {"texture quality 6", fresh->SetTextureQuality(static_cast<D3DRMTEXTUREQUALITY>(6))},
        {"buffer count 0", fresh->SetBufferCount(0)},
    };
    for (const Bad& b : bad)
        EXPECT_EQ(b.hr, D3DRMERR_BADVALUE) << b.what;
    EXPECT_EQ(fresh->GetQuality(), D3DRMRENDER_FLAT);
    EXPECT_EQ(fresh->SetQuality(0x41), D3DRM_OK);
    EXPECT_EQ(fresh->GetQuality(), 0x41u);
    EXPECT_EQ(fresh->SetShades(4096), D3DRM_OK);
    EXPECT_EQ(fresh->GetShades(), 4096u);
}

TEST_F(DeviceTest, CreationRefusesBadArguments)
{
    RefPtr<IDirect3DRMDevice> d;
    GUID unknown{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    EXPECT_EQ(rm->CreateDeviceFromClipper(clipper.get(), &unknown, 32, 32, d.put()), D3DRMERR_BADDEVICE);
    EXPECT_EQ(d.get(), nullptr);
    EXPECT_EQ(rm->CreateDeviceFromClipper(nullptr, nullptr, 32, 32, d.put()), D3DRMERR_BADOBJECT);
    EXPECT_EQ(rm->CreateDeviceFromClipper(clipper.get(), nullptr, 0, 32, d.put()), D3DRMERR_BADVALUE);
    EXPECT_EQ(rm->CreateDeviceFromClipper(clipper.get(), nullptr, 32, 100000, d.put()), D3DRMERR_BADVALUE);
    RefPtr<IDirect3DRMViewport> v;
    EXPECT_EQ(rm->CreateViewport(device.get(), nullptr, 0, 0, 8, 8, v.put()), D3DRMERR_BADOBJECT);
    EXPECT_EQ(rm->CreateViewport(nullptr, camera.get(), 0, 0, 8, 8, v.put()), D3DRMERR_BADOBJECT);
}

TEST_F(DeviceTest, DevicesOfTheProcessAreListedOldestFirstWithTheirViewports)
{
    RefPtr<IDirect3DRMDevice> second;
    ASSERT_EQ(rm->CreateDeviceFromClipper(clipper.get(), nullptr, 8, 8, second.put()), D3DRM_OK);
    RefPtr<IDirect3DRM> other;
    ASSERT_EQ(Direct3DRMCreate(other.put()), S_OK);
    RefPtr<IDirect3DRMDeviceArray> devices;
    ASSERT_EQ(other->GetDevices(devices.put()), D3DRM_OK);
    ASSERT_EQ(devices->GetSize(), 2u);
    RefPtr<IDirect3DRMDevice> first;
    ASSERT_EQ(devices->GetElement(0, first.put()), D3DRM_OK);
    EXPECT_EQ(first.get(), device.get());

    auto a = AddViewport(0, 0, 32, 64), b = AddViewport(32, 0, 32, 64);
    RefPtr<IDirect3DRMViewportArray> viewports;
    ASSERT_EQ(device->GetViewports(viewports.put()), D3DRM_OK);
    ASSERT_EQ(viewports->GetSize(), 2u);
    RefPtr<IDirect3DRMViewport> v;
    ASSERT_EQ(viewports->GetElement(1, v.put()), D3DRM_OK);
    EXPECT_EQ(v.get(), b.get());
    a.reset();
    ASSERT_EQ(device->GetViewports(viewports.put()), D3DRM_OK);
    EXPECT_EQ(viewports->GetSize(), 1u);
}

TEST_F(DeviceTest, TickDrawsAndPresentsToTheWindowAndCountsTriangles)
{
    auto v = AddViewport();
    scene->SetSceneBackgroundRGB(0, 0, 1);
    auto square = AddFacingSquare(5, 1, 1, 0, 0);
    Tick();
    EXPECT_EQ(surface.At(32, 32), kRed);
    EXPECT_EQ(surface.At(2, 2), kBlue);
    EXPECT_EQ(device->GetTrianglesDrawn(), 2u);
    Tick();  // the view is the same as before: everything is drawn once more and placed
    EXPECT_EQ(device->GetTrianglesDrawn(), 4u);
    Tick();  // nothing changed: nothing is drawn again
    EXPECT_EQ(device->GetTrianglesDrawn(), 4u);
    square->SetPosition(scene.get(), 1, 0, 0);
    Tick();
    EXPECT_EQ(device->GetTrianglesDrawn(), 6u);
    EXPECT_EQ(surface.At(6, 32), kBlue);
}

TEST_F(DeviceTest, AStillViewShowsARecolouredOrReplacedMesh)
{
    auto v = AddViewport();
    auto square = AddFacingSquare(5, 1, 1, 0, 0);
    Tick();
    Tick();
    RefPtr<IDirect3DRMMeshBuilder> mesh = MeshOf(square.get());
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->SetColorRGB(0, 1, 0), D3DRM_OK);
    Tick();
    EXPECT_EQ(surface.At(32, 32), kGreen);
    // A new mesh in the old one's place (perhaps at its very address) with another colour.
    ASSERT_EQ(square->DeleteVisual(mesh.get()), D3DRM_OK);
    mesh.reset();
    square.reset();
    auto other = AddFacingSquare(5, 1, 0, 0, 1);
    Tick();
    EXPECT_EQ(surface.At(32, 32), kBlue);
}

TEST_F(DeviceTest, RedrawingWhatChangedGivesTheSamePictureAsDrawingEverything)
{
    // Lit, shaded and dithered polygons at several depths; one turns a little every frame, in
    // front of some and behind others. After each heartbeat (which redraws only where the
    // turning one was and is) the window must hold exactly what a full render of the same
    // scene gives, and a still frame presents nothing.
    device->SetQuality(D3DRMRENDER_GOURAUD);
    device->SetShades(16);
    device->SetDither(TRUE);
    auto v = AddViewport();
    scene->SetSceneBackgroundRGB(0.1f, 0.1f, 0.3f);
    RefPtr<IDirect3DRMLight> light;
    ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_POINT, 1, 0.9f, 0.8f, light.put()), D3DRM_OK);
    ASSERT_EQ(camera->AddLight(light.get()), D3DRM_OK);
    auto back = AddFacingSquare(8, 2.5f, 0.2f, 0.8f, 0.3f);
    auto left = AddPolygon(scene.get(), {{-3, 2, 6}, {0.5f, 0.5f, 5}, {-2, -2, 6.5f}}, 0.9f, 0.9f, 0.2f);
    auto turning = AddPolygon(scene.get(), {{-1, 1, 0}, {1, 1, 0}, {1, -1, 0}, {-1, -1, 0}}, 0.9f, 0.2f, 0.2f);
    turning->SetPosition(scene.get(), 0.5f, 0, 7);
    auto front = AddFacingSquare(4, 0.4f, 0.2f, 0.3f, 0.9f);
    Tick();
    Tick();  // the first frame of an unchanged view works out where everything lies
    for (int frame = 0; frame < 9; ++frame) {
        raster::capSimdLevel(frame % 3 == 0 ? raster::SimdLevel::Sse2
                                            : frame % 3 == 1 ? raster::SimdLevel::Avx2 : raster::SimdLevel::Avx512);
        const float angle = 0.25f * static_cast<float>(frame + 1) - 1.0f;  // it keeps facing the camera
        ASSERT_EQ(turning->SetOrientation(scene.get(), std::sin(angle), 0, std::cos(angle), 0, 1, 0), D3DRM_OK);
        surface.presented.clear();
        Tick();
        int presented = 0;
        for (const SurfaceRect& r : surface.presented)
            presented += (r.right - r.left) * (r.bottom - r.top);
        EXPECT_GT(presented, 0);
        EXPECT_LT(presented, kWidth * kHeight) << "frame " << frame;
        const std::vector<std::uint32_t> partial = surface.pixels;
        ASSERT_EQ(partial, WholeRedraw(v.get())) << "frame " << frame;
        Tick();
    }
    raster::capSimdLevel(raster::SimdLevel::Avx512);
    surface.presented.clear();
    Tick();
    EXPECT_TRUE(surface.presented.empty());
}

TEST_F(DeviceTest, AnObjectMovingOutOfSightRedrawsNothingAndShowsWhenItComesOut)
{
    auto v = AddViewport();
    auto wall = AddFacingSquare(5, 1.5f, 0, 1, 0);
    auto hidden = AddFacingSquare(9, 0.5f, 1, 0, 0);  // behind the wall
    Tick();
    Tick();
    surface.presented.clear();
    hidden->SetPosition(scene.get(), 0.5f, 0.3f, 0);
    Tick();
    EXPECT_TRUE(surface.presented.empty());
    EXPECT_EQ(surface.Count(kRed), 0);
    hidden->SetPosition(scene.get(), 3.5f, 0, 0);  // out from behind the wall, to the right
    Tick();
    EXPECT_GT(surface.Count(kRed), 20);
    const std::vector<std::uint32_t> partial = surface.pixels;
    EXPECT_EQ(partial, WholeRedraw(v.get()));
}

TEST_F(DeviceTest, MovingAnObjectLeavesNoTrailAndPresentsOnlyWhatChanged)
{
    auto left = AddViewport(0, 0, 32, 64);
    auto right = AddViewport(33, 0, 31, 64);
    scene->SetSceneBackgroundRGB(0, 0, 1);
    auto square = AddFacingSquare(10, 1, 1, 0, 0);
    Tick();
    int redBefore = surface.Count(kRed);
    ASSERT_GT(redBefore, 0);
    // Move the square up and left: its old places (one per viewport) must be background again.
    square->SetPosition(scene.get(), -3, 3, 0);
    surface.presented.clear();
    Tick();
    EXPECT_EQ(surface.At(16, 32), kBlue);
    EXPECT_EQ(surface.At(48, 32), kBlue);
    EXPECT_EQ(surface.At(6, 22), kRed);
    EXPECT_NEAR(surface.Count(kRed), redBefore, redBefore / 4);
    // Nothing was presented outside the two places the square was in.
    for (const SurfaceRect& r : surface.presented) {
        EXPECT_LE(r.right - r.left, 32);
        EXPECT_LE(r.bottom - r.top, 40);
    }
    // A still scene presents no more than the square's area.
    surface.presented.clear();
    Tick();
    int area = 0;
    for (const SurfaceRect& r : surface.presented)
        area += (r.right - r.left) * (r.bottom - r.top);
    EXPECT_LT(area, 32 * 64 / 2);
    // HandlePaint presents everything again.
    RefPtr<IDirect3DRMWinDevice> win;
    ASSERT_EQ(device->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(win.put())), S_OK);
    surface.presented.clear();
    EXPECT_EQ(win->HandlePaint(nullptr), D3DRM_OK);
    ASSERT_EQ(surface.presented.size(), 1u);
    EXPECT_EQ(surface.presented[0].right, kWidth);
    EXPECT_EQ(win->HandleActivate(1), D3DRM_OK);
}

TEST_F(DeviceTest, TexturedFaceShowsItsImageTopLeftAtUvZero)
{
    auto v = AddViewport();
    std::uint32_t texels[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};  // 2 x 2
    D3DRMIMAGE image;
    image.width = image.height = 2;
    image.bytes_per_line = 8;
    image.buffer1 = texels;
    RefPtr<IDirect3DRMTexture> texture;
    ASSERT_EQ(rm->CreateTexture(&image, texture.put()), D3DRM_OK);
    auto square = AddFacingSquare(5, 2, 1, 1, 1);
    RefPtr<IDirect3DRMMeshBuilder> mesh = MeshOf(square.get());
    ASSERT_TRUE(mesh);
    const D3DVALUE uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};  // corners from the top left, clockwise
    for (DWORD i = 0; i < 4; ++i)
        ASSERT_EQ(mesh->SetTextureCoordinates(i, uv[i][0], uv[i][1]), D3DRM_OK);
    ASSERT_EQ(mesh->SetTexture(texture.get()), D3DRM_OK);
    Tick();
    EXPECT_EQ(surface.At(20, 20), kRed);
    EXPECT_EQ(surface.At(44, 20), kGreen);
    EXPECT_EQ(surface.At(20, 44), kBlue);
    EXPECT_EQ(surface.At(44, 44), 0xFFFFFFu);
}

TEST_F(DeviceTest, LightWithAnEnableFrameLightsOnlyThatSubtree)
{
    auto v = AddViewport();
    device->SetQuality(D3DRMRENDER_FLAT);
    auto left = AddPolygon(scene.get(), {{-2, 1, 5}, {-0.2f, 1, 5}, {-0.2f, -1, 5}, {-2, -1, 5}}, 1, 1, 1);
    auto right = AddPolygon(scene.get(), {{0.2f, 1, 5}, {2, 1, 5}, {2, -1, 5}, {0.2f, -1, 5}}, 1, 1, 1);
    RefPtr<IDirect3DRMLight> light;
    ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 1, 1, 1, light.put()), D3DRM_OK);
    scene->AddLight(light.get());
    Tick();
    EXPECT_EQ(surface.At(12, 32), 0xFFFFFFu);
    EXPECT_EQ(surface.At(52, 32), 0xFFFFFFu);
    ASSERT_EQ(light->SetEnableFrame(right.get()), D3DRM_OK);
    Tick();
    EXPECT_EQ(surface.At(12, 32), kBlack);
    EXPECT_EQ(surface.At(52, 32), 0xFFFFFFu);
}

TEST_F(DeviceTest, QualitiesGiveDifferentPictures)
{
    auto v = AddViewport();
    RefPtr<IDirect3DRMFrame> light;
    ASSERT_EQ(rm->CreateFrame(scene.get(), light.put()), D3DRM_OK);
    RefPtr<IDirect3DRMLight> point;
    ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_POINT, 1, 1, 1, point.put()), D3DRM_OK);
    light->AddLight(point.get());
    light->SetPosition(scene.get(), -1, 1, 3);
    std::vector<D3DVECTOR> normals{{-0.5f, 0.5f, -1}, {0.5f, 0.5f, -1}, {0.5f, -0.5f, -1}, {-0.5f, -0.5f, -1}};
    auto square = AddPolygon(scene.get(), {{-1, 1, 5}, {1, 1, 5}, {1, -1, 5}, {-1, -1, 5}}, 1, 1, 1, normals);
    std::vector<std::vector<std::uint32_t>> pictures;
    for (D3DRMRENDERQUALITY q : {D3DRMRENDER_WIREFRAME, D3DRMRENDER_UNLITFLAT, D3DRMRENDER_FLAT, D3DRMRENDER_GOURAUD,
                                 D3DRMRENDER_PHONG, D3DRMRENDERQUALITY(D3DRMSHADE_FLAT | D3DRMFILL_POINTS)}) {
        ASSERT_EQ(device->SetQuality(q), D3DRM_OK);
        Tick();
        for (const auto& p : pictures)
            EXPECT_NE(p, surface.pixels) << "quality " << q;
        pictures.push_back(surface.pixels);
    }
}

TEST_F(DeviceTest, MonoDriverDrawsAGreyRampInAsManyStepsAsShades)
{
    RefPtr<IDirect3D> d3d;
    ASSERT_EQ(dd->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(d3d.put())), S_OK);
    D3DFINDDEVICESEARCH search;
    search.dwSize = sizeof search;
    search.dwFlags = D3DFDS_COLORMODEL;
    search.dcmColorModel = D3DCOLOR_MONO;
    D3DFINDDEVICERESULT found;
    found.dwSize = sizeof found;
    ASSERT_EQ(d3d->FindDevice(&search, &found), D3D_OK);
    device.reset();
    MakeDevice(&found.guid, kWidth, kHeight);
    EXPECT_EQ(device->GetColorModel(), D3DCOLOR_MONO);
    auto v = AddViewport();
    v->SetPlane(-0.5f, 0.5f, -0.1f, 0.1f);
    v->SetUniformScaling(FALSE);
    scene->SetSceneBackgroundRGB(0, 0, 1);
    RefPtr<IDirect3DRMLight> light;
    ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 1.2f, 1.0f, 0.6f, light.put()), D3DRM_OK);
    scene->AddLight(light.get());  // the scene frame's +Z: straight at the square
    // Normals turn from edge-on at the left to facing the light at the right.
    std::vector<D3DVECTOR> normals{{-1, 0, 0}, {0, 0, -1}, {0, 0, -1}, {-1, 0, 0}};
    auto square = AddPolygon(scene.get(), {{-2.5f, 0.5f, 5}, {2.5f, 0.5f, 5}, {2.5f, -0.5f, 5}, {-2.5f, -0.5f, 5}},
                             1, 1, 1, normals);
    device->SetQuality(D3DRMRENDER_GOURAUD);
    for (DWORD shades : {4u, 8u}) {
        ASSERT_EQ(device->SetShades(shades), D3DRM_OK);
        Tick();
        std::set<std::uint32_t> greys;
        for (std::uint32_t p : surface.pixels) {
            p &= 0xFFFFFF;
            if (p == kBlue)
                continue;
            EXPECT_TRUE((p >> 16) == (p & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF)) << std::hex << p;
            greys.insert(p);
        }
        EXPECT_EQ(greys.size(), shades);
    }
}

}  // namespace
}  // namespace rm::testing
