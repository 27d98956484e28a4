#include "platform/sys/executable_path.h"
#include "platform/sys/guid.h"
#include "platform/sys/resources.h"
#include "platform/sys/system_messages.h"
#include "platform/sys/trace.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char kSample[] = "xof 0302txt 0064";
const ResourceRegistration sampleResource("ZTARN_TEST", "X", kSample, sizeof kSample - 1);

TEST(Resources, FoundByNameAndTypeIgnoringCase)
{
    const auto found = FindResource("ztarn_test", "x");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Size, sizeof kSample - 1);
    EXPECT_EQ(std::memcmp(found->Data, kSample, found->Size), 0);
    EXPECT_FALSE(FindResource("ZTARN_TEST", "ICON"));
    EXPECT_FALSE(FindResource("MISSING", "X"));
}

TEST(Trace, CaptureCollectsLinesAndNests)
{
    TraceCapture outer;
    OutputDebugString("one\n");
    {
        TraceCapture inner;
        OutputDebugString("two\n");
        EXPECT_EQ(inner.Lines(), std::vector<std::string>{"two\n"});
    }
    OutputDebugString("three\n");
    EXPECT_EQ(outer.Lines(), (std::vector<std::string>{"one\n", "three\n"}));
}

TEST(Guid, TextRoundTripAndRejection)
{
    const GUID guid{0x1A2B3C4D, 0x5E6F, 0x0718, {0x29, 0x3A, 0x4B, 0x5C, 0x6D, 0x7E, 0x8F, 0x90}};
    EXPECT_EQ(GuidToString(guid), "{1A2B3C4D-5E6F-0718-293A-4B5C6D7E8F90}");
    EXPECT_EQ(StringToGuid("{1a2b3c4d-5e6f-0718-293a-4b5c6d7e8f90}"), guid);
    for (const char* bad : {"", "{1A2B3C4D-5E6F-0718-293A-4B5C6D7E8F9}", "{1A2B3C4D-5E6F-0718-293A-4B5C6D7E8F9G}",
                            "1A2B3C4D-5E6F-0718-293A-4B5C6D7E8F90xx", "{1A2B3C4D+5E6F-0718-293A-4B5C6D7E8F90}"})
        EXPECT_FALSE(StringToGuid(bad)) << bad;
}

TEST(SystemMessages, CommonCodesEndWithLineBreak)
{
    EXPECT_EQ(SystemMessageText(E_NOINTERFACE), "No such interface supported\r\n");
    EXPECT_EQ(SystemMessageText(E_FAIL), "Unspecified error\r\n");
    EXPECT_FALSE(SystemMessageText(S_FALSE));
}

TEST(ExecutablePath, NamesThisProgramAndSwapsExtension)
{
    EXPECT_NE(ExecutablePath().find("test_sys"), std::string::npos);
    EXPECT_EQ(ChangeFileExt("/opt/z.tarn/ztarn", ".ini"), "/opt/z.tarn/ztarn.ini");
    EXPECT_EQ(ChangeFileExt("/opt/ztarn.exe", ".ini"), "/opt/ztarn.ini");
}

}  // namespace
