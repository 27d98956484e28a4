// Truncated and garbled texts through the record passes: whatever the text, the reader ends
// without reading outside it (the sanitizers watch) and with a defined result.
#include "scene/scene_reader.h"
#include "scene/scene_records.h"
#include "scene_test_support.h"

#include "platform/sys/resources.h"
#include "platform/ui/message_box.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

class SceneFuzzTest : public testing::Test {
protected:
    void SetUp() override
    {
        // Objects with the names the texts use, so that records get carried out.
        ASSERT_EQ(Direct3DRMCreate(FRM.Put()), S_OK);
        ASSERT_EQ(FRM->CreateFrame(nullptr, FScene.Put()), S_OK);
        ASSERT_EQ(FRM->CreateFrame(FScene.Get(), FCamera.Put()), S_OK);
        ASSERT_EQ(FRM->CreateMeshBuilder(FBuilder.Put()), S_OK);
        FCamera->SetName("RightCameraFrame");
        FBuilder->SetName("C1");
    }

    static void ExpectDefinedResult(std::string_view text)
    {
        const HRESULT result = ReadAdditionalData(text);
        EXPECT_TRUE(result == S_OK || result == D3DRMERR_BADFILE) << std::string(text.substr(0, 80));
    }

    TMessageBoxScript FBoxes;  // answers any report of a garbled wrap with No
    TRmRef<IDirect3DRM> FRM;
    TRmRef<IDirect3DRMFrame> FScene;
    TRmRef<IDirect3DRMFrame> FCamera;
    TRmRef<IDirect3DRMMeshBuilder> FBuilder;
};

TEST_F(SceneFuzzTest, TruncatedTextsEndCleanly)
{
    const std::string records =
        "template YF_Light { <F3BBF980-7B14-11d1-BFE2-444553540000> STRING FrameName; }\r\n"
        "YF_Light POINT {\"RightCameraFrame\"; \"RightCameraFrame\"; 1; 1.0; 0.0; 0.0;; 1.0; 1.0; 1.0;; 0.5; 256.0;}\r\n"
        "YF_Wrap C1 {\"RightCameraFrame\"; 1; 0.0; 0.0; 0.0;; 0.0; 1.0; 0.0;; 0.0; 0.0; 1.0;; 0.0; 0.0; 1.0; 1.0;}\r\n";
    // Copies of each prefix end exactly at the cut, so reading one byte past it is caught.
    for (std::size_t length = 0; length <= records.size(); ++length)
        ExpectDefinedResult(std::string(records, 0, length));

    const auto scene = FindResource("ZTARN_SCENE", "X");
    ASSERT_TRUE(scene.has_value());
    const std::string_view text(static_cast<const char*>(scene->Data), scene->Size);
    for (std::size_t length = 0; length <= text.size(); length += 61)
        ExpectDefinedResult(std::string(text.substr(0, length)));
    ExpectDefinedResult(text);
}

TEST_F(SceneFuzzTest, GarbageEndsCleanly)
{
    // Texts made mostly of the characters and words the reader acts on.
    const std::string pieces[] = {"YF_Light", "YF_Wrap", "template", "{", "}", ";", ";;", "\"", "/", "#", "\n", " ",
                            "\r\n", "\"RightCameraFrame\"", "\"C1\"", "C1", "1", "-3", "1e40", "nan", "0.5",
                            "0123456789", std::string(300, 'x'), std::string(1, '\0')};
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> count(1, 60);
    for (int round = 0; round < 400; ++round) {
        std::string text;
        for (int n = count(random); n > 0; --n)
            text += pieces[pick(random)];
        ExpectDefinedResult(text);
    }
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 100; ++round) {
        std::string text;
        for (int n = count(random) * 4; n > 0; --n)
            text += static_cast<char>(byte(random));
        ExpectDefinedResult(text);
    }
}

}  // namespace
