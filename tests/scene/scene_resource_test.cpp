// The cube scene is compiled into the program byte for byte as the resource "ZTARN_SCENE".
#include "platform/sys/resources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

TEST(SceneResourceTest, EmbedsTheSceneFileUnchanged)
{
    std::ifstream file(ZTARN_SCENE_FILE, std::ios::binary);
    ASSERT_TRUE(file);
    const std::string expected{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};

    const auto resource = FindResource("ZTARN_SCENE", "X");
    ASSERT_TRUE(resource.has_value());
    ASSERT_EQ(resource->Size, expected.size());
    EXPECT_EQ(std::string(static_cast<const char*>(resource->Data), resource->Size), expected);
    EXPECT_TRUE(FindResource("ztarn_scene", "x").has_value());  // names compare without case
}
