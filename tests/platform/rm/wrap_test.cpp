#include "rm_fixture.h"

#include <vector>

namespace {

using Wraps = RmTest;

struct WrapCase {
    const char* what;
    D3DRMWRAPTYPE type;
    D3DVECTOR direction, up;
    D3DVALUE ou, ov, su, sv;
    D3DVECTOR vertex;
    D3DVALUE u, v;
};

TEST_F(Wraps, GiveTheExpectedTextureCoordinates)
{
    const WrapCase cases[] = {
        {"flat, scaled and shifted", D3DRMWRAP_FLAT, {0, 0, 1}, {0, 1, 0}, 0.5f, 0, 2, 1, {1, 1, 0}, 1.5f, -1},
        {"flat, direction y and up z", D3DRMWRAP_FLAT, {0, 1, 0}, {0, 0, 1}, 0, 0, 1, 1, {1, 0, 2}, -1, -2},
        {"cylinder, on the up side", D3DRMWRAP_CYLINDER, {0, 1, 0}, {0, 0, 1}, 0, 0, 1, 1, {0, 5, 1}, 0, 5},
        {"cylinder, a quarter round", D3DRMWRAP_CYLINDER, {0, 1, 0}, {0, 0, 1}, 0, 0, 1, 1, {-1, 0, 0}, 0.25f, 0},
        {"sphere, at the pole", D3DRMWRAP_SPHERE, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1, {0, 0, 3}, 0, 0},
        {"sphere, on the equator", D3DRMWRAP_SPHERE, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1, {1, 0, 0}, 0.25f, 0.5f},
    };
    for (const WrapCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto b = Builder();
        b->AddVertex(c.vertex.x, c.vertex.y, c.vertex.z);
        rm::RefPtr<IDirect3DRMWrap> wrap;
        ASSERT_EQ(rm->CreateWrap(c.type, nullptr, 0, 0, 0, c.direction.x, c.direction.y, c.direction.z, c.up.x,
                                 c.up.y, c.up.z, c.ou, c.ov, c.su, c.sv, wrap.put()),
                  S_OK);
        ASSERT_EQ(wrap->Apply(b.get()), S_OK);
        D3DVALUE u, v;
        b->GetTextureCoordinates(0, &u, &v);
        EXPECT_NEAR(u, c.u, 1e-6);
        EXPECT_NEAR(v, c.v, 1e-6);
    }
}

TEST_F(Wraps, ChromeReflectsTheViewAboutTheNormal)
{
    auto b = Builder();
    D3DVECTOR v[3] = {{-1, -1, 5}, {0, 1, 5}, {1, -1, 5}};  // faces the viewer at the origin
    DWORD faces[] = {3, 0, 1, 2, 0};
    b->AddFaces(3, v, 0, nullptr, faces, nullptr);
    rm::RefPtr<IDirect3DRMWrap> wrap;
    rm->CreateWrap(D3DRMWRAP_CHROME, nullptr, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1, wrap.put());
    ASSERT_EQ(wrap->Apply(b.get()), S_OK);
    D3DVALUE u, tv;
    b->GetTextureCoordinates(1, &u, &tv);
    // The ray to (0, 1, 5) comes back toward the viewer, almost straight: far from the +z pole.
    EXPECT_GT(tv, 0.9f);
}

TEST_F(Wraps, ApplyRelativeUsesTheReferenceFramesCoordinates)
{
    auto scene = Frame();
    auto ref = Frame(scene.get());
    ref->SetPosition(nullptr, 10, 0, 0);
    auto holder = Frame(scene.get());
    holder->SetPosition(nullptr, 11, 0, 0);
    auto b = Builder();
    b->AddVertex(0, 0, 0);
    rm::RefPtr<IDirect3DRMWrap> wrap;
    rm->CreateWrap(D3DRMWRAP_FLAT, ref.get(), 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1, wrap.put());
    ASSERT_EQ(wrap->ApplyRelative(holder.get(), b.get()), S_OK);
    D3DVALUE u, v;
    b->GetTextureCoordinates(0, &u, &v);
    EXPECT_NEAR(u, 1, 1e-6);
    EXPECT_NEAR(v, 0, 1e-6);
}

TEST_F(Wraps, RefusesWhatCannotBeWrapped)
{
    rm::RefPtr<IDirect3DRMWrap> wrap;
    EXPECT_EQ(rm->CreateWrap(static_cast<D3DRMWRAPTYPE>(4), nullptr, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1, wrap.put()),
              D3DRMERR_BADVALUE);
    EXPECT_EQ(rm->CreateWrap(D3DRMWRAP_FLAT, nullptr, 0, 0, 0, 0, 1, 0, 0, 2, 0, 0, 0, 1, 1, wrap.put()),
              D3DRMERR_BADVALUE);  // up along the direction
    ASSERT_EQ(rm->CreateWrap(D3DRMWRAP_FLAT, nullptr, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1, wrap.put()), S_OK);
    EXPECT_EQ(wrap->Apply(nullptr), D3DRMERR_BADOBJECT);
    auto frame = Frame();
    EXPECT_EQ(wrap->Apply(frame.get()), D3DRMERR_BADOBJECT);
    EXPECT_EQ(wrap->ApplyRelative(nullptr, frame.get()), D3DRMERR_BADOBJECT);
}

}  // namespace
