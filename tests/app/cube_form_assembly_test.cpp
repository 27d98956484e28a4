// The game form as built: controls, status bar, the 3D view with its two viewports, the loaded
// cube, the splitter and resize limits, failures of the set-up calls, destruction.
#include "game_form_fixture.h"

#include "d3dvcs/vport.h"
#include "platform/sys/resources.h"
#include "platform/sys/screen_metrics.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/status_bar.h"

#include <QTimer>

#include <string>

namespace {

using FormAssembly = GameFormTest;

std::string ObjectName(IDirect3DRMObject* object)
{
    char name[64] = {};
    DWORD size = sizeof name;
    if (!object || FAILED(object->GetName(&size, name))) return {};
    return name;
}

TEST_F(FormAssembly, ButtonsStandWhereTheFormPlacesThem)
{
    struct Place {
        TSpeedButton* Button;
        QWidget* Parent;
        int Left, Top;
        const char* Hint;
    };
    TCubeForm& f = *Form;
    const Place places[] = {
        {f.sbHome, f.paPlay, 2, 4, "Home"},           {f.sbBackward, f.paPlay, 26, 4, "Back One"},
        {f.sbFarward, f.paPlay, 50, 4, "Farward One"}, {f.sbEnd, f.paPlay, 74, 4, "End"},
        {f.sbSetup, f.paSetup, 8, 4, "Direct3D Setup"}, {f.sbPause, f.paSetup, 40, 4, "Pause Game"},
        {f.sbAbout, f.paSetup, 72, 4, ""},
        {f.sb9, f.paRight, 4, 4, "NUM 9"},   {f.sb8, f.paRight, 4, 28, "NUM 8"},
        {f.sb7, f.paRight, 4, 52, "NUM 7"},  {f.sb6, f.paRight, 4, 82, "NUM 6"},
        {f.sb5, f.paRight, 4, 106, "NUM 5"}, {f.sb4, f.paRight, 4, 130, "NUM 4"},
        {f.sb3, f.paRight, 4, 160, "NUM 3"}, {f.sb2, f.paRight, 4, 184, "NUM 2"},
        {f.sb1, f.paRight, 4, 208, "NUM 1"},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.Button->objectName().toStdString());
        EXPECT_EQ(p.Button->parentWidget(), p.Parent);
        EXPECT_EQ(p.Button->geometry(), QRect(p.Left, p.Top, 25, 25));
        EXPECT_EQ(p.Button->Hint(), QString::fromUtf8(p.Hint));
        if (p.Button != f.sbAbout) {
            EXPECT_EQ(p.Button->accessibleName(), QString::fromUtf8(p.Hint));
        }
        EXPECT_EQ(p.Button->Glyph().isNull(), p.Button == f.sbAbout);
    }
    EXPECT_EQ(f.sbAbout->Caption(), "?");
    EXPECT_EQ(f.sbPause->GroupIndex(), 11);
    EXPECT_TRUE(f.sbPause->AllowAllUp());
    EXPECT_TRUE(f.sbPause->Down());
    for (int turn = 1; turn <= 9; ++turn) EXPECT_EQ(f.TurnButton(turn)->Glyph().size(), QSize(23, 23));
    EXPECT_EQ(f.sbHome->Glyph().size(), QSize(16, 16));
    EXPECT_EQ(f.TurnButton(0), nullptr);
    EXPECT_EQ(f.TurnButton(10), nullptr);
}

TEST_F(FormAssembly, PanelsAndStatusBarFollowTheLayout)
{
    TCubeForm& f = *Form;
    EXPECT_EQ(f.windowTitle(), "Z-Tarn");
    EXPECT_TRUE(f.KeyPreview);
    EXPECT_EQ(f.StatBar->height(), 19);
    EXPECT_EQ(f.StatBar->geometry().bottom(), f.height() - 1);
    EXPECT_EQ(f.paBot->height(), 35);
    EXPECT_EQ(f.paBot->geometry().bottom(), f.StatBar->y() - 1);
    EXPECT_EQ(f.paPlay->width(), 104);
    EXPECT_EQ(f.paPlay->geometry().right(), f.paBot->contentsRect().right());  // inside the bevel
    EXPECT_EQ(f.paSetup->geometry().right(), f.paPlay->x() - 1);
    EXPECT_EQ(f.paStartNew->Caption(), "Start New Game");
    EXPECT_EQ(f.paStartNew->geometry().right(), f.paSetup->x() - 1);
    EXPECT_EQ(f.paPlay->BevelOuter(), TBevelCut::bvLowered);
    EXPECT_EQ(f.paSetup->BevelOuter(), TBevelCut::bvLowered);
    EXPECT_EQ(f.paRight->width(), 33);
    EXPECT_EQ(f.paRight->geometry().right(), f.width() - 1);
    EXPECT_EQ(f.paRight->geometry().bottom(), f.paBot->y() - 1);
    EXPECT_EQ(f.D3dView->geometry(), QRect(0, 0, f.paRight->x(), f.paBot->y()));
    EXPECT_EQ(f.Timer->interval(), 1000);
    EXPECT_TRUE(f.Timer->isActive());

    struct PanelCase {
        TBevelCut Bevel;
        int Width;
        const char* Text;
    };
    const PanelCase panels[] = {
        {TBevelCut::bvRaised, 30, "Step"},  {TBevelCut::bvLowered, 50, ""}, {TBevelCut::bvRaised, 65, "Steps Done"},
        {TBevelCut::bvLowered, 50, ""},     {TBevelCut::bvRaised, 35, "Time"}, {TBevelCut::bvLowered, 70, ""},
        {TBevelCut::bvRaised, 50, ""},
    };
    ASSERT_EQ(f.StatBar->PanelCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(f.StatBar->Panel(i).Bevel, panels[i].Bevel) << i;
        EXPECT_EQ(f.StatBar->Panel(i).Width, panels[i].Width) << i;
        EXPECT_EQ(f.StatBar->PanelText(i), QString::fromUtf8(panels[i].Text)) << i;
    }
    // A new game is being seeded.
    EXPECT_TRUE(f.StatBar->SimplePanel());
    EXPECT_EQ(f.StatBar->SimpleText(), "Seeding... press any key to stop");
    EXPECT_FALSE(f.Playing);
    EXPECT_TRUE(Application->OnIdle == TIdleEvent::Bind(Form.get(), &TCubeForm::GameIdle));
}

TEST_F(FormAssembly, ViewHoldsTwoOrthographicViewportsWithTheirCameras)
{
    TCubeForm& f = *Form;
    const int viewWidth = f.D3dView->width();
    EXPECT_EQ(f.LeftPort->geometry(), QRect(0, 0, viewWidth / 2, f.D3dView->height()));
    EXPECT_EQ(f.Splitter->geometry(), QRect(viewWidth / 2, 0, 5, f.D3dView->height()));
    EXPECT_EQ(f.RightPort->geometry(), QRect(viewWidth / 2 + 5, 0, viewWidth - viewWidth / 2 - 5, f.D3dView->height()));
    EXPECT_EQ(f.Splitter->cursor().shape(), Qt::SplitHCursor);

    struct PortCase {
        TVport* Port;
        const char* Name;
        const char* Camera;
    };
    for (const PortCase& c : {PortCase{f.LeftPort, "LefPort", "LeftCameraFrame"},
                              PortCase{f.RightPort, "RighPort", "RightCameraFrame"}}) {
        ASSERT_NE(c.Port->IRMVport, nullptr) << c.Name;
        EXPECT_EQ(ObjectName(c.Port->IRMVport), c.Name);
        EXPECT_EQ(c.Port->IRMVport->GetProjection(), D3DRMPROJECT_ORTHOGRAPHIC) << c.Name;
        EXPECT_FLOAT_EQ(c.Port->IRMVport->GetField(), 6.0f) << c.Name;
        EXPECT_EQ(ObjectName(c.Port->GetCamera()), c.Camera);
    }
    ASSERT_NE(f.D3dView->IRMDevice, nullptr);
    EXPECT_EQ(f.D3dView->IRMDevice->GetQuality(), D3DRMRENDER_GOURAUD);
}

TEST_F(FormAssembly, CubeCentreHoldsTheTwentySixCubiesOnTheGrid)
{
    struct Cubie {
        int Frame;
        float X, Y, Z;
    };
    const Cubie cubies[] = {
        {1, -2, -2, -2}, {2, 0, -2, -2}, {3, 2, -2, -2}, {4, 2, -2, 0},  {5, 2, -2, 2},  {6, 0, -2, 2},
        {7, -2, -2, 2},  {8, -2, -2, 0}, {9, 0, -2, 0},  {10, -2, 0, -2}, {11, 0, 0, -2}, {12, 2, 0, -2},
        {13, 2, 0, 0},   {14, 2, 0, 2},  {15, 0, 0, 2},  {16, -2, 0, 2},  {17, -2, 0, 0}, {18, -2, 2, -2},
        {19, 0, 2, -2},  {20, 2, 2, -2}, {21, 2, 2, 0},  {22, 2, 2, 2},   {23, 0, 2, 2},  {24, -2, 2, 2},
        {25, -2, 2, 0},  {26, 0, 2, 0},
    };
    EXPECT_EQ(ChildCount(Form->ICubeCenter), 26);
    EXPECT_EQ(ChildCount(Form->IHandleFrame), 0);
    const TCubiePlaces places = CubiePlaces(*Form);
    for (const Cubie& c : cubies) {
        const D3DVECTOR p = places.at("Frame" + std::to_string(c.Frame)).Position;
        EXPECT_NEAR(p.x, c.X, 1e-5) << c.Frame;
        EXPECT_NEAR(p.y, c.Y, 1e-5) << c.Frame;
        EXPECT_NEAR(p.z, c.Z, 1e-5) << c.Frame;
    }
}

TEST_F(FormAssembly, SplitterReleaseSetsTheLeftWidthWithinTheView)
{
    TCubeForm& f = *Form;
    f.show();
    const int limit = f.paRight->x() - 5 - 1;  // splitter and one pixel of the right port stay
    struct Case {
        int X;
        int Width;
    };
    const int left = f.Splitter->x();
    for (const Case& c : {Case{2, left + 2 - 2}, Case{-30, left - 30 - 2}, Case{-10000, 0}, Case{10000, limit}}) {
        f.LeftPort->resize(left, f.LeftPort->height());
        f.SplitterMouseUp(f.Splitter, Qt::LeftButton, {}, c.X, 3);
        EXPECT_EQ(f.LeftPort->width(), c.Width) << c.X;
        EXPECT_EQ(f.Splitter->x(), c.Width) << "the splitter follows the left port";
        EXPECT_EQ(f.RightPort->x(), c.Width + 5);
    }
}

TEST_F(FormAssembly, ShrinkingTheFormNarrowsTheLeftPortAndWideningDoesNot)
{
    TCubeForm& f = *Form;
    f.show();
    f.SplitterMouseUp(f.Splitter, Qt::LeftButton, {}, 10000, 0);  // left port as wide as allowed
    f.resize(200, f.height());
    EXPECT_EQ(f.D3dView->width(), 200 - 33);
    EXPECT_EQ(f.LeftPort->width(), 200 - 33 - 6);
    f.resize(600, f.height());
    EXPECT_EQ(f.LeftPort->width(), 200 - 33 - 6);
}

TEST_F(FormAssembly, DestroyingTheFormRemovesItsIdleHandler)
{
    ASSERT_TRUE(static_cast<bool>(Application->OnIdle));
    Form.reset();
    EXPECT_FALSE(static_cast<bool>(Application->OnIdle));
}

// The cube scene with one frame renamed everywhere, registered under a resource name of its own.
class SceneWithRenamedFrame {
public:
    SceneWithRenamedFrame(const char* resourceName, const std::string& frame)
    {
        const auto scene = FindResource("ZTARN_SCENE", "X");
        if (scene) FText.assign(static_cast<const char*>(scene->Data), scene->Size);
        const std::string renamed = "Renamed" + frame;
        for (std::size_t at = FText.find(frame); at != std::string::npos; at = FText.find(frame, at + renamed.size()))
            FText.replace(at, frame.size(), renamed);
        FRegistration = std::make_unique<ResourceRegistration>(resourceName, "X", FText.data(), FText.size());
    }

private:
    std::string FText;
    std::unique_ptr<ResourceRegistration> FRegistration;
};

TEST(FormWithAFailedSetUpCall, ReportsItsLineAndComesUpWithoutAGame)
{
    struct Case {
        const char* Frame;     // renamed in the scene; null: no such resource at all
        const char* Resource;  // the resource the form loads
        int Line;
        const char* Call;
    };
    const Case cases[] = {
        {nullptr, "TEST_NO_SUCH_SCENE", 46, "LoadSceneID(D3dView->IScene, \"ZTARN_SCENE\")"},
        {"LeftCameraFrame", "TEST_NO_LEFT_CAMERA", 53,
         "IRM->GetNamedObject(\"LeftCameraFrame\", (LPDIRECT3DRMOBJECT*)&ILeftCamera)"},
        {"RightCameraFrame", "TEST_NO_RIGHT_CAMERA", 55,
         "IRM->GetNamedObject(\"RightCameraFrame\", (LPDIRECT3DRMOBJECT*)&IRightCamera)"},
        {"ZTarnCenter", "TEST_NO_CENTRE", 57,
         "IRM->GetNamedObject(\"ZTarnCenter\", (LPDIRECT3DRMOBJECT*)&ICubeCenter)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Resource);
        std::unique_ptr<SceneWithRenamedFrame> scene;
        if (c.Frame) scene = std::make_unique<SceneWithRenamedFrame>(c.Resource, c.Frame);
        TMessageBoxScript boxes;
        boxes.QueueAnswer(IDNO);  // go on
        Application->OnIdle = {};
        TCubeForm form(nullptr, c.Resource);

        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].Caption, "HRESULT Failure");
        // Module and line, the failure's name, the call, the question.
        const QStringList lines = boxes.Shown()[0].Text.split('\n');
        ASSERT_EQ(lines.size(), 3);
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("_ConsDes (%1): D3DRMERR_").arg(c.Line))) << lines[0].toStdString();
        EXPECT_EQ(lines[1], c.Call);
        EXPECT_EQ(lines[2], "Do you want to abort execution?");
        if (c.Line >= 53) {
            EXPECT_EQ(lines[0], QStringLiteral("_ConsDes (%1): D3DRMERR_NOTFOUND").arg(c.Line));
        }
        EXPECT_EQ(form.ICubeCenter, nullptr);
        EXPECT_EQ(form.IHandleFrame, nullptr);
        // No new game and no idle handler: no seeding.
        EXPECT_FALSE(form.StatBar->SimplePanel());
        EXPECT_FALSE(static_cast<bool>(Application->OnIdle));
        // The turn buttons do nothing.
        int key = VK_SPACE;
        form.FormKeyDown(&form, key, {});
        form.sb1->click();
        int keypad = VK_NUMPAD5;
        form.FormKeyDown(&form, keypad, {});
        form.SeedStep();
        EXPECT_TRUE(form.Moves.empty());
        EXPECT_EQ(form.StepsDone, 0);
    }
}

TEST(FormWithoutDevice, ReportsItAndComesUpWithoutAGame)
{
    // A screen of no size: the view can make no device for any driver.
    SetScreenSizeProvider([] { return ScreenSize{0, 0}; });
    TMessageBoxScript boxes;  // every box answered by closing it: the program goes on
    Application->OnIdle = {};
    TCubeForm form(nullptr);
    SetScreenSizeProvider({});

    ASSERT_FALSE(boxes.Shown().empty());
    const QString last = boxes.Shown().back().Text;
    EXPECT_TRUE(last.startsWith("_ConsDes (37): ")) << last.toStdString();
    EXPECT_TRUE(last.contains("\nD3dView->CreateDevice(NULL)\n")) << last.toStdString();
    EXPECT_EQ(form.D3dView->IRMDevice, nullptr);
    EXPECT_EQ(form.ICubeCenter, nullptr);
    EXPECT_FALSE(static_cast<bool>(Application->OnIdle));
    int key = VK_SPACE;
    form.FormKeyDown(&form, key, {});
    form.sb7->click();
    EXPECT_TRUE(form.Moves.empty());
}

}  // namespace
