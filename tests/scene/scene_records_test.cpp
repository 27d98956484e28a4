// The custom records as the reader takes them: a table of small texts run through
// ReadAdditionalData against a few named objects.
#include "scene/scene_reader.h"
#include "scene/scene_records.h"
#include "scene_test_support.h"

#include "platform/ui/message_box.h"
#include "rmkit/wraps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A point light record "YF_Light <head> {<frame field>; ...}" with the cube scene's values.
std::string LightRecord(const std::string& head, const std::string& frameField)
{
    return head + " {" + frameField + "; \"\"; 1; 1.0; 0.0; 0.0;; 1.0; 1.0; 1.0;; 0.5; 256.0;}\r\n";
}

const std::string kLightTemplate =
    "template YF_Light {\r\n <F3BBF980-7B14-11d1-BFE2-444553540000>\r\n STRING   FrameName;\r\n"
    " STRING   EnableFrameName;\r\n BYTE     LightType;\r\n Vector   Attenuation;\r\n"
    " ColorRGB Color;\r\n DOUBLE   Penumbra;\r\n DOUBLE   Range;\r\n}\r\n\r\n";
const std::string kWrapTemplate =
    "template YF_Wrap {\r\n <2557EAA0-35E4-11D2-AB8B-444553540000>\r\n STRING   BuilderName;\r\n"
    " STRING   RefFrameName;\r\n BYTE     WrapType;\r\n Vector   Origin;\r\n Vector   Direction;\r\n"
    " Vector   Up;\r\n FLOAT    OriginU;\r\n FLOAT    OriginV;\r\n FLOAT    ScaleU;\r\n FLOAT    ScaleV;\r\n}\r\n";

// A scene root with the frames "LightHost" and "EnableHost" and the mesh builder "Cubie".
class SceneRecordsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Direct3DRMCreate(FRM.Put()), S_OK);
        ASSERT_EQ(FRM->CreateFrame(nullptr, FScene.Put()), S_OK);
        ASSERT_EQ(FRM->CreateFrame(FScene.Get(), FLightHost.Put()), S_OK);
        ASSERT_EQ(FRM->CreateFrame(FScene.Get(), FEnableHost.Put()), S_OK);
        ASSERT_EQ(FRM->CreateMeshBuilder(FCubie.Put()), S_OK);
        FLightHost->SetName("LightHost");
        FEnableHost->SetName("EnableHost");
        FCubie->SetName("Cubie");
        D3DVECTOR vertices[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        DWORD faces[] = {3, 0, 1, 2, 0};
        ASSERT_EQ(FCubie->AddFaces(3, vertices, 0, nullptr, faces, nullptr), S_OK);
        ASSERT_EQ(FLightHost->AddVisual(FCubie.Get()), S_OK);
    }

    TWrap* CubieWrap()
    {
        auto* appData = reinterpret_cast<TAppData*>(FCubie->GetAppData());
        return appData ? appData->Wrap : nullptr;
    }

    TMessageBoxScript FBoxes;  // a failed call would be reported; none is expected
    TRmRef<IDirect3DRM> FRM;
    TRmRef<IDirect3DRMFrame> FScene;
    TRmRef<IDirect3DRMFrame> FLightHost;
    TRmRef<IDirect3DRMFrame> FEnableHost;
    TRmRef<IDirect3DRMMeshBuilder> FCubie;
};

struct LightTextCase {
    const char* Label;
    std::string Text;
    HRESULT Result;
    std::vector<std::string> Lights;  // names of the lights on "LightHost" afterwards
};

class LightTextTest : public SceneRecordsTest, public testing::WithParamInterface<LightTextCase> {};

TEST_P(LightTextTest, CreatesTheRecordsLights)
{
    const LightTextCase& c = GetParam();
    EXPECT_EQ(ReadAdditionalData(c.Text), c.Result);
    EXPECT_EQ(LastLoadResult, c.Result);
    EXPECT_EQ(LightNamesOf(FLightHost.Get()), c.Lights);
    EXPECT_TRUE(FBoxes.Shown().empty());
}

const std::string kHost = "\"LightHost\"";

INSTANTIATE_TEST_SUITE_P(
    Rules, LightTextTest,
    testing::Values(
        LightTextCase{"NoRecords", "xof 0302txt 0064\r\nHeader {1; 0; 1;}\r\n", S_OK, {}},
        LightTextCase{"RecordWithName", LightRecord("YF_Light POINT", kHost), S_OK, {"POINT"}},
        LightTextCase{"KeywordAgainstBraceIsNoRecord", LightRecord("YF_Light", kHost).erase(8, 1), S_OK, {}},
        LightTextCase{"KeywordBlankBraceGivesEmptyName", LightRecord("YF_Light", kHost), S_OK, {""}},
        LightTextCase{"BlankInQuotedNameIsDropped", LightRecord("YF_Light L", "\"Light Host\""), S_OK, {"L"}},
        LightTextCase{"CommentInQuotedNameGoesOnAfterLf",
                      LightRecord("YF_Light L", "\"Light# not here }\nHost\""), S_OK, {"L"}},
        LightTextCase{"PieceOfCutWordStartsRecord", LightRecord("0123456789YF_Light L", kHost), S_OK, {"L"}},
        LightTextCase{"CutDropsFirstCharacterOfRest", LightRecord("012345678YF_Light L", kHost), S_OK, {}},
        LightTextCase{"MissingClosingBrace",
                      LightRecord("YF_Light A", kHost) + "YF_Light B {" + kHost + "; \"\"; 1; 1;0;0;; 1;1;1;; 0.5; 256;",
                      D3DRMERR_BADFILE, {"A"}},
        LightTextCase{"TextAfterLastFieldWithoutBrace",
                      LightRecord("YF_Light A", kHost) + "YF_Light B {" + kHost + "; \"\"; 1; 1;0;0;; 1;1;1;; 0.5; 256; x",
                      D3DRMERR_BADFILE, {"A"}},
        LightTextCase{"RecordCutShort", LightRecord("YF_Light A", kHost) + "YF_Light B {" + kHost, D3DRMERR_BADFILE, {"A"}},
        LightTextCase{"KeywordAtEnd", "YF_Light", D3DRMERR_BADFILE, {}},
        LightTextCase{"FrameNotFound", LightRecord("YF_Light A", "\"NoSuchFrame\""), S_OK, {}},
        LightTextCase{"EmptyFrameName", LightRecord("YF_Light A", "\"\""), S_OK, {}},
        LightTextCase{"UnquotedOneCharacterName", LightRecord("YF_Light A", "L"), S_OK, {}},
        LightTextCase{"NameOfABuilderIsNoFrame", LightRecord("YF_Light A", "\"Cubie\""), S_OK, {}},
        LightTextCase{"UnknownLightTypeCreatesNothing",
                      "YF_Light A {" + kHost + "; \"\"; 9; 1;0;0;; 1;1;1;; 0.5; 256;}", S_OK, {}},
        LightTextCase{"TemplatesAreSkippedWhole",
                      kLightTemplate + kWrapTemplate + "template Other {\r\n" + LightRecord("YF_Light X", kHost) +
                          "}\r\n" + LightRecord("YF_Light A", kHost),
                      S_OK, {"A"}},
        LightTextCase{"CommentedRecordIsNotRead",
                      "#Additional data for Y-Forge:\r\n// " + LightRecord("YF_Light X", kHost) +
                          LightRecord("YF_Light A", kHost),
                      S_OK, {"A"}},
        LightTextCase{"RecordsAnywhereInText",
                      LightRecord("YF_Light A", kHost) + "Frame F {\r\n" + LightRecord("YF_Light B", kHost) + "}\r\n",
                      S_OK, (std::vector<std::string>{"A", "B"})}),
    [](const testing::TestParamInfo<LightTextCase>& info) { return std::string(info.param.Label); });

TEST_F(SceneRecordsTest, SetsEveryValueOfTheLight)
{
    const std::string text =
        "YF_Light Spot {\"LightHost\"; \"EnableHost\"; 2; 0.5; 0.25; 0.125;; 1.0; 0.5; 0.0;; 0.7; 100.0;}\r\n"
        "YF_Light Wide {\"LightHost\"; \"NoSuchFrame\"; 257; 1;0;0;; 0;0;1;; 0.5; 256;}\r\n";
    ASSERT_EQ(ReadAdditionalData(text), S_OK);

    const std::vector<TLightView> lights = LightsOf(FLightHost.Get());
    ASSERT_EQ(lights.size(), 2u);
    EXPECT_EQ(lights[0].Name, "Spot");
    EXPECT_EQ(lights[0].Type, D3DRMLIGHT_SPOT);
    EXPECT_EQ(lights[0].Color, D3DRMCreateColorRGB(1.0f, 0.5f, 0.0f));
    EXPECT_FLOAT_EQ(lights[0].Attenuation.x, 0.5f);
    EXPECT_FLOAT_EQ(lights[0].Attenuation.y, 0.25f);
    EXPECT_FLOAT_EQ(lights[0].Attenuation.z, 0.125f);
    EXPECT_FLOAT_EQ(lights[0].Penumbra, 0.7f);
    EXPECT_FLOAT_EQ(lights[0].Range, 100.0f);
    EXPECT_EQ(lights[0].EnableFrame, "EnableHost");

    EXPECT_EQ(lights[1].Name, "Wide");
    EXPECT_EQ(lights[1].Type, D3DRMLIGHT_POINT);  // 257 keeps its low 8 bits
    EXPECT_EQ(lights[1].EnableFrame, "");         // an enable frame that is not found is left out
}

// "YF_Wrap Cubie {...}" with the given wrap type, origin x and scale v.
std::string WrapRecord(const std::string& builder, int type, float ox, float sv)
{
    return "YF_Wrap " + builder + " {\"LightHost\"; " + std::to_string(type) + "; " + std::to_string(ox) +
           "; 0.0; 0.0;; 0.0; 0.0; 1.0;; 0.0; 1.0; 0.0;; 0.5; 0.25; 2.0; " + std::to_string(sv) + ";}\r\n";
}

TEST_F(SceneRecordsTest, WrapRecordsKeepOneWrapPerBuilderWithTheLastValues)
{
    ASSERT_EQ(ReadAdditionalData(WrapRecord("Cubie", 0, 1.0f, 1.0f)), S_OK);
    auto* appData = reinterpret_cast<TAppData*>(FCubie->GetAppData());
    ASSERT_NE(appData, nullptr);
    TWrap* wrap = appData->Wrap;
    ASSERT_NE(wrap, nullptr);

    ASSERT_EQ(ReadAdditionalData(kWrapTemplate + WrapRecord("Cubie", 1, 2.0f, 3.0f) + WrapRecord("Cubie", 2, 4.0f, 5.0f)),
              S_OK);
    EXPECT_EQ(reinterpret_cast<TAppData*>(FCubie->GetAppData()), appData);
    ASSERT_EQ(appData->Wrap, wrap);
    EXPECT_EQ(static_cast<int>(wrap->type), 2);
    EXPECT_FLOAT_EQ(wrap->ox, 4.0f);
    EXPECT_FLOAT_EQ(wrap->dz, 1.0f);
    EXPECT_FLOAT_EQ(wrap->uy, 1.0f);
    EXPECT_FLOAT_EQ(wrap->ou, 0.5f);
    EXPECT_FLOAT_EQ(wrap->ov, 0.25f);
    EXPECT_FLOAT_EQ(wrap->su, 2.0f);
    EXPECT_FLOAT_EQ(wrap->sv, 5.0f);
    EXPECT_EQ(wrap->IObject, static_cast<IDirect3DRMObject*>(FCubie.Get()));
    EXPECT_EQ(wrap->IFrameRef, nullptr);  // the record's reference frame is not kept
    EXPECT_NE(wrap->IWrap, nullptr);
    EXPECT_TRUE(FBoxes.Shown().empty());
}

TEST_F(SceneRecordsTest, WrapRecordsWithoutABuilderDoNothing)
{
    const std::string text = WrapRecord("NoSuchBuilder", 0, 1, 1) + WrapRecord("LightHost", 0, 1, 1) +
                             "YF_Wrap {\"\"; 0; 0;0;0;; 0;1;0;; 0;0;1;; 0;0;1;1;}\r\n";
    EXPECT_EQ(ReadAdditionalData(text), S_OK);
    EXPECT_EQ(FCubie->GetAppData(), 0u);
    EXPECT_EQ(FLightHost->GetAppData(), 0u);
}

TEST_F(SceneRecordsTest, MissingBraceInWrapRecordFailsAfterEarlierWraps)
{
    std::string text = WrapRecord("Cubie", 0, 1, 1) + WrapRecord("Cubie", 1, 2, 2);
    text.resize(text.size() - 3);  // drops "}\r\n" of the second record
    EXPECT_EQ(ReadAdditionalData(text), D3DRMERR_BADFILE);
    ASSERT_NE(CubieWrap(), nullptr);
    EXPECT_FLOAT_EQ(CubieWrap()->ox, 1.0f);
}

TEST_F(SceneRecordsTest, BadLightRecordStopsBeforeTheWrapPass)
{
    const std::string text = WrapRecord("Cubie", 0, 1, 1) + "YF_Light A {\"LightHost\"; \"\"; 1;";
    EXPECT_EQ(ReadAdditionalData(text), D3DRMERR_BADFILE);
    EXPECT_EQ(FCubie->GetAppData(), 0u);
}

TEST_F(SceneRecordsTest, WrapDataGoesWithTheBuilder)
{
    TRmRef<IDirect3DRMMeshBuilder> loose;
    ASSERT_EQ(FRM->CreateMeshBuilder(loose.Put()), S_OK);
    loose->SetName("Loose");
    ASSERT_EQ(ReadAdditionalData(WrapRecord("Loose", 0, 1, 1)), S_OK);
    ASSERT_NE(loose->GetAppData(), 0u);
    loose.Reset();  // the destroy callback frees the TAppData and its TWrap (the leak check sees it)
}

}  // namespace
