// The scene reader's token rules: words and fields, cuts, blanks, comments, the text's end.
#include "scene/scene_fields.h"
#include "scene/scene_tokens.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

struct TokenCase {
    const char* Label;
    std::string Text;
    std::size_t Size;  // buffer size handed over (0: no buffer)
    char Delimiter;
    bool Found;
    std::string Token;  // buffer after the read
    std::string Rest;   // text left after the read
};

class NextTokenTest : public testing::TestWithParam<TokenCase> {};

TEST_P(NextTokenTest, ReadsTokenAndLeavesRest)
{
    const TokenCase& c = GetParam();
    TSceneCursor cursor = SceneCursorOver(c.Text);
    char buffer[300];
    std::strcpy(buffer, "untouched");
    const bool found = NextToken(&cursor, c.Size ? buffer : nullptr, c.Size, c.Delimiter);
    EXPECT_EQ(found, c.Found);
    if (c.Size) {
        EXPECT_EQ(std::string(buffer), c.Token);
    }
    EXPECT_EQ(std::string(cursor.Pos, cursor.End), c.Rest);
}

const std::string kLongName(300, 'n');

INSTANTIATE_TEST_SUITE_P(
    Rules, NextTokenTest,
    testing::Values(
        TokenCase{"WordEndsAtBlank", "  abc def", 10, 0, true, "abc", "def"},
        TokenCase{"WordCutAfterNineTenthDropped", "ABCDEFGHIJKLM", 10, 0, true, "ABCDEFGHI", "KLM"},
        TokenCase{"NineCharacterWordAtEnd", "ABCDEFGHI", 10, 0, true, "ABCDEFGHI", ""},
        TokenCase{"WordAtEndWithoutBlank", "abc", 10, 0, true, "abc", ""},
        TokenCase{"KeywordAgainstBraceIsOneWord", "YF_Light{\"F\";", 10, 0, true, "YF_Light{", "F\";"},
        TokenCase{"BraceIsNoWordDelimiter", "a{b c", 10, 0, true, "a{b", "c"},
        TokenCase{"FieldDropsBlanks", " a b\t\r\nc ;rest", 256, ';', true, "abc", "rest"},
        TokenCase{"FieldOfBlanksIsEmpty", "   ;x", 256, ';', true, "", "x"},
        TokenCase{"CommentInsideFieldGoesOnAfterLf", "\"Right#c}\nCamera\";x", 256, ';', true,
                  "\"RightCamera\"", "x"},
        TokenCase{"SlashStartsComment", "ab/c;\nd;e", 256, ';', true, "abd", "e"},
        TokenCase{"QuotesAreOrdinary_SemicolonInsideEnds", "\"a;b\";", 256, ';', true, "\"a", "b\";"},
        TokenCase{"NumberFieldCutAtNine", "12345678901;", 10, ';', true, "123456789", "1;"},
        TokenCase{"CutDropsDelimiterRightAfter", "123456789;next;", 10, ';', true, "123456789", "next;"},
        TokenCase{"NameFieldRoom255", kLongName + "{", 256, '{', true, std::string(255, 'n'),
                  std::string(44, 'n') + "{"},
        TokenCase{"FieldRunsToEndWithoutDelimiter", "abc", 256, ';', true, "abc", ""},
        TokenCase{"NoBufferSkipsWholeField", "x y z;after", 0, ';', true, "", "after"},
        TokenCase{"EmptyTextLeavesBuffer", "", 10, 0, false, "untouched", ""},
        TokenCase{"OnlyBlanksAndComments", "  # c1\n / c2\n\t", 10, 0, false, "", ""},
        TokenCase{"CommentToEndInsideWord", "ab/cd", 10, 0, false, "ab", ""},
        TokenCase{"ZeroByteEndsText", std::string("ab\0cd", 5), 10, 0, true, "ab", ""}),
    [](const testing::TestParamInfo<TokenCase>& info) { return std::string(info.param.Label); });

TEST(NextTokenTest, NoCursorOrEndedCursorFindsNothing)
{
    EXPECT_FALSE(NextToken(nullptr, nullptr, 0, 0));
    TSceneCursor empty;
    EXPECT_FALSE(NextToken(&empty, nullptr, 0, ';'));
}

TEST(ScanTokenTest, TellsHowTheTokenEnded)
{
    struct Case {
        const char* Text;
        char Delimiter;
        TTokenStop Stop;
    } cases[] = {
        {"a;", ';', TTokenStop::Delimiter},    {"a", ';', TTokenStop::TextEnd},
        {"  ", ';', TTokenStop::NoText},       {"0123456789;", ';', TTokenStop::BufferFull},
        {"abc def", 0, TTokenStop::Delimiter}, {"a #}", '}', TTokenStop::NoText},
    };
    for (const Case& c : cases) {
        TSceneCursor cursor = SceneCursorOver(c.Text);
        char buffer[10];
        EXPECT_EQ(ScanToken(&cursor, buffer, sizeof buffer, c.Delimiter), c.Stop) << c.Text;
    }
}

TEST(SkipBlockTest, StopsAfterTheClosingBrace)
{
    struct Case {
        const char* Text;
        const char* Rest;
    } cases[] = {
        {"a{b}c}rest", "rest"},
        {"x # } {\n}after", "after"},      // braces in comments do not count
        {"x / {\n}after", "after"},
        {"{{ never closed }", ""},          // the end of the text ends the block
        {"}", ""},
    };
    for (const Case& c : cases) {
        TSceneCursor cursor = SceneCursorOver(c.Text);
        SkipBlock(&cursor);
        EXPECT_EQ(std::string(cursor.Pos, cursor.End), c.Rest) << c.Text;
    }
}

TEST(SceneFieldsTest, ConvertsNumbersAndStrings)
{
    EXPECT_EQ(SceneInteger("1"), 1);
    EXPECT_EQ(SceneInteger("260x"), 260);
    EXPECT_EQ(SceneInteger("x1"), 0);
    EXPECT_EQ(SceneInteger(""), 0);
    EXPECT_EQ(SceneInteger("-3"), -3);
    EXPECT_FLOAT_EQ(SceneFloat("0.5"), 0.5f);
    EXPECT_FLOAT_EQ(SceneFloat("256.0"), 256.0f);
    EXPECT_FLOAT_EQ(SceneFloat("-7.37e-09"), -7.37e-09f);
    EXPECT_FLOAT_EQ(SceneFloat("abc"), 0.0f);
    EXPECT_TRUE(std::isinf(SceneFloat("1e99")));
    EXPECT_EQ(SceneString("\"Frame\""), "Frame");
    EXPECT_EQ(SceneString("\"\""), "");
    EXPECT_EQ(SceneString("x"), "");  // fewer than two characters: empty
    EXPECT_EQ(SceneString(""), "");
}

}  // namespace
