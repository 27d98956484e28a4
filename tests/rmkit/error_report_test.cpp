#include "rmkit/error_report.h"

#include "platform/sys/trace.h"
#include "platform/ui/message_box.h"
#include "rmkit/error_names.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    HRESULT Code;
    const char* Text;
};

TEST(HResultText, NamesCodesByTheTableRule)
{
    const TextCase cases[] = {
        {0, "No Errors"},
        {static_cast<HRESULT>(0x887601C2u), "DDERR_SURFACELOST"},
        {static_cast<HRESULT>(0x88760314u), "D3DRMERR_BADFILE"},
        {static_cast<HRESULT>(0x88760005u), "DDERR_ALREADYINITIALIZED"},
        {static_cast<HRESULT>(0x80004005u), "DDERR_GENERIC"},          // id 16384, wraps around
        {static_cast<HRESULT>(0x80004001u), "DDERR_UNSUPPORTED"},      // id 16380
        {static_cast<HRESULT>(0x8007000Eu), "DDERR_OUTOFMEMORY"},      // id 9
        {static_cast<HRESULT>(0x800401F0u), "DDERR_NOTINITIALIZED"},   // id 491
        {static_cast<HRESULT>(0x80070005u), "DDERR_ALREADYINITIALIZED"},  // only the low 16 bits count
        {E_NOINTERFACE, "No such interface supported\r\n"},           // id 16381: no row, system text
        {1, "HRESULT string not found"},                               // success code without any text
        {static_cast<HRESULT>(0x88760006u), "HRESULT string not found"},  // id 1: no row
    };
    for (const auto& c : cases) EXPECT_EQ(HResultText(c.Code), c.Text) << std::hex << c.Code;
}

TEST(HResultText, TableHasEveryRowOnce)
{
    int rows = 0;
    for (int id = 0; id < 65536; ++id)
        if (!LoadErrorName(static_cast<std::uint16_t>(id)).empty()) ++rows;
    EXPECT_EQ(rows, 147);
    EXPECT_EQ(LoadErrorName(776), "D3DRMERR_BADOBJECT");
    EXPECT_EQ(LoadErrorName(758), "D3DERR_SCENE_END_FAILED");
}

TEST(ReportHResult, TracesAndAsksWithTheExactTexts)
{
    TMessageBoxScript boxes;
    boxes.QueueAnswer(IDNO);
    TraceCapture trace;
    ReportHResult("_Clear", 6, static_cast<HRESULT>(0x88760314u), "IPar->GetLights(&ILights)");
    // Reaching this line shows that No returns to the caller.

    const std::string report = "_Clear (6): D3DRMERR_BADFILE\nIPar->GetLights(&ILights)\nDo you want to abort execution?";
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].Text.toStdString(), report);
    EXPECT_EQ(boxes.Shown()[0].Caption, "HRESULT Failure");
    EXPECT_EQ(boxes.Shown()[0].Flags, 0x34);
    EXPECT_EQ(trace.Lines(), std::vector<std::string>{"Trace _Error 32: [Def] " + report + "\n\r"});
}

TEST(ReportHResult, SystemTextLeavesAnEmptyLineBeforeTheCall)
{
    EXPECT_EQ(HResultReportText("_Vport", 12, E_NOINTERFACE, "call"),
              "_Vport (12): No such interface supported\r\n\ncall\nDo you want to abort execution?");
}

TEST(ReportHResult, CutsReportAt1023AndTraceAt255Characters)
{
    const std::string longCall(2000, 'c');
    const std::string report = HResultReportText("_D3dView", 100, static_cast<HRESULT>(0x887601C2u), longCall.c_str());
    ASSERT_EQ(report.size(), 1023u);
    EXPECT_EQ(report.substr(0, 37), "_D3dView (100): DDERR_SURFACELOST\nccc");
    const std::string trace = HResultTraceLine(report);
    ASSERT_EQ(trace.size(), 255u);
    EXPECT_EQ(trace, ("Trace _Error 32: [Def] " + report).substr(0, 255));
    // A short report keeps its whole trace line with its "\n\r" ending.
    EXPECT_EQ(HResultTraceLine("x"), "Trace _Error 32: [Def] x\n\r");
}

TEST(ReportHResultDeathTest, YesEndsTheProcessWithCodeZeroAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TMessageBoxScript boxes;
            boxes.QueueAnswer(IDYES);
            TraceCapture trace;
            ReportHResult("_ConsDes", 57, E_FAIL, "IRM->GetNamedObject(...)");
            std::_Exit(3);  // reached only if the report returned
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
