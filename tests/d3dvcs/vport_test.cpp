// The viewport control without the game: its settings record, the camera calls and their
// redraw conditions, and Update marking the control's area.

#include "view_fixture.h"

#include "platform/rm/errors.h"
#include "rmkit/error_report.h"

namespace {

TEST(VportData, DefaultRecordWritesNothing)
{
    TVportData empty;
    empty.Write();  // no viewport: nothing, no crash
    EXPECT_EQ(empty.Vport, nullptr);
    EXPECT_EQ(empty.Camera, nullptr);
    EXPECT_EQ(empty.Field, 0.0f);
}

using VportTest = ViewFixture;

TEST_F(VportTest, FirstViewportKeepsTheDefaultsAndAnEmptyRecordWritesNothingToIt)
{
    TVport fresh(View.get());
    fresh.ReleaseViewport();  // no viewport: the record stays empty
    EXPECT_EQ(fresh.VportData.Vport, nullptr);

    IDirect3DRMViewport* reference = nullptr;
    ASSERT_EQ(View->IRM->CreateViewport(View->IRMDevice, View->ICamera, 0, 0, 10, 10, &reference), D3DRM_OK);
    fresh.CreateViewport(View->IRM, View->IRMDevice, View->ICamera);
    ASSERT_NE(fresh.IRMVport, nullptr);
    EXPECT_EQ(fresh.IRMVport->GetField(), reference->GetField());
    EXPECT_EQ(fresh.IRMVport->GetProjection(), reference->GetProjection());
    EXPECT_EQ(fresh.IRMVport->GetFront(), reference->GetFront());
    EXPECT_EQ(fresh.IRMVport->GetBack(), reference->GetBack());
    reference->Release();
}

TEST_F(VportTest, RecordCopiesHoldTheirOwnCameraReference)
{
    IDirect3DRMFrame* camera = nullptr;
    ASSERT_EQ(View->IRM->CreateFrame(nullptr, &camera), D3DRM_OK);
    Left->SetCamera(camera, false);
    {
        TVportData read(Left->IRMVport);
        TVportData copy = read;
        TVportData assigned;
        assigned = copy;
        EXPECT_EQ(assigned.Camera, camera);
        Left->SetCamera(View->ICamera, false);
    }
    // Only this test's reference is left; with one too few the frame would already be gone.
    EXPECT_EQ(camera->AddRef(), 2u);
    camera->Release();
    camera->Release();
}

TEST_F(VportTest, SetCameraRedrawsOnlyWhenAskedWithAViewOwnerAndAParent)
{
    int redraws = 0;
    View->SetOnRedraw([&](QObject*) { ++redraws; });
    IDirect3DRMFrame* camera = nullptr;
    ASSERT_EQ(View->IRM->CreateFrame(View->IScene, &camera), D3DRM_OK);

    Left->SetCamera(camera, false);
    EXPECT_EQ(Left->GetCamera(), camera);
    EXPECT_EQ(redraws, 0);
    Left->SetCamera(View->ICamera, true);
    EXPECT_EQ(Left->GetCamera(), View->ICamera);
    EXPECT_EQ(redraws, 1);

    // Owned by something that is not a view: the camera is set, nothing is redrawn.
    QWidget holder;
    TVport orphan(&holder);
    orphan.CreateViewport(View->IRM, View->IRMDevice, View->ICamera);
    orphan.SetCamera(camera, true);
    EXPECT_EQ(orphan.GetCamera(), camera);
    EXPECT_EQ(redraws, 1);
    camera->Release();
}

TEST_F(VportTest, AlignCameraPutsTheCameraWhereTheFrameIsFacingItsWay)
{
    IDirect3DRMFrame* marker = nullptr;
    IDirect3DRMFrame* camera = nullptr;
    ASSERT_EQ(View->IRM->CreateFrame(View->IScene, &marker), D3DRM_OK);
    ASSERT_EQ(View->IRM->CreateFrame(View->IScene, &camera), D3DRM_OK);
    marker->SetPosition(View->IScene, 1.0f, 2.0f, -5.0f);
    marker->SetOrientation(View->IScene, 0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f);
    Left->SetCamera(camera, false);

    Left->AlignCamera(marker, false);
    D3DVECTOR pos;
    D3DVECTOR dir;
    D3DVECTOR up;
    camera->GetPosition(View->IScene, &pos);
    camera->GetOrientation(View->IScene, &dir, &up);
    EXPECT_FLOAT_EQ(pos.x, 1.0f);
    EXPECT_FLOAT_EQ(pos.y, 2.0f);
    EXPECT_FLOAT_EQ(pos.z, -5.0f);
    EXPECT_NEAR(dir.z, 1.0f, 1e-5);
    EXPECT_NEAR(up.x, 1.0f, 1e-5);
    EXPECT_TRUE(Boxes.Shown().empty());
    marker->Release();
    camera->Release();
}

TEST_F(VportTest, ARefusedViewportIsReportedAndTheOtherControlsStillGetTheirs)
{
    auto* far = new TVport(View.get());  // owned by the view
    far->setObjectName(QStringLiteral("FarPort"));
    far->setGeometry(200000, 0, 50, 50);  // beyond what a device can place
    View->CreateDevice(nullptr);

    ASSERT_EQ(Boxes.Shown().size(), 1u);
    EXPECT_EQ(Boxes.Shown()[0].Text.toStdString(),
              HResultReportText("_Vport", 14, D3DRMERR_BADVALUE,
                                "IRM->CreateViewport(Idevice, Icamera, Left, Top, Width, Height, &IRMVport)"));
    EXPECT_EQ(far->IRMVport, nullptr);
    EXPECT_NE(Left->IRMVport, nullptr);
    EXPECT_NE(Right->IRMVport, nullptr);
    far->Update();  // without a viewport: nothing
}

}  // namespace
