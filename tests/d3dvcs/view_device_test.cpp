// The view's device and the viewports it makes for its viewport controls: creation at screen
// size, settings carried to a re-created device, resizing, driver failures and the teardown order.

#include "view_fixture.h"

#include "platform/rm/d3d_drivers.h"
#include "platform/rm/errors.h"
#include "platform/sys/screen_metrics.h"
#include "rmkit/error_report.h"

#include <QStringList>

#include <vector>

namespace {

struct ViewportSettings {
    D3DRMPROJECTIONTYPE Projection;
    D3DVALUE Field, Front, Back;
    D3DVALUE Plane[4];
    IDirect3DRMFrame* Camera;
};

ViewportSettings SettingsOf(IDirect3DRMViewport* vp)
{
    ViewportSettings s{};
    s.Projection = vp->GetProjection();
    s.Field = vp->GetField();
    s.Front = vp->GetFront();
    s.Back = vp->GetBack();
    vp->GetPlane(&s.Plane[0], &s.Plane[1], &s.Plane[2], &s.Plane[3]);
    vp->GetCamera(&s.Camera);
    if (s.Camera) s.Camera->Release();
    return s;
}

void ExpectBounds(IDirect3DRMViewport* vp, const QWidget* control)
{
    ASSERT_NE(vp, nullptr);
    EXPECT_EQ(vp->GetX(), control->x());
    EXPECT_EQ(vp->GetY(), control->y());
    EXPECT_EQ(vp->GetWidth(), static_cast<DWORD>(control->width()));
    EXPECT_EQ(vp->GetHeight(), static_cast<DWORD>(control->height()));
}

using DeviceTest = ViewFixture;

TEST_F(DeviceTest, OneScreenSizedDeviceWithAViewportPerControlNamedAfterIt)
{
    ASSERT_NE(View->IRMDevice, nullptr);
    EXPECT_EQ(View->IRMDevice->GetWidth(), static_cast<DWORD>(GetScreenSize().Width));
    EXPECT_EQ(View->IRMDevice->GetHeight(), static_cast<DWORD>(GetScreenSize().Height));

    IDirect3DRMDeviceArray* devices = nullptr;
    ASSERT_EQ(View->IRM->GetDevices(&devices), D3DRM_OK);
    EXPECT_EQ(devices->GetSize(), 1u);
    devices->Release();

    IDirect3DRMViewportArray* viewports = nullptr;
    ASSERT_EQ(View->IRMDevice->GetViewports(&viewports), D3DRM_OK);
    EXPECT_EQ(viewports->GetSize(), 2u);
    viewports->Release();

    EXPECT_EQ(NameOf(Left->IRMVport), "LefPort");
    EXPECT_EQ(NameOf(Right->IRMVport), "RighPort");
    ExpectBounds(Left->IRMVport, Left);
    ExpectBounds(Right->IRMVport, Right);
    EXPECT_EQ(Left->width(), 200);
    EXPECT_EQ(Right->x(), 200);
    EXPECT_TRUE(Boxes.Shown().empty());

    // Reading the handle made the window, whose creation made a first device; the call then
    // made the device again, keeping what the first viewports held.
    EXPECT_TRUE(View->HandleAllocated());
    EXPECT_NE(Left->VportData.Vport, nullptr);
    EXPECT_EQ(Left->VportData.Camera, View->ICamera);
}

TEST_F(DeviceTest, ReCreatedDeviceGivesEachViewportBackItsSettings)
{
    IDirect3DRMFrame* camera = nullptr;
    ASSERT_EQ(View->IRM->CreateFrame(View->IScene, &camera), D3DRM_OK);
    IDirect3DRMViewport* vp = Left->IRMVport;
    vp->SetProjection(D3DRMPROJECT_ORTHOGRAPHIC);
    vp->SetField(6.0f);
    vp->SetFront(2.0f);
    vp->SetBack(50.0f);
    vp->SetPlane(-3.0f, 4.0f, -1.0f, 2.0f);
    Left->SetCamera(camera, false);
    const ViewportSettings before = SettingsOf(vp);
    const ViewportSettings rightBefore = SettingsOf(Right->IRMVport);

    // Hold the old device so that a re-creation cannot hand out the same object again.
    IDirect3DRMDevice* oldDevice = View->IRMDevice;
    oldDevice->AddRef();
    View->CreateDevice(&rm::Drivers()[1].guid);
    ASSERT_NE(View->IRMDevice, nullptr);
    EXPECT_NE(View->IRMDevice, oldDevice);
    EXPECT_EQ(View->IRMDevice->GetColorModel(), rm::Drivers()[1].colorModel);
    oldDevice->Release();

    const ViewportSettings after = SettingsOf(Left->IRMVport);
    EXPECT_EQ(after.Projection, D3DRMPROJECT_ORTHOGRAPHIC);
    EXPECT_EQ(after.Field, 6.0f);
    EXPECT_EQ(after.Front, before.Front);
    EXPECT_EQ(after.Back, before.Back);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(after.Plane[i], before.Plane[i]) << i;
    EXPECT_EQ(after.Camera, camera);
    EXPECT_EQ(SettingsOf(Right->IRMVport).Camera, rightBefore.Camera);
    EXPECT_EQ(SettingsOf(Right->IRMVport).Projection, rightBefore.Projection);
    EXPECT_EQ(NameOf(Left->IRMVport), "LefPort");
    EXPECT_TRUE(Boxes.Shown().empty());
    camera->Release();
}

TEST_F(DeviceTest, ResizingReconfiguresTheViewportsOnTheSameDevice)
{
    IDirect3DRMDevice* device = View->IRMDevice;
    int redraws = 0;
    View->SetOnRedraw([&](QObject* sender) {
        EXPECT_EQ(sender, View.get());
        ++redraws;
    });

    View->resize(500, 260);
    EXPECT_GT(redraws, 0);
    ExpectBounds(Left->IRMVport, Left);
    ExpectBounds(Right->IRMVport, Right);
    EXPECT_EQ(Right->width(), 300);
    EXPECT_EQ(Right->height(), 260);

    Left->resize(120, Left->height());  // as the splitter does
    ExpectBounds(Left->IRMVport, Left);
    ExpectBounds(Right->IRMVport, Right);
    EXPECT_EQ(Right->x(), 120);
    EXPECT_EQ(View->IRMDevice, device);
}

TEST_F(DeviceTest, DriverWithoutDeviceShowsOneBoxAndFallsBackToTheDefault)
{
    const GUID unknown{0x0BADD00Du, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    View->CreateDevice(&unknown);

    ASSERT_EQ(Boxes.Shown().size(), 1u);
    const TShownMessageBox& box = Boxes.Shown()[0];
    EXPECT_EQ(box.Caption, "Device error");
    EXPECT_EQ(box.Flags, 0x30);
    EXPECT_EQ(box.Text.split('\n'),
              QStringList({"Could't create device",
                           QString::fromStdString("HRESULT = " + HResultText(D3DRMERR_BADDEVICE)),
                           "Trying to use default driver!"}));
    EXPECT_EQ(HResultText(D3DRMERR_BADDEVICE), "D3DRMERR_BADDEVICE");
    ASSERT_NE(View->IRMDevice, nullptr);
    EXPECT_EQ(View->IRMDevice->GetColorModel(), rm::Drivers()[0].colorModel);
    EXPECT_NE(Left->IRMVport, nullptr);
    EXPECT_NE(Right->IRMVport, nullptr);
}

TEST_F(DeviceTest, NoDeviceAtAllIsReportedAndLeavesTheControlsWithoutViewports)
{
    SetScreenSizeProvider([] { return ScreenSize{0, 0}; });  // no device can be made at that size
    View->CreateDevice(nullptr);
    SetScreenSizeProvider({});

    ASSERT_EQ(Boxes.Shown().size(), 2u);
    EXPECT_EQ(Boxes.Shown()[0].Caption, "Device error");
    EXPECT_EQ(Boxes.Shown()[1].Caption, "HRESULT Failure");
    EXPECT_EQ(Boxes.Shown()[1].Text.toStdString(),
              HResultReportText("_D3dView", 67, D3DRMERR_BADVALUE,
                                "IRM->CreateDeviceFromClipper( IClipper, NULL, width, height, &IRMDevice)"));
    EXPECT_EQ(View->IRMDevice, nullptr);
    EXPECT_EQ(Left->IRMVport, nullptr);
    EXPECT_EQ(Right->IRMVport, nullptr);

    // The controls kept their settings for the next device.
    EXPECT_NE(Left->VportData.Vport, nullptr);
    View->CreateDevice(nullptr);
    EXPECT_NE(Left->IRMVport, nullptr);
    EXPECT_EQ(NameOf(Right->IRMVport), "RighPort");
}

TEST_F(DeviceTest, TeardownReleasesViewportsThenDeviceThenEmptiesAndReleasesTheScene)
{
    // Each destroyed object notes its name and which of the view's device (D) and scene (S)
    // references were still held at that moment.
    struct Log {
        TD3dView* View;
        std::vector<std::string> Entries;
    } log{View.get(), {}};
    const auto track = [&](IDirect3DRMObject* object, const char* name) {
        object->SetName(name);
        object->AddDestroyCallback(
            [](IDirect3DRMObject* obj, void* arg) {
                auto* l = static_cast<Log*>(arg);
                l->Entries.push_back(NameOf(obj) + ":" + (l->View->IRMDevice ? "D" : "-") +
                                     (l->View->IScene ? "S" : "-"));
            },
            &log);
    };
    IDirect3DRMFrame* child = nullptr;
    ASSERT_EQ(View->IRM->CreateFrame(View->IScene, &child), D3DRM_OK);
    track(child, "child");
    child->Release();  // the scene holds it
    track(Left->IRMVport, "LefPort");
    track(Right->IRMVport, "RighPort");
    track(View->IRMDevice, "device");
    track(View->IScene, "scene");

    View.reset();
    EXPECT_EQ(log.Entries,
              (std::vector<std::string>{"LefPort:DS", "RighPort:DS", "device:DS", "child:-S", "scene:-S"}));
}

TEST_F(DeviceTest, ADeviceThatOutlivesTheViewNoLongerPresentsIntoIt)
{
    // The options dialog holds the device through a retained-mode object of its own.
    IDirect3DRM* other = nullptr;
    ASSERT_EQ(Direct3DRMCreate(&other), D3DRM_OK);
    IDirect3DRMViewport* viewport = Left->IRMVport;
    viewport->AddRef();  // keeps the device alive and gives it something to present
    Application->OnIdle = TIdleEvent::Bind(View.get(), &TD3dView::AppIdle);

    View.reset();
    EXPECT_FALSE(Application->OnIdle) << "the view's idle handler went with it";
    EXPECT_EQ(other->Tick(1.0f), D3DRM_OK);  // renders and updates the surviving device
    viewport->Release();
    other->Release();
}

TEST(ViewWithoutWindow, HasNoDeviceAndStillFiresOnRedraw)
{
    TD3dView view;
    int redraws = 0;
    view.SetOnRedraw([&](QObject*) { ++redraws; });
    view.Redraw();
    view.Tick();
    EXPECT_EQ(redraws, 2);
    EXPECT_FALSE(view.HandleAllocated());
    EXPECT_EQ(view.IRMDevice, nullptr);
    EXPECT_EQ(view.IRefFrame, view.IScene);
    EXPECT_EQ(view.Color(), view.palette().color(QPalette::Window));
}

TEST_F(DeviceTest, ColourBecomesTheSceneBackground)
{
    struct Case {
        QColor Color;
        D3DCOLOR Expected;
    };
    for (const Case& c : {Case{QColor(Qt::black), 0xFF000000u}, Case{QColor(0x20, 0x80, 0xFF), 0xFF2080FFu}}) {
        int redraws = 0;
        View->SetOnRedraw([&](QObject*) { ++redraws; });
        View->SetColor(c.Color);
        EXPECT_EQ(View->IScene->GetSceneBackground() | 0xFF000000u, c.Expected);
        EXPECT_EQ(redraws, 1);
    }
}

}  // namespace
