#include "platform/sys/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("ztarn_profile_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "ztarn.ini").string();
    }
    void TearDown() override
    {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    void Put(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string Get() const
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir;
    std::string file;
};

TEST_F(ProfileTest, CreatesMissingFileWithSectionAndKey)
{
    ASSERT_TRUE(WritePrivateProfileString("D3DRMDevice", "Dither", "0", file));
    ASSERT_TRUE(WritePrivateProfileString("D3DRMDevice", "Shades", "32", file));
    ASSERT_TRUE(WritePrivateProfileString("LefPort", "Field", "6", file));
    EXPECT_EQ(Get(), "[D3DRMDevice]\nDither=0\nShades=32\n[LefPort]\nField=6\n");
}

TEST_F(ProfileTest, UpdatesOneKeyAndKeepsEverythingElse)
{
    Put("; saved settings\r\n[D3DRMDevice]\r\nDither=1\r\nShades=16\r\n\r\n[RenderStates]\r\n"
        "D3DRENDERSTATE_ZENABLE=0\r\n");
    // Names compare without regard to case; the key keeps its place.
    ASSERT_TRUE(WritePrivateProfileString("d3drmdevice", "SHADES", "64", file));
    // A new key goes after the last line of its section, before the blank line.
    ASSERT_TRUE(WritePrivateProfileString("D3DRMDevice", "Quality", "137", file));
    EXPECT_EQ(Get(), "; saved settings\n[D3DRMDevice]\nDither=1\nSHADES=64\nQuality=137\n\n[RenderStates]\n"
                     "D3DRENDERSTATE_ZENABLE=0\n");
}

TEST_F(ProfileTest, RejectsTextThatWouldBreakTheFileStructure)
{
    Put("[A]\nk=v\n");
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "two\nlines", file));
    EXPECT_FALSE(WritePrivateProfileString("A]", "k", "v", file));
    EXPECT_FALSE(WritePrivateProfileString("A", "k=x", "v", file));
    EXPECT_FALSE(WritePrivateProfileString("", "k", "v", file));
    EXPECT_EQ(Get(), "[A]\nk=v\n");
}

TEST_F(ProfileTest, FailsOnUnwritableFolderAndLeavesOldFile)
{
    Put("[A]\nk=old\n");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir.c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights that ignore permissions";
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "new", file));
    EXPECT_EQ(Get(), "[A]\nk=old\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary left";
}

TEST_F(ProfileTest, FailsWhenTheNameIsAFolderAndLeavesNoTemporary)
{
    fs::create_directory(dir / "sub.ini");
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "v", (dir / "sub.ini").string()));
    EXPECT_TRUE(fs::is_directory(dir / "sub.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(ProfileTest, FailsOnMissingFolder)
{
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "v", (dir / "missing" / "x.ini").string()));
}

}  // namespace
