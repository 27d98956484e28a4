// Loading scenes from resources and files: the library's loader, then the custom records, and
// the results of the failure cases.
#include "scene/scene_reader.h"
#include "scene_test_support.h"

#include "platform/sys/resources.h"
#include "platform/ui/message_box.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kSmallScene =
    "xof 0302txt 0064\r\n"
    "template YF_Light {\r\n <F3BBF980-7B14-11d1-BFE2-444553540000>\r\n STRING FrameName;\r\n"
    " STRING EnableFrameName;\r\n BYTE LightType;\r\n Vector Attenuation;\r\n ColorRGB Color;\r\n"
    " DOUBLE Penumbra;\r\n DOUBLE Range;\r\n}\r\n"
    "Header {1; 0; 1;}\r\n"
    "Frame SmallSceneHost {\r\n"
    " FrameTransformMatrix {\r\n"
    "  1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,3.0,0.0,0.0,1.0;;\r\n"
    " }\r\n"
    "}\r\n"
    "#Additional data for Y-Forge:\r\n"
    "YF_Light Lamp {\"SmallSceneHost\"; \"\"; 1; 1.0; 0.0; 0.0;; 1.0; 1.0; 1.0;; 0.5; 256.0;}\r\n";

// The small scene compiled in under a number, as the integer-resource form names it.
const ResourceRegistration kNumberedScene("#7", "X", kSmallScene.data(), kSmallScene.size());

// One mesh whose material names a texture file.
const std::string kTexturedScene =
    "xof 0302txt 0064\r\n"
    "Mesh Textured {\r\n"
    " 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;;\r\n"
    " 1; 3;0,1,2;;\r\n"
    " MeshMaterialList { 1; 1; 0;;\r\n"
    "  Material { 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; TextureFilename { \"stone.ppm\"; } }\r\n"
    " }\r\n"
    "}\r\n";
const ResourceRegistration kTexturedSceneResource("TEXTURED_SCENE", "X", kTexturedScene.data(),
                                                  kTexturedScene.size());

std::vector<std::string> gTexturesAskedFor;

HRESULT RecordTextureName(char* textureName, void*, IDirect3DRMTexture**)
{
    gTexturesAskedFor.push_back(textureName);
    return E_FAIL;  // the face stays untextured; the load goes on
}

class SceneReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Direct3DRMCreate(FRM.Put()), S_OK);
        ASSERT_EQ(FRM->CreateFrame(nullptr, FScene.Put()), S_OK);
    }

    // The loaded "SmallSceneHost" frame under the scene root, checked to carry its light.
    void ExpectSmallSceneLoaded()
    {
        TRmRef<IDirect3DRMFrameArray> children;
        ASSERT_EQ(FScene->GetChildren(children.Put()), S_OK);
        ASSERT_EQ(children->GetSize(), 1u);
        TRmRef<IDirect3DRMFrame> host;
        ASSERT_EQ(children->GetElement(0, host.Put()), S_OK);
        EXPECT_EQ(NameOf(host.Get()), "SmallSceneHost");
        EXPECT_EQ(LightNamesOf(host.Get()), std::vector<std::string>{"Lamp"});
    }

    DWORD ChildCount()
    {
        TRmRef<IDirect3DRMFrameArray> children;
        FScene->GetChildren(children.Put());
        return children ? children->GetSize() : 0;
    }

    TMessageBoxScript FBoxes;
    TRmRef<IDirect3DRM> FRM;
    TRmRef<IDirect3DRMFrame> FScene;
};

TEST_F(SceneReaderTest, LoadsAFileWithItsRecords)
{
    TTempSceneFile file(kSmallScene);
    EXPECT_EQ(LoadSceneFile(FScene.Get(), file.Path().c_str(), nullptr), S_OK);
    EXPECT_EQ(LastLoadResult, S_OK);
    ExpectSmallSceneLoaded();
}

TEST_F(SceneReaderTest, LoadsAResourceByNumber)
{
    EXPECT_EQ(LoadSceneID(FScene.Get(), WORD{7}, nullptr), S_OK);
    ExpectSmallSceneLoaded();
}

TEST_F(SceneReaderTest, HandsTheTextureCallbackToTheLoader)
{
    gTexturesAskedFor.clear();
    TTempSceneFile file(kTexturedScene);
    EXPECT_EQ(LoadSceneFile(FScene.Get(), file.Path().c_str(), RecordTextureName), S_OK);
    EXPECT_EQ(LoadSceneID(FScene.Get(), "TEXTURED_SCENE", RecordTextureName), S_OK);
    EXPECT_EQ(gTexturesAskedFor, (std::vector<std::string>{"stone.ppm", "stone.ppm"}));
}

TEST_F(SceneReaderTest, FailuresGiveTheirResults)
{
    TTempSceneFile file(kSmallScene);
    const std::string path = file.Path();
    struct Case {
        const char* Label;
        HRESULT (*Load)(IDirect3DRMFrame*, const std::string&);
        bool WithFrame;
        HRESULT Result;  // 0: any failure of the library's loader
    } cases[] = {
        {"null frame, resource", [](IDirect3DRMFrame* f, const std::string&) { return LoadSceneID(f, "ZTARN_SCENE", nullptr); },
         false, D3DRMERR_BADVALUE},
        {"null frame, number", [](IDirect3DRMFrame* f, const std::string&) { return LoadSceneID(f, WORD{7}, nullptr); },
         false, D3DRMERR_BADVALUE},
        {"null frame, file", [](IDirect3DRMFrame* f, const std::string& p) { return LoadSceneFile(f, p.c_str(), nullptr); },
         false, D3DRMERR_BADVALUE},
        {"null file name", [](IDirect3DRMFrame* f, const std::string&) { return LoadSceneFile(f, nullptr, nullptr); },
         true, D3DRMERR_BADVALUE},
        {"null resource name",
         [](IDirect3DRMFrame* f, const std::string&) { return LoadSceneID(f, static_cast<const char*>(nullptr), nullptr); },
         true, D3DRMERR_BADVALUE},
        {"missing resource", [](IDirect3DRMFrame* f, const std::string&) { return LoadSceneID(f, "NO_SUCH_SCENE", nullptr); },
         true, 0},
        {"missing number", [](IDirect3DRMFrame* f, const std::string&) { return LoadSceneID(f, WORD{8}, nullptr); },
         true, 0},
        {"missing file", [](IDirect3DRMFrame* f, const std::string& p) { return LoadSceneFile(f, (p + ".missing").c_str(), nullptr); },
         true, 0},
    };
    for (const Case& c : cases) {
        LastLoadResult = S_FALSE;
        const HRESULT result = c.Load(c.WithFrame ? FScene.Get() : nullptr, path);
        if (c.Result)
            EXPECT_EQ(result, c.Result) << c.Label;
        else
            EXPECT_LT(result, 0) << c.Label;
        EXPECT_EQ(LastLoadResult, result) << c.Label;
        EXPECT_EQ(ChildCount(), 0u) << c.Label;
    }
    EXPECT_TRUE(FBoxes.Shown().empty());
}

}  // namespace
