#include "rm_fixture.h"

#include <cmath>
#include <numbers>

namespace {

using FrameTree = RmTest;

TEST_F(FrameTree, ReparentingKeepsThePlaceAndOrientationInTheWorld)
{
    auto root = Frame();
    auto a = Frame(root.get());
    auto b = Frame(root.get());
    a->AddRotation(D3DRMCOMBINE_REPLACE, 0, 0, 1, 0.7f);
    a->SetPosition(root.get(), 5, -2, 1);
    b->AddScale(D3DRMCOMBINE_REPLACE, 2, 2, 2);
    b->AddRotation(D3DRMCOMBINE_AFTER, 1, 1, 0, -1.1f);
    b->SetPosition(root.get(), -3, 4, 2);
    auto child = Frame(a.get());
    child->SetPosition(a.get(), 1, 2, 3);
    child->SetOrientation(a.get(), 0, 0, 1, 0, 1, 0);

    D3DVECTOR before, after, dirBefore, upBefore, dir, up;
    child->GetPosition(nullptr, &before);
    child->GetOrientation(nullptr, &dirBefore, &upBefore);
    ASSERT_EQ(b->AddChild(child.get()), S_OK);
    child->GetPosition(nullptr, &after);
    child->GetOrientation(nullptr, &dir, &up);
    EXPECT_VEC_NEAR(after, before.x, before.y, before.z, 1e-4);
    EXPECT_VEC_NEAR(dir, dirBefore.x, dirBefore.y, dirBefore.z, 1e-5);
    EXPECT_VEC_NEAR(up, upBefore.x, upBefore.y, upBefore.z, 1e-5);

    rm::RefPtr<IDirect3DRMFrame> parent;
    child->GetParent(parent.put());
    EXPECT_EQ(parent.get(), b.get());
    rm::RefPtr<IDirect3DRMFrameArray> children;
    a->GetChildren(children.put());
    EXPECT_EQ(children->GetSize(), 0u);

    // Taken out of the tree, it still stays where it was.
    ASSERT_EQ(b->DeleteChild(child.get()), S_OK);
    child->GetPosition(nullptr, &after);
    EXPECT_VEC_NEAR(after, before.x, before.y, before.z, 1e-4);
    child->GetParent(parent.put());
    EXPECT_EQ(parent.get(), nullptr);
}

TEST_F(FrameTree, RefusesCyclesAndForeignArguments)
{
    auto root = Frame();
    auto child = Frame(root.get());
    auto grandchild = Frame(child.get());
    EXPECT_EQ(grandchild->AddChild(root.get()), D3DRMERR_BADVALUE);
    EXPECT_EQ(child->AddChild(child.get()), D3DRMERR_BADVALUE);
    EXPECT_EQ(root->AddChild(nullptr), D3DRMERR_BADOBJECT);
    EXPECT_EQ(grandchild->DeleteChild(root.get()), D3DRMERR_NOTFOUND);
    EXPECT_EQ(root->GetPosition(nullptr, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(root->SetOrientation(nullptr, 0, 0, 0, 0, 1, 0), D3DRMERR_BADVALUE);
    EXPECT_EQ(root->SetOrientation(nullptr, 0, 1, 0, 0, 2, 0), D3DRMERR_BADVALUE);
    EXPECT_EQ(root->AddTransform(static_cast<D3DRMCOMBINETYPE>(7), nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(root->SetPosition(nullptr, NAN, 0, 0), D3DRMERR_BADVALUE);

    rm::RefPtr<IDirect3DRMFrame> scene;
    grandchild->GetScene(scene.put());
    EXPECT_EQ(scene.get(), root.get());
}

TEST_F(FrameTree, CombinesTransformsBeforeAndAfter)
{
    auto f = Frame();
    f->AddTranslation(D3DRMCOMBINE_REPLACE, 1, 0, 0);
    // After: a turn in the parent's space carries the translation round; before: in the frame's own.
    f->AddRotation(D3DRMCOMBINE_AFTER, 0, 1, 0, std::numbers::pi_v<float> / 2);
    D3DVECTOR p;
    f->GetPosition(nullptr, &p);
    EXPECT_VEC_NEAR(p, 0, 0, -1, 1e-6);
    f->AddTranslation(D3DRMCOMBINE_BEFORE, 0, 0, -2);  // two units back along its own z, now world +x
    f->GetPosition(nullptr, &p);
    EXPECT_VEC_NEAR(p, -2, 0, -1, 1e-6);

    D3DRMMATRIX4D m;
    f->GetTransform(m);
    EXPECT_NEAR(m[3][0], -2, 1e-6);
    EXPECT_NEAR(m[3][3], 1, 1e-6);
    D3DVECTOR local{0, 0, 1}, world, back;
    f->Transform(&world, &local);
    EXPECT_VEC_NEAR(world, -1, 0, -1, 1e-6);
    f->InverseTransform(&back, &world);
    EXPECT_VEC_NEAR(back, 0, 0, 1, 1e-6);
}

TEST_F(FrameTree, ReadsPlacesRelativeToAnyFrame)
{
    auto root = Frame();
    auto ref = Frame(root.get());
    ref->SetPosition(nullptr, 10, 0, 0);
    ref->AddRotation(D3DRMCOMBINE_BEFORE, 0, 0, 1, std::numbers::pi_v<float> / 2);
    auto f = Frame(root.get());
    f->SetPosition(ref.get(), 1, 0, 0);  // one unit along ref's x, which points along world +y
    D3DVECTOR p;
    f->GetPosition(nullptr, &p);
    EXPECT_VEC_NEAR(p, 10, 1, 0, 1e-6);
    f->GetPosition(ref.get(), &p);
    EXPECT_VEC_NEAR(p, 1, 0, 0, 1e-6);
}

TEST_F(FrameTree, BackgroundBelongsToTheScene)
{
    auto root = Frame();
    auto child = Frame(root.get());
    child->SetSceneBackgroundRGB(1, 0.5f, 0);
    EXPECT_EQ(root->GetSceneBackground(), 0xFFFF8000u);
}

TEST_F(FrameTree, ReleasingTheRootLeavesHeldChildrenAsRootsInPlace)
{
    auto root = Frame();
    root->SetPosition(nullptr, 0, 5, 0);
    auto child = Frame(root.get());
    child->SetPosition(root.get(), 1, 0, 0);
    root.reset();
    D3DVECTOR p;
    child->GetPosition(nullptr, &p);
    EXPECT_VEC_NEAR(p, 1, 5, 0, 1e-6);
    rm::RefPtr<IDirect3DRMFrame> parent;
    child->GetParent(parent.put());
    EXPECT_EQ(parent.get(), nullptr);
}

TEST_F(FrameTree, DeepTreesAreReleasedWithoutDeepRecursion)
{
    auto root = Frame();
    {
        rm::RefPtr<IDirect3DRMFrame> at = root;
        for (int i = 0; i < 200000; ++i)
            at = Frame(at.get());
        D3DVECTOR p;
        EXPECT_EQ(at->GetPosition(root.get(), &p), S_OK);
    }
    root.reset();  // one stack level per generation would overflow here
}

}  // namespace
