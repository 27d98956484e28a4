#include "rm_fixture.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using FrameMotion = RmTest;
constexpr float kPi = std::numbers::pi_v<float>;

// A handle frame turning a child about the centre's Y axis, as a layer turn does.
TEST_F(FrameMotion, FiveTicksOfATenthOfPiMakeAQuarterTurnAndFourComeBack)
{
    auto scene = Frame();
    auto center = Frame(scene.get());
    center->SetPosition(nullptr, 1, 2, 3);
    auto handle = Frame(center.get());
    std::vector<rm::RefPtr<IDirect3DRMFrame>> cubies;
    for (float x : {-2.f, 0.f, 2.f})
        for (float z : {-2.f, 2.f}) {
            auto c = Frame(handle.get());
            c->SetPosition(center.get(), x, 2, z);
            cubies.push_back(c);
        }
    std::vector<D3DVECTOR> start;
    for (auto& c : cubies) {
        D3DVECTOR p;
        c->GetPosition(center.get(), &p);
        start.push_back(p);
    }
    for (int quarter = 1; quarter <= 4; ++quarter) {
        ASSERT_EQ(handle->SetRotation(center.get(), 0, 1, 0, kPi / 10), S_OK);
        for (int i = 0; i < 5; ++i)
            ASSERT_EQ(rm->Tick(1), S_OK);
        handle->SetRotation(center.get(), 0, 1, 0, 0);
        for (std::size_t i = 0; i < cubies.size(); ++i) {
            D3DVECTOR p;
            cubies[i]->GetPosition(center.get(), &p);
            if (quarter == 1)  // clockwise seen from +Y: +X goes to -Z, +Z to +X
                EXPECT_VEC_NEAR(p, start[i].z, 2, -start[i].x, 1e-5);
            if (quarter == 4)
                EXPECT_VEC_NEAR(p, start[i].x, start[i].y, start[i].z, 1e-5);
        }
    }
    // A stopped frame does not move on later ticks.
    rm->Tick(1);
    D3DVECTOR p;
    cubies[0]->GetPosition(center.get(), &p);
    EXPECT_VEC_NEAR(p, start[0].x, start[0].y, start[0].z, 1e-5);
}

TEST_F(FrameMotion, VectorRotateTurnsLikeAFrame)
{
    D3DVECTOR x{1, 0, 0}, axis{0, 1, 0}, r;
    ASSERT_NE(D3DRMVectorRotate(&r, &x, &axis, kPi / 2), nullptr);
    EXPECT_VEC_NEAR(r, 0, 0, -1, 1e-6);
    D3DVECTOR longer{0, 3, 4}, xAxis{1, 0, 0};
    D3DRMVectorRotate(&r, &longer, &xAxis, kPi / 2);
    EXPECT_NEAR(D3DRMVectorModulus(&r), 1, 1e-6);  // the result is a unit vector
    D3DVECTOR zero{0, 0, 0};
    EXPECT_EQ(D3DRMVectorRotate(&r, &x, &zero, 1), nullptr);

    auto f = Frame();
    f->SetRotation(nullptr, 0, 1, 0, kPi / 2);
    f->Move(1);
    D3DVECTOR local{1, 0, 0}, world;
    f->Transform(&world, &local);
    EXPECT_VEC_NEAR(world, 0, 0, -1, 1e-6);
}

TEST_F(FrameMotion, VelocityAndRotationReadBackRelativeToAnyFrame)
{
    auto scene = Frame();
    auto turned = Frame(scene.get());
    turned->AddRotation(D3DRMCOMBINE_REPLACE, 0, 0, 1, kPi / 2);
    auto f = Frame(scene.get());
    f->SetVelocity(turned.get(), 1, 0, 0, FALSE);
    D3DVECTOR v;
    f->GetVelocity(scene.get(), &v, FALSE);
    EXPECT_VEC_NEAR(v, 0, 1, 0, 1e-6);
    rm->Tick(2);
    D3DVECTOR p;
    f->GetPosition(scene.get(), &p);
    EXPECT_VEC_NEAR(p, 0, 2, 0, 1e-6);
    rm->Tick(0);  // renders only
    f->GetPosition(scene.get(), &p);
    EXPECT_VEC_NEAR(p, 0, 2, 0, 1e-6);

    f->SetRotation(turned.get(), 1, 0, 0, 0.25f);
    D3DVECTOR axis;
    D3DVALUE theta;
    f->GetRotation(scene.get(), &axis, &theta);
    EXPECT_VEC_NEAR(axis, 0, 1, 0, 1e-6);
    EXPECT_FLOAT_EQ(theta, 0.25f);
    EXPECT_EQ(f->SetRotation(nullptr, 0, 0, 0, 1), D3DRMERR_BADVALUE);
    EXPECT_EQ(rm->Tick(INFINITY), D3DRMERR_BADVALUE);
}

}  // namespace
