// Overlay drawing: points of the reference frame projected through a viewport onto the
// control, with (0, 0) meaning "not visible", and lines drawn into the view's picture.

#include "view_fixture.h"

#include <QImage>

namespace {

class OverlayTest : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        View->Redraw();
    }

    // Pixels of the picture that differ from `before` inside the control's area.
    static int ChangedPixels(const QImage& before, const QImage& after)
    {
        int changed = 0;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x) changed += before.pixel(x, y) != after.pixel(x, y);
        return changed;
    }
};

TEST_F(OverlayTest, ProjectsToTheControlsOwnPixels)
{
    int x = -1;
    int y = -1;
    Left->Project3D({0.0f, 0.0f, 5.0f}, x, y);  // straight ahead of the default camera
    EXPECT_EQ(QPoint(x, y), QPoint(Left->width() / 2, Left->height() / 2));
    Right->Project3D({0.0f, 0.0f, 5.0f}, x, y);
    EXPECT_EQ(QPoint(x, y), QPoint(Right->width() / 2, Right->height() / 2));
}

TEST_F(OverlayTest, PointsOutsideTheClippingRangeProjectToZero)
{
    struct Case {
        const char* What;
        D3DVECTOR Point;
    };
    for (const Case& c : {Case{"behind the camera", {0.0f, 0.0f, -5.0f}},
                          Case{"before the front plane", {0.0f, 0.0f, 0.5f}},
                          Case{"beyond the back plane", {0.0f, 0.0f, 500.0f}}}) {
        int x = -1;
        int y = -1;
        Left->Project3D(c.Point, x, y);
        EXPECT_EQ(QPoint(x, y), QPoint(0, 0)) << c.What;
    }

    TVport unplaced(View.get());  // no viewport yet
    int x = -1;
    int y = -1;
    unplaced.Project3D({0.0f, 0.0f, 5.0f}, x, y);
    EXPECT_EQ(QPoint(x, y), QPoint(0, 0));
}

TEST_F(OverlayTest, LinesFromOrToInvisiblePointsDrawNothing)
{
    Left->OverlayCanvas().Pen = QPen(Qt::magenta);
    const QImage before = View->Picture().copy();
    Left->Line3D({0.0f, 0.0f, -5.0f}, {0.5f, 0.5f, 5.0f});  // starts behind the camera
    Left->Line3D({0.5f, 0.5f, 5.0f}, {0.0f, 0.0f, 0.5f});   // ends before the front plane
    Left->TextOut3D({0.0f, 0.0f, -5.0f}, "hidden");
    EXPECT_EQ(ChangedPixels(before, View->Picture()), 0);

    Right->OverlayCanvas().Pen = QPen(Qt::magenta);
    Right->Line3D({-0.5f, -0.5f, 5.0f}, {0.5f, 0.5f, 5.0f});
    const QImage after = View->Picture();
    EXPECT_GT(ChangedPixels(before, after), 10);
    // Drawn inside the right control, with its corner as the origin.
    int x = 0;
    int y = 0;
    Right->Project3D({0.0f, 0.0f, 5.0f}, x, y);
    bool magentaNearCentre = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            magentaNearCentre |= after.pixel(Right->x() + x + dx, y + dy) == QColor(Qt::magenta).rgb();
    EXPECT_TRUE(magentaNearCentre);
    for (int py = 0; py < after.height(); ++py)
        for (int px = 0; px < Right->x(); ++px)
            ASSERT_EQ(after.pixel(px, py), before.pixel(px, py)) << "clipped to the right control";
}

// A display object that counts flips to the desktop surface and answers with `Result`.
struct CountingDirectDraw final : IDirectDraw {
    int Flips = 0;
    HRESULT Result = S_OK;
    HRESULT QueryInterface(REFIID, void** object) override
    {
        if (object) *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT CreateClipper(DWORD, IDirectDrawClipper**, IUnknown*) override { return E_NOTIMPL; }
    HRESULT EnumDisplayModes(DWORD, DDSURFACEDESC*, LPVOID, LPDDENUMMODESCALLBACK) override { return E_NOTIMPL; }
    HRESULT FlipToGDISurface() override
    {
        ++Flips;
        return Result;
    }
    HRESULT GetCaps(DDCAPS*, DDCAPS*) override { return E_NOTIMPL; }
};

TEST_F(OverlayTest, TheCanvasFlipsToTheDesktopSurfaceOncePerRender)
{
    CountingDirectDraw counting;
    IDirectDraw* own = View->IDDraw;
    View->IDDraw = &counting;

    Left->OverlayCanvas();
    Right->OverlayCanvas();
    EXPECT_EQ(counting.Flips, 1);
    View->Redraw();
    Left->OverlayCanvas();
    EXPECT_EQ(counting.Flips, 2);

    View->Tick();
    counting.Result = E_FAIL;  // a failed flip is tried again at the next call
    Left->OverlayCanvas();
    Left->OverlayCanvas();
    EXPECT_EQ(counting.Flips, 4);

    View->IDDraw = own;
}

}  // namespace
