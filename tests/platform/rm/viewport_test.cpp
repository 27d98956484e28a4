// Viewports: settings and their checks, projection mapping, world-to-screen transforms.
#include <cmath>

#include "tests/platform/rm/device_fixture.h"

namespace rm::testing {
namespace {

using ViewportTest = DeviceTest;

TEST_F(ViewportTest, DefaultsAndRejectedValuesKeepTheOldSetting)
{
    auto v = AddViewport(4, 6, 40, 30);
    EXPECT_EQ(v->GetProjection(), D3DRMPROJECT_PERSPECTIVE);
    EXPECT_TRUE(v->GetUniformScaling());
    EXPECT_FLOAT_EQ(v->GetField(), 0.5f);
    EXPECT_FLOAT_EQ(v->GetFront(), 1);
    EXPECT_FLOAT_EQ(v->GetBack(), 100);
    EXPECT_EQ(v->GetX(), 4);
    EXPECT_EQ(v->GetY(), 6);
    EXPECT_EQ(v->GetWidth(), 40u);
    EXPECT_EQ(v->GetHeight(), 30u);
    D3DVALUE l, r, b, t;
    ASSERT_EQ(v->GetPlane(&l, &r, &b, &t), D3DRM_OK);
    EXPECT_FLOAT_EQ(l, -0.5f);
    EXPECT_FLOAT_EQ(t, 0.5f);

    struct Bad {
        const char* what;
        HRESULT hr;
    } bad[] = {
        {"field 0", v->SetField(0)},
        {"field NaN", v->SetField(std::nanf(""))},
        {"front 0", v->SetFront(0)},
        {"front behind back", v->SetFront(200)},
        {"back before front", v->SetBack(0.5f)},
        {"plane left = right", v->SetPlane(1, 1, -1, 1)},
        {"plane upside down", v->SetPlane(-1, 1, 1, -1)},
        {"projection 2", v->SetProjection(static_cast<D3DRMPROJECTIONTYPE>(2))},
        {"camera null", v->SetCamera(nullptr)},
        {"update upside down", v->ForceUpdate(10, 10, 5, 5)},
        {"transform null", v->Transform(nullptr, nullptr)},
    };
    for (const Bad& x : bad)
        EXPECT_EQ(x.hr, x.hr == D3DRMERR_BADOBJECT ? D3DRMERR_BADOBJECT : D3DRMERR_BADVALUE) << x.what;
    EXPECT_EQ(bad[8].hr, D3DRMERR_BADOBJECT);
    EXPECT_FLOAT_EQ(v->GetFront(), 1);
    EXPECT_FLOAT_EQ(v->GetBack(), 100);

    EXPECT_EQ(v->SetField(6), D3DRM_OK);
    ASSERT_EQ(v->GetPlane(&l, &r, &b, &t), D3DRM_OK);
    EXPECT_FLOAT_EQ(l, -6);
    EXPECT_FLOAT_EQ(b, -6);
    EXPECT_EQ(v->SetName("LefPort"), D3DRM_OK);
    char name[16];
    DWORD size = sizeof name;
    ASSERT_EQ(v->GetName(&size, name), D3DRM_OK);
    EXPECT_STREQ(name, "LefPort");
    EXPECT_EQ(v->Configure(10, 0, 20, 20), D3DRM_OK);
    EXPECT_EQ(v->GetX(), 10);
    EXPECT_EQ(v->GetWidth(), 20u);
}

TEST_F(ViewportTest, TransformMapsTheViewingPlaneOntoTheShorterSideAndBack)
{
    auto v = AddViewport(0, 0, 64, 32);
    struct Case {
        D3DRMPROJECTIONTYPE projection;
        D3DVECTOR world;
        float px, py;  // device pixels
    } cases[] = {
        // Perspective: the plane at the front distance; (1, 0.5) at z = 2 lands on its corner.
        {D3DRMPROJECT_PERSPECTIVE, {0, 0, 10}, 32, 16},
        {D3DRMPROJECT_PERSPECTIVE, {1, 1, 2}, 32 + 16, 0},
        // Orthographic: the plane spans camera units; field 0.5 over 32 pixels of height.
        {D3DRMPROJECT_ORTHOGRAPHIC, {0.5f, -0.5f, 50}, 48, 32},
        {D3DRMPROJECT_ORTHOGRAPHIC, {-1, 0, 3}, 0, 16},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(v->SetProjection(c.projection), D3DRM_OK);
        D3DRMVECTOR4D s;
        D3DVECTOR in = c.world;
        ASSERT_EQ(v->Transform(&s, &in), D3DRM_OK);
        EXPECT_NEAR(s.x / s.w, c.px, 1e-3) << c.projection;
        EXPECT_NEAR(s.y / s.w, c.py, 1e-3) << c.projection;
        D3DVECTOR back;
        ASSERT_EQ(v->InverseTransform(&back, &s), D3DRM_OK);
        EXPECT_NEAR(back.x, in.x, 1e-3);
        EXPECT_NEAR(back.y, in.y, 1e-3);
        EXPECT_NEAR(back.z, in.z, 1e-3);
    }
    // Depth runs from 0 at the front plane to 1 at the back plane.
    ASSERT_EQ(v->SetProjection(D3DRMPROJECT_PERSPECTIVE), D3DRM_OK);
    D3DRMVECTOR4D s;
    D3DVECTOR front{0, 0, 1}, back{0, 0, 100};
    v->Transform(&s, &front);
    EXPECT_NEAR(s.z / s.w, 0, 1e-5);
    v->Transform(&s, &back);
    EXPECT_NEAR(s.z / s.w, 1, 1e-5);
}

// The game's right camera: orthographic, at (9, 9, 9) looking at the origin with up near +Z,
// over the outer faces of a cube (the scene's own corner order).
TEST_F(ViewportTest, OrthographicCornerViewShowsBlueTopRedLowerLeftGreenLowerRight)
{
    auto v = AddViewport();
    ASSERT_EQ(v->SetProjection(D3DRMPROJECT_ORTHOGRAPHIC), D3DRM_OK);
    ASSERT_EQ(v->SetField(3), D3DRM_OK);
    ASSERT_EQ(camera->SetPosition(scene.get(), 9, 9, 9), D3DRM_OK);
    ASSERT_EQ(camera->SetOrientation(scene.get(), -1, -1, -1, 0, 0, 1), D3DRM_OK);
    const float h = 1;
    auto plusX = AddPolygon(scene.get(), {{h, h, -h}, {h, h, h}, {h, -h, h}, {h, -h, -h}}, 0, 1, 0);
    auto plusY = AddPolygon(scene.get(), {{-h, h, h}, {h, h, h}, {h, h, -h}, {-h, h, -h}}, 1, 0, 0);
    auto plusZ = AddPolygon(scene.get(), {{h, h, h}, {-h, h, h}, {-h, -h, h}, {h, -h, h}}, 0, 0, 1);
    Tick();
    // 64 pixels for 6 units: the faces' centres sit 0.82 units up, and 0.71 units left or
    // right and 0.41 units down.
    EXPECT_EQ(surface.At(32, 23), kBlue);
    EXPECT_EQ(surface.At(24, 36), kRed);
    EXPECT_EQ(surface.At(40, 36), kGreen);
}

TEST_F(ViewportTest, BackgroundAndRenderOfASubtree)
{
    auto v = AddViewport();
    scene->SetSceneBackgroundRGB(0, 1, 0);
    RefPtr<IDirect3DRMFrame> group;
    ASSERT_EQ(rm->CreateFrame(scene.get(), group.put()), D3DRM_OK);
    auto red = AddPolygon(group.get(), {{-1, 1, 5}, {1, 1, 5}, {1, -1, 5}, {-1, -1, 5}}, 1, 0, 0);
    auto blue = AddPolygon(scene.get(), {{-3, 3, 9}, {3, 3, 9}, {3, -3, 9}, {-3, -3, 9}}, 0, 0, 1);
    ASSERT_EQ(v->Clear(), D3DRM_OK);
    ASSERT_EQ(v->Render(group.get()), D3DRM_OK);
    ASSERT_EQ(device->Update(), D3DRM_OK);
    EXPECT_EQ(surface.At(32, 32), kRed);
    EXPECT_EQ(surface.At(32, 12), kGreen);  // the blue square is not in the subtree
    EXPECT_EQ(v->Render(nullptr), D3DRMERR_BADOBJECT);
}

}  // namespace
}  // namespace rm::testing
