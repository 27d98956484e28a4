// A lit scene seen through both viewport controls: two coloured boxes under a point light,
// rendered into the view's picture and grabbed as the widget shows it. The grab is kept in
// /tmp/ztarn_d3dvcs_view.png for a look at it.

#include "view_fixture.h"

#include "platform/rm/d3d_drivers.h"

#include <QImage>
#include <QPixmap>

#include <climits>
#include <cmath>
#include <vector>

namespace {

// A box of half-size `half` around `centre`, one colour, faces wound clockwise from outside.
IDirect3DRMMeshBuilder* MakeBox(IDirect3DRM* rm, D3DVECTOR centre, D3DVALUE half, D3DCOLOR color)
{
    D3DVECTOR corners[8];
    for (int i = 0; i < 8; ++i)
        corners[i] = {centre.x + ((i & 1) ? half : -half), centre.y + ((i & 2) ? half : -half),
                      centre.z + ((i & 4) ? half : -half)};
    D3DVECTOR normals[6] = {{0, 0, -1}, {0, 0, 1}, {-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}};
    const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {4, 6, 2, 0}, {1, 3, 7, 5}, {1, 5, 4, 0}, {2, 6, 7, 3}};
    DWORD data[6 * 9 + 1];
    int n = 0;
    for (int f = 0; f < 6; ++f) {
        data[n++] = 4;
        for (int v : faces[f]) {
            data[n++] = static_cast<DWORD>(v);
            data[n++] = static_cast<DWORD>(f);
        }
    }
    data[n] = 0;
    IDirect3DRMMeshBuilder* builder = nullptr;
    EXPECT_EQ(rm->CreateMeshBuilder(&builder), D3DRM_OK);
    EXPECT_EQ(builder->AddFaces(8, corners, 6, normals, data, nullptr), D3DRM_OK);
    builder->SetColor(color);
    return builder;
}

IDirect3DRMFrame* MakeCamera(TD3dView& view, IDirect3DRMFrame* target, D3DVECTOR at)
{
    IDirect3DRMFrame* camera = nullptr;
    view.IRM->CreateFrame(view.IScene, &camera);
    camera->SetPosition(view.IScene, at.x, at.y, at.z);
    camera->LookAt(target, view.IScene);
    return camera;
}

// Counts pixels of `image` in `area` whose colour leans clearly to one channel.
struct Tally {
    int Red = 0, Blue = 0;
};
Tally CountColours(const QImage& image, const QRect& area)
{
    Tally tally;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            tally.Red += c.red() > 80 && c.red() > 2 * c.green() && c.red() > 2 * c.blue();
            tally.Blue += c.blue() > 80 && c.blue() > 2 * c.red() && c.blue() > 2 * c.green();
        }
    return tally;
}

using PictureTest = ViewFixture;

TEST_F(PictureTest, BothViewportsShowTheLitBoxesFromOppositeCorners)
{
    IDirect3DRM* rm = View->IRM;
    IDirect3DRMFrame* boxes = nullptr;
    rm->CreateFrame(View->IScene, &boxes);
    IDirect3DRMMeshBuilder* red = MakeBox(rm, {-0.8f, 0.0f, 0.0f}, 0.6f, D3DRMCreateColorRGB(0.9f, 0.1f, 0.1f));
    IDirect3DRMMeshBuilder* blue = MakeBox(rm, {0.9f, 0.3f, 0.4f}, 0.5f, D3DRMCreateColorRGB(0.1f, 0.2f, 0.9f));
    boxes->AddVisual(red);
    boxes->AddVisual(blue);

    IDirect3DRMFrame* lamp = nullptr;
    IDirect3DRMLight* light = nullptr;
    rm->CreateFrame(View->IScene, &lamp);
    lamp->SetPosition(View->IScene, -2.0f, 5.0f, -4.0f);
    rm->CreateLightRGB(D3DRMLIGHT_POINT, 1.0f, 1.0f, 1.0f, &light);
    lamp->AddLight(light);

    IDirect3DRMFrame* leftCamera = MakeCamera(*View, boxes, {-3.0f, 2.2f, -3.6f});
    IDirect3DRMFrame* rightCamera = MakeCamera(*View, boxes, {3.0f, -2.2f, 3.6f});
    View->IRMDevice->SetQuality(D3DRMRENDER_GOURAUD);
    Left->SetCamera(leftCamera, false);
    Right->SetCamera(rightCamera, true);
    EXPECT_TRUE(Boxes.Shown().empty());

    const QImage shot = View->grab().toImage();
    ASSERT_EQ(shot.size(), View->size());
    const char* path = "/tmp/ztarn_d3dvcs_view.png";
    EXPECT_TRUE(shot.save(path));
    RecordProperty("screenshot", path);

    for (const TVport* port : {Left, Right}) {
        const Tally tally = CountColours(shot, port->geometry());
        EXPECT_GT(tally.Red, 500) << port->objectName().toStdString();
        EXPECT_GT(tally.Blue, 500) << port->objectName().toStdString();
    }

    for (IUnknown* object : std::initializer_list<IUnknown*>{leftCamera, rightCamera, light, lamp, red, blue, boxes})
        object->Release();
}

TEST_F(PictureTest, CullNoneShowsFacesTurnedAwayOnEveryNewDevice)
{
    // One square straight ahead of the default camera, wound counter-clockwise as the camera
    // sees it: its back is turned to the camera.
    D3DVECTOR corners[4] = {{-1, -1, 5}, {1, -1, 5}, {1, 1, 5}, {-1, 1, 5}};
    D3DVECTOR normal{0, 0, 1};
    DWORD data[] = {4, 0, 0, 1, 0, 2, 0, 3, 0, 0};
    IDirect3DRMMeshBuilder* square = nullptr;
    ASSERT_EQ(View->IRM->CreateMeshBuilder(&square), D3DRM_OK);
    ASSERT_EQ(square->AddFaces(4, corners, 1, &normal, data, nullptr), D3DRM_OK);
    square->SetColor(D3DRMCreateColorRGB(0.1f, 0.9f, 0.1f));
    View->IScene->AddVisual(square);
    const auto greenPixels = [&] {
        View->Redraw();
        const QImage shot = View->grab().toImage();
        int green = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                green += c.green() > 2 * c.red() && c.green() > 2 * c.blue();
            }
        return green;
    };

    EXPECT_EQ(greenPixels(), 0);
    View->SetCullNone(true);
    View->CreateDevice(nullptr);
    EXPECT_GT(greenPixels(), 1000);
    View->CreateDevice(&rm::Drivers()[1].guid);  // another device: forced again
    EXPECT_GT(greenPixels(), 1000);
    square->Release();
}

TEST(ViewSurface, PresentKeepsToTheBufferAndTheView)
{
    TD3dView view;
    view.resize(40, 30);
    std::vector<std::uint32_t> buffer(64 * 48, 0xFF00FF00u);  // a 64 x 48 device, all green
    struct Case {
        const char* What;
        rm::SurfaceRect Dirty;
        int Green;  // pixels of the view that are green afterwards
    };
    const Case cases[] = {
        {"empty", {5, 5, 5, 20}, 0},
        {"inverted", {20, 20, 10, 10}, 0},
        {"inside", {2, 3, 12, 8}, 10 * 5},
        {"past the view", {30, 20, 64, 48}, 10 * 10},
        {"everything and more", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 40 * 30},
    };
    for (const Case& c : cases) {
        view.Picture().fill(Qt::black);
        view.Present(buffer.data(), 64, 64, 48, c.Dirty);
        int green = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) green += view.Picture().pixel(x, y) == 0xFF00FF00u;
        EXPECT_EQ(green, c.Green) << c.What;
    }
    view.Present(nullptr, 64, 64, 48, {0, 0, 64, 48});  // no pixels: nothing
    view.Present(buffer.data(), 10, 64, 48, {0, 0, 64, 48});  // stride shorter than a row
}

}  // namespace
