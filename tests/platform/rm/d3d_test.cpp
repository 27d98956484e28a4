// The immediate-mode device: render states through execute buffers (and their locks against
// the library's own settings), capabilities, driver enumeration and search.
#include <string>

#include "tests/platform/rm/device_fixture.h"

namespace rm::testing {
namespace {

class D3DTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        viewport = AddViewport();
    }
    RefPtr<IDirect3DRMViewport> viewport;
};

constexpr DWORD kBias = D3DSTATE_OVERRIDE_BIAS;

TEST_F(D3DTest, LockedCullNoneShowsBackFacesUnlockedOneIsUndoneByTheLibrary)
{
    // A square seen from behind: wound counter-clockwise on screen.
    auto back = AddPolygon(scene.get(), {{-1, 1, 5}, {-1, -1, 5}, {1, -1, 5}, {1, 1, 5}}, 1, 0, 0);
    Tick();
    EXPECT_EQ(surface.At(32, 32), kBlack);

    ASSERT_EQ(ExecuteStates({{D3DRENDERSTATE_CULLMODE, D3DCULL_NONE}}), D3D_OK);
    Tick();
    EXPECT_EQ(surface.At(32, 32), kBlack) << "an unlocked state gives way to the library's own value";

    ASSERT_EQ(ExecuteStates({{kBias + D3DRENDERSTATE_CULLMODE, 0},
                             {D3DRENDERSTATE_CULLMODE, D3DCULL_NONE},
                             {kBias + D3DRENDERSTATE_CULLMODE, 1}}),
              D3D_OK);
    Tick();
    EXPECT_EQ(surface.At(32, 32), kRed);
    Tick();
    EXPECT_EQ(surface.At(32, 32), kRed) << "the lock lasts";

    // CW culls the fronts: the back face stays, a front face goes.
    ASSERT_EQ(ExecuteStates({{D3DRENDERSTATE_CULLMODE, D3DCULL_CW}}), D3D_OK);
    auto front = AddFacingSquare(4, 0.5f, 0, 1, 0);
    Tick();
    EXPECT_EQ(surface.At(32, 32), kRed);
}

TEST_F(D3DTest, DepthStatesDecideWhichSquareShows)
{
    auto red = AddFacingSquare(5, 1, 1, 0, 0);    // near, drawn first
    auto green = AddFacingSquare(10, 3, 0, 1, 0); // far, drawn second
    struct Case {
        std::vector<std::pair<DWORD, DWORD>> states;
        std::uint32_t centre;
    } cases[] = {
        {{}, kRed},
        {{{D3DRENDERSTATE_ZFUNC, D3DCMP_GREATER}, {kBias + D3DRENDERSTATE_ZFUNC, 1}}, kGreen},
        {{{D3DRENDERSTATE_ZFUNC, D3DCMP_ALWAYS}}, kGreen},
        {{{D3DRENDERSTATE_ZFUNC, D3DCMP_NEVER}}, kBlack},
        {{{D3DRENDERSTATE_ZFUNC, D3DCMP_LESSEQUAL}, {D3DRENDERSTATE_ZENABLE, FALSE}, {kBias + D3DRENDERSTATE_ZENABLE, 1}},
         kGreen},
        {{{D3DRENDERSTATE_ZENABLE, TRUE}, {D3DRENDERSTATE_ZWRITEENABLE, FALSE}, {kBias + D3DRENDERSTATE_ZWRITEENABLE, 1}},
         kGreen},
        {{{D3DRENDERSTATE_ZWRITEENABLE, TRUE}}, kRed},
    };
    int i = 0;
    for (const Case& c : cases) {
        if (!c.states.empty()) {
            ASSERT_EQ(ExecuteStates(c.states), D3D_OK);
        }
        Tick();
        EXPECT_EQ(surface.At(32, 32), c.centre) << "case " << i++;
    }
}

TEST_F(D3DTest, BadExecutionsFailWithoutHarm)
{
    RefPtr<IDirect3DDevice> d3d;
    ASSERT_EQ(device->GetDirect3DDevice(d3d.put()), D3DRM_OK);
    RefPtr<IDirect3DViewport> vp;
    ASSERT_EQ(d3d->NextViewport(nullptr, vp.put(), D3DNEXT_HEAD), D3D_OK);
    RefPtr<IDirect3DViewport> next;
    EXPECT_EQ(d3d->NextViewport(vp.get(), next.put(), D3DNEXT_NEXT), DDERR_NOTFOUND);
    EXPECT_EQ(next.get(), nullptr);

    D3DEXECUTEBUFFERDESC desc;
    desc.dwSize = sizeof desc;
    desc.dwFlags = 0;
    desc.dwBufferSize = 32;
    RefPtr<IDirect3DExecuteBuffer> buffer;
    EXPECT_EQ(d3d->CreateExecuteBuffer(&desc, buffer.put(), nullptr), DDERR_INVALIDPARAMS) << "size not flagged";
    desc.dwFlags = D3DDEB_BUFSIZE;
    ASSERT_EQ(d3d->CreateExecuteBuffer(&desc, buffer.put(), nullptr), D3D_OK);

    // A state entry, then an instruction claiming more entries than the buffer holds.
    ASSERT_EQ(buffer->Lock(&desc), D3D_OK);
    EXPECT_EQ(buffer->Lock(&desc), D3DERR_EXECUTE_LOCKED);
    auto* bytes = static_cast<BYTE*>(desc.lpData);
    D3DINSTRUCTION ops[2] = {{D3DOP_STATERENDER, 8, 1}, {D3DOP_STATERENDER, 8, 200}};
    D3DSTATE cull{D3DRENDERSTATE_CULLMODE, D3DCULL_NONE};
    std::memcpy(bytes, &ops[0], 4);
    std::memcpy(bytes + 4, &cull, 8);
    std::memcpy(bytes + 12, &ops[1], 4);
    D3DEXECUTEDATA data;
    data.dwSize = sizeof data;
    data.dwInstructionLength = 33;
    EXPECT_EQ(buffer->SetExecuteData(&data), DDERR_INVALIDPARAMS) << "beyond the buffer";
    data.dwInstructionLength = 32;
    ASSERT_EQ(buffer->SetExecuteData(&data), D3D_OK);
    EXPECT_EQ(d3d->BeginScene(), D3D_OK);
    EXPECT_EQ(d3d->BeginScene(), D3DERR_SCENE_IN_SCENE);
    EXPECT_EQ(d3d->Execute(buffer.get(), vp.get(), 0), D3DERR_EXECUTE_LOCKED);
    ASSERT_EQ(buffer->Unlock(), D3D_OK);
    EXPECT_EQ(d3d->Execute(buffer.get(), nullptr, 0), DDERR_INVALIDPARAMS);
    EXPECT_EQ(d3d->Execute(buffer.get(), vp.get(), 0), D3DERR_EXECUTE_FAILED);
    EXPECT_EQ(d3d->EndScene(), D3D_OK);
    EXPECT_EQ(d3d->Execute(buffer.get(), vp.get(), 0), D3DERR_SCENE_NOT_IN_SCENE);

    // A viewport of another device is refused.
    RefPtr<IDirect3DRMDevice> other;
    ASSERT_EQ(rm->CreateDeviceFromClipper(clipper.get(), nullptr, 8, 8, other.put()), D3DRM_OK);
    RefPtr<IDirect3DDevice> otherD3d;
    ASSERT_EQ(other->GetDirect3DDevice(otherD3d.put()), D3DRM_OK);
    EXPECT_EQ(otherD3d->NextViewport(nullptr, next.put(), D3DNEXT_HEAD), DDERR_NOTFOUND) << "no viewports yet";
    ASSERT_EQ(otherD3d->BeginScene(), D3D_OK);
    EXPECT_EQ(otherD3d->Execute(buffer.get(), vp.get(), 0), DDERR_INVALIDPARAMS);
    otherD3d->EndScene();
}

TEST_F(D3DTest, CapsDescribeTheDeviceAsSoftware)
{
    RefPtr<IDirect3DDevice> d3d;
    ASSERT_EQ(device->GetDirect3DDevice(d3d.put()), D3DRM_OK);
    D3DDEVICEDESC hw, hel;
    hw.dwSize = hel.dwSize = sizeof(D3DDEVICEDESC);
    hw.dcmColorModel = D3DCOLOR_RGB;  // stale content must be overwritten
    ASSERT_EQ(d3d->GetCaps(&hw, &hel), D3D_OK);
    EXPECT_EQ(hw.dcmColorModel, 0);
    EXPECT_EQ(hw.dwSize, sizeof(D3DDEVICEDESC));
    EXPECT_EQ(hel.dcmColorModel, D3DCOLOR_RGB);
    EXPECT_TRUE(hel.dwFlags & D3DDD_TRICAPS);
    EXPECT_TRUE(hel.dpcTriCaps.dwMiscCaps & D3DPMISCCAPS_CULLNONE);
}

struct Enumerated {
    GUID guid;
    std::string name, description;
    D3DDEVICEDESC hw, hel;
};

HRESULT Collect(GUID* guid, LPSTR description, LPSTR name, D3DDEVICEDESC* hw, D3DDEVICEDESC* hel, LPVOID context)
{
    static_cast<std::vector<Enumerated>*>(context)->push_back({*guid, name, description, *hw, *hel});
    return D3DENUMRET_OK;
}

TEST_F(D3DTest, EnumerationListsAnRgbAndAMonoDriverThatSearchFinds)
{
    RefPtr<IDirect3D> d3d;
    ASSERT_EQ(dd->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(d3d.put())), S_OK);
    std::vector<Enumerated> drivers;
    ASSERT_EQ(d3d->EnumDevices(Collect, &drivers), D3D_OK);
    ASSERT_EQ(drivers.size(), 2u);
    EXPECT_NE(drivers[0].guid, drivers[1].guid);
    EXPECT_NE(drivers[0].name, drivers[1].name);
    EXPECT_FALSE(drivers[0].description.empty());
    EXPECT_EQ(drivers[0].hw.dcmColorModel, 0);
    EXPECT_EQ(drivers[0].hel.dcmColorModel, D3DCOLOR_RGB);
    EXPECT_EQ(drivers[1].hel.dcmColorModel, D3DCOLOR_MONO);
    EXPECT_TRUE(drivers[1].hel.dpcTriCaps.dwShadeCaps & D3DPSHADECAPS_COLORGOURAUDMONO);

    D3DFINDDEVICESEARCH search;
    search.dwSize = sizeof search;
    search.dwFlags = D3DFDS_COLORMODEL | D3DFDS_TRIANGLES;
    search.dcmColorModel = D3DCOLOR_MONO;
    search.dpcPrimCaps.dwMiscCaps = D3DPMISCCAPS_CULLNONE;
    D3DFINDDEVICERESULT result;
    result.dwSize = sizeof result;
    ASSERT_EQ(d3d->FindDevice(&search, &result), D3D_OK);
    EXPECT_EQ(result.guid, drivers[1].guid);
    EXPECT_EQ(result.dwSize, sizeof result);
    search.dwFlags |= D3DFDS_HARDWARE;
    search.bHardware = TRUE;
    EXPECT_EQ(d3d->FindDevice(&search, &result), DDERR_NOTFOUND);
    search.dwFlags = D3DFDS_TRIANGLES;
    search.dpcPrimCaps.dwShadeCaps = D3DPSHADECAPS_COLORPHONGRGB;
    ASSERT_EQ(d3d->FindDevice(&search, &result), D3D_OK);
    EXPECT_EQ(result.guid, drivers[0].guid);

    // Each driver makes devices of its colour model.
    for (const Enumerated& e : drivers) {
        RefPtr<IDirect3DRMDevice> d;
        ASSERT_EQ(rm->CreateDeviceFromClipper(clipper.get(), const_cast<GUID*>(&e.guid), 16, 16, d.put()), D3DRM_OK);
        EXPECT_EQ(d->GetColorModel(), e.hel.dcmColorModel);
    }
}

}  // namespace
}  // namespace rm::testing
