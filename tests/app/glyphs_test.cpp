// The turn buttons' pictures: a red cube with the turned layer in yellow.
#include "app/glyphs.h"

#include <gtest/gtest.h>

#include <QImage>

#include <set>

namespace {

int CountColour(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += (image.pixel(x, y) & 0xFFFFFFu) == (colour & 0xFFFFFFu);
    return count;
}

TEST(TurnGlyphs, EachShowsItsOwnLayerInYellowOnARedCube)
{
    int yellow[10] = {};
    for (int turn = 1; turn <= 9; ++turn) {
        const QImage image = TurnGlyph(turn).toImage();
        ASSERT_EQ(image.size(), QSize(23, 23)) << turn;
        yellow[turn] = CountColour(image, qRgb(255, 255, 0));
        EXPECT_GT(yellow[turn], 0) << turn;
        EXPECT_GT(CountColour(image, qRgb(255, 0, 0)), 0) << turn;
        std::set<QRgb> distinct;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 23; ++x) distinct.insert(image.pixel(x, y));
        EXPECT_GE(distinct.size(), 3u) << turn;
    }
    // The layers at the front, right and top show a whole side in yellow; the others a band.
    for (int shown : {1, 4, 7})
        for (int band : {2, 3, 5, 6, 8, 9}) EXPECT_GT(yellow[shown], yellow[band]) << shown << " " << band;
    // No two buttons carry the same picture.
    for (int a = 1; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b) EXPECT_NE(TurnGlyph(a).toImage(), TurnGlyph(b).toImage()) << a << " " << b;
    EXPECT_TRUE(TurnGlyph(0).isNull());
    EXPECT_TRUE(TurnGlyph(10).isNull());
}

TEST(HistoryGlyphs, AreSixteenPixelPicturesThatDiffer)
{
    const QPixmap glyphs[] = {HomeGlyph(), BackGlyph(), ForwardGlyph(), EndGlyph(), SetupGlyph(), PauseGlyph()};
    for (const QPixmap& glyph : glyphs) EXPECT_EQ(glyph.size(), QSize(16, 16));
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b) EXPECT_NE(glyphs[a].toImage(), glyphs[b].toImage()) << a << " " << b;
    // Back and forward mirror each other.
    EXPECT_EQ(BackGlyph().toImage().mirrored(true, false), ForwardGlyph().toImage());
    EXPECT_EQ(HomeGlyph().toImage().mirrored(true, false), EndGlyph().toImage());
}

}  // namespace
