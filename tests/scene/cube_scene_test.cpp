// The embedded cube scene: 26 cubies under "ZTarnCenter" on their grid places, two camera
// frames each carrying a white point light.
#include "scene/scene_reader.h"
#include "scene_test_support.h"

#include "platform/ui/message_box.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace {

struct CubiePlace {
    int X, Y, Z;
    bool operator==(const CubiePlace&) const = default;
};

const std::map<std::string, CubiePlace> kCubies = {
    {"Frame1", {-2, -2, -2}}, {"Frame2", {0, -2, -2}},  {"Frame3", {2, -2, -2}},  {"Frame4", {2, -2, 0}},
    {"Frame5", {2, -2, 2}},   {"Frame6", {0, -2, 2}},   {"Frame7", {-2, -2, 2}},  {"Frame8", {-2, -2, 0}},
    {"Frame9", {0, -2, 0}},   {"Frame10", {-2, 0, -2}}, {"Frame11", {0, 0, -2}},  {"Frame12", {2, 0, -2}},
    {"Frame13", {2, 0, 0}},   {"Frame14", {2, 0, 2}},   {"Frame15", {0, 0, 2}},   {"Frame16", {-2, 0, 2}},
    {"Frame17", {-2, 0, 0}},  {"Frame18", {-2, 2, -2}}, {"Frame19", {0, 2, -2}},  {"Frame20", {2, 2, -2}},
    {"Frame21", {2, 2, 0}},   {"Frame22", {2, 2, 2}},   {"Frame23", {0, 2, 2}},   {"Frame24", {-2, 2, 2}},
    {"Frame25", {-2, 2, 0}},  {"Frame26", {0, 2, 0}},
};

class CubeSceneTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Direct3DRMCreate(FRM.Put()), S_OK);
        ASSERT_EQ(FRM->CreateFrame(nullptr, FScene.Put()), S_OK);
        ASSERT_EQ(LoadSceneID(FScene.Get(), "ZTARN_SCENE", nullptr), S_OK);
    }

    void FindFrame(const char* name, TRmRef<IDirect3DRMFrame>* frame)
    {
        FindNamedObject(FRM.Get(), name, IID_IDirect3DRMFrame, frame);
        ASSERT_TRUE(*frame) << name;
    }

    TMessageBoxScript FBoxes;
    TRmRef<IDirect3DRM> FRM;
    TRmRef<IDirect3DRMFrame> FScene;
};

TEST_F(CubeSceneTest, CenterHoldsTheCubiesAtTheirPlaces)
{
    TRmRef<IDirect3DRMFrame> center;
    ASSERT_NO_FATAL_FAILURE(FindFrame("ZTarnCenter", &center));
    TRmRef<IDirect3DRMFrameArray> children;
    ASSERT_EQ(center->GetChildren(children.Put()), S_OK);
    ASSERT_EQ(children->GetSize(), 26u);

    std::map<std::string, CubiePlace> places;
    for (DWORD i = 0; i < children->GetSize(); ++i) {
        TRmRef<IDirect3DRMFrame> cubie;
        ASSERT_EQ(children->GetElement(i, cubie.Put()), S_OK);
        D3DVECTOR position;
        ASSERT_EQ(cubie->GetPosition(center.Get(), &position), S_OK);
        const CubiePlace place{static_cast<int>(std::lround(position.x)), static_cast<int>(std::lround(position.y)),
                               static_cast<int>(std::lround(position.z))};
        EXPECT_NEAR(position.x, place.X, 1e-4);
        EXPECT_NEAR(position.y, place.Y, 1e-4);
        EXPECT_NEAR(position.z, place.Z, 1e-4);
        places[NameOf(cubie.Get())] = place;
    }
    EXPECT_EQ(places, kCubies);
}

TEST_F(CubeSceneTest, EachCameraCarriesAWhitePointLight)
{
    for (const char* camera : {"RightCameraFrame", "LeftCameraFrame"}) {
        TRmRef<IDirect3DRMFrame> frame;
        ASSERT_NO_FATAL_FAILURE(FindFrame(camera, &frame));
        const std::vector<TLightView> lights = LightsOf(frame.Get());
        ASSERT_EQ(lights.size(), 1u) << camera;
        const TLightView& light = lights[0];
        EXPECT_EQ(light.Name, "POINT") << camera;
        EXPECT_EQ(light.Type, D3DRMLIGHT_POINT) << camera;
        EXPECT_EQ(light.Color & 0x00FFFFFFu, 0x00FFFFFFu) << camera;
        EXPECT_FLOAT_EQ(light.Attenuation.x, 1.0f) << camera;
        EXPECT_FLOAT_EQ(light.Attenuation.y, 0.0f) << camera;
        EXPECT_FLOAT_EQ(light.Attenuation.z, 0.0f) << camera;
        EXPECT_FLOAT_EQ(light.Range, 256.0f) << camera;
        EXPECT_FLOAT_EQ(light.Penumbra, 0.5f) << camera;
        EXPECT_EQ(light.EnableFrame, "") << camera;
    }
    EXPECT_TRUE(FBoxes.Shown().empty());
}

}  // namespace
