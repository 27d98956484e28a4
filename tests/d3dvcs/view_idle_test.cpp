// The idle loop: nothing while the application is inactive, and with FastLoop a time step only
// while some frame below the scene moves or turns.

#include "view_fixture.h"

namespace {

class IdleTest : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        View->IRM->CreateFrame(View->IScene, &Child);
        View->IRM->CreateFrame(Child, &Grandchild);
        View->SetOnRedraw([this](QObject*) { ++Renders; });
    }
    void TearDown() override
    {
        Grandchild->Release();
        Child->Release();
        ViewFixture::TearDown();
    }

    // One idle pass with `done` given as `given`; returns what the handler left in it.
    bool IdlePass(bool given)
    {
        bool done = given;
        View->AppIdle(Application->Handle(), done);
        return done;
    }

    IDirect3DRMFrame* Child = nullptr;
    IDirect3DRMFrame* Grandchild = nullptr;
    int Renders = 0;
};

TEST_F(IdleTest, IsMovingLooksBelowTheFrameAndTestsTheVelocitySum)
{
    EXPECT_FALSE(View->IsMoving(nullptr));
    EXPECT_FALSE(View->IsMoving(View->IScene));
    EXPECT_FALSE(View->IsMoving(Grandchild));  // no children

    Grandchild->SetVelocity(View->IScene, 1.0f, -1.0f, 0.0f, FALSE);
    EXPECT_FALSE(View->IsMoving(View->IScene)) << "components that cancel out count as still";

    Grandchild->SetVelocity(View->IScene, 0.0f, 0.5f, 0.0f, FALSE);
    EXPECT_TRUE(View->IsMoving(View->IScene));
    EXPECT_FALSE(View->IsMoving(Grandchild)) << "the frame itself is not looked at";

    Grandchild->SetVelocity(View->IScene, 0.0f, 0.0f, 0.0f, FALSE);
    Child->SetRotation(View->IScene, 0.0f, 1.0f, 0.0f, 0.1f);
    EXPECT_TRUE(View->IsMoving(View->IScene));
}

TEST_F(IdleTest, AppIdleRendersOnlyWhileActiveAndWithFastLoopOnlyWhileSomethingMoves)
{
    Application->SetActive(false);
    View->SetFastLoop(false);
    EXPECT_TRUE(IdlePass(false));
    EXPECT_EQ(Renders, 0);

    Application->SetActive(true);
    EXPECT_FALSE(IdlePass(true));
    EXPECT_EQ(Renders, 1);

    View->SetFastLoop(true);
    EXPECT_TRUE(IdlePass(true)) << "Done is left as it was given";
    EXPECT_FALSE(IdlePass(false));
    EXPECT_EQ(Renders, 1);

    Grandchild->SetRotation(View->IScene, 1.0f, 0.0f, 0.0f, 0.2f);
    EXPECT_FALSE(IdlePass(true));
    EXPECT_EQ(Renders, 2);
}

}  // namespace
