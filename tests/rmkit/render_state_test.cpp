// Render states set through an execute buffer on the immediate-mode device.
#include "rmkit/render_state.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/rm/ddraw.h"
#include "platform/rm/impl/ref_ptr.h"
#include "platform/rm/rm.h"

namespace {

// An immediate-mode device that records calls and the bytes executed.
struct FakeBuffer final : IDirect3DExecuteBuffer {
    std::vector<BYTE> bytes;
    D3DEXECUTEDATA data;
    int refs = 1;
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    HRESULT Lock(D3DEXECUTEBUFFERDESC* d) override
    {
        bytes.assign(d->dwBufferSize, 0xCD);  // garbage the caller must clear
        d->lpData = bytes.data();
        return D3D_OK;
    }
    HRESULT Unlock() override { return D3D_OK; }
    HRESULT SetExecuteData(D3DEXECUTEDATA* d) override
    {
        data = *d;
        return D3D_OK;
    }
    HRESULT GetExecuteData(D3DEXECUTEDATA*) override { return D3D_OK; }
};

struct FakeViewport final : IDirect3DViewport {
    int refs = 1;
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    HRESULT GetRect(D3DRECT*) override { return D3D_OK; }
};

struct FakeDevice final : IDirect3DDevice {
    HRESULT viewportResult = D3D_OK;
    HRESULT executeResult = D3D_OK;
    FakeViewport viewport;
    FakeBuffer buffer;
    std::vector<std::string> calls;
    DWORD requestedSize = 0, requestedFlags = 0, executeFlags = 0;

    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT GetCaps(D3DDEVICEDESC*, D3DDEVICEDESC*) override { return D3D_OK; }
    HRESULT CreateExecuteBuffer(D3DEXECUTEBUFFERDESC* d, IDirect3DExecuteBuffer** out, IUnknown*) override
    {
        calls.push_back("create");
        requestedSize = d->dwBufferSize;
        requestedFlags = d->dwFlags;
        buffer.AddRef();
        *out = &buffer;
        return D3D_OK;
    }
    HRESULT BeginScene() override
    {
        calls.push_back("begin");
        return D3D_OK;
    }
    HRESULT EndScene() override
    {
        calls.push_back("end");
        return D3D_OK;
    }
    HRESULT Execute(IDirect3DExecuteBuffer* b, IDirect3DViewport* v, DWORD flags) override
    {
        calls.push_back(b == &buffer && v == &viewport ? "execute" : "execute elsewhere");
        executeFlags = flags;
        return executeResult;
    }
    HRESULT NextViewport(IDirect3DViewport*, IDirect3DViewport** out, DWORD flags) override
    {
        calls.push_back(flags == D3DNEXT_HEAD ? "head" : "next?");
        if (FAILED(viewportResult)) {
            *out = nullptr;
            return viewportResult;
        }
        viewport.AddRef();
        *out = &viewport;
        return D3D_OK;
    }
};

TEST(RenderState, ExecuteWritesUnlockSetLockAndExit)
{
    FakeDevice device;
    ASSERT_EQ(ExecuteRenderState(&device, D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), D3D_OK);
    EXPECT_EQ(device.calls, (std::vector<std::string>{"head", "create", "begin", "execute", "end"}));
    EXPECT_EQ(device.requestedSize, 32u);
    EXPECT_EQ(device.requestedFlags, D3DDEB_BUFSIZE);
    EXPECT_EQ(device.executeFlags, D3DEXECUTE_UNCLIPPED);
    EXPECT_EQ(device.buffer.data.dwInstructionOffset, 0u);
    EXPECT_EQ(device.buffer.data.dwInstructionLength, 32u);

    const std::vector<BYTE>& b = device.buffer.bytes;
    ASSERT_EQ(b.size(), 32u);
    D3DINSTRUCTION op;
    std::memcpy(&op, b.data(), 4);
    EXPECT_EQ(op.bOpcode, D3DOP_STATERENDER);
    EXPECT_EQ(op.bSize, 8);
    EXPECT_EQ(op.wCount, 3);
    DWORD entries[6];
    std::memcpy(entries, b.data() + 4, sizeof entries);
    EXPECT_EQ(std::vector<DWORD>(entries, entries + 6), (std::vector<DWORD>{278, 0, 22, 1, 278, 1}));
    std::memcpy(&op, b.data() + 28, 4);
    EXPECT_EQ(op.bOpcode, D3DOP_EXIT);
    EXPECT_EQ(op.bSize, 0);
    EXPECT_EQ(op.wCount, 0);
    EXPECT_EQ(device.buffer.refs, 1) << "the buffer is released";
    EXPECT_EQ(device.viewport.refs, 1) << "the viewport is released";
}

TEST(RenderState, FailuresEndTheChain)
{
    FakeDevice noViewport;
    noViewport.viewportResult = DDERR_NOTFOUND;
    EXPECT_EQ(ExecuteRenderState(&noViewport, D3DRENDERSTATE_ZFUNC, D3DCMP_ALWAYS), DDERR_NOTFOUND);
    EXPECT_EQ(noViewport.calls, std::vector<std::string>{"head"}) << "no execute buffer is made";

    FakeDevice failing;
    failing.executeResult = D3DERR_EXECUTE_FAILED;
    EXPECT_EQ(ExecuteRenderState(&failing, D3DRENDERSTATE_ZENABLE, 0), D3DERR_EXECUTE_FAILED);
    EXPECT_EQ(failing.calls.back(), "end") << "the scene is still ended";

    EXPECT_EQ(ExecuteRenderState(nullptr, D3DRENDERSTATE_ZENABLE, 0), E_INVALIDARG);
    EXPECT_EQ(SetDeviceRenderState(nullptr, D3DRENDERSTATE_ZENABLE, 0), E_INVALIDARG);
}

// On a real device: culling switched off survives the library's own settings at every render.
TEST(RenderState, SetDeviceRenderStateLocksTheStateOnTheDevice)
{
    struct Window final : rm::IWindowSurface {
        std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(16 * 16, 0);
        void Present(const std::uint32_t* src, int stride, int, int, const rm::SurfaceRect& r) override
        {
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    pixels[y * 16 + x] = src[y * stride + x] & 0xFFFFFF;
        }
        int ClientWidth() const override { return 16; }
        int ClientHeight() const override { return 16; }
    } window;
    rm::RefPtr<IDirect3DRM> d3drm;
    rm::RefPtr<IDirectDraw> dd;
    rm::RefPtr<IDirectDrawClipper> clipper;
    rm::RefPtr<IDirect3DRMDevice> device;
    rm::RefPtr<IDirect3DRMFrame> scene, camera, frame;
    rm::RefPtr<IDirect3DRMMeshBuilder> mesh;
    rm::RefPtr<IDirect3DRMViewport> viewport;
    ASSERT_EQ(Direct3DRMCreate(d3drm.put()), S_OK);
    ASSERT_EQ(DirectDrawCreate(nullptr, dd.put(), nullptr), DD_OK);
    ASSERT_EQ(dd->CreateClipper(0, clipper.put(), nullptr), DD_OK);
    ASSERT_EQ(clipper->SetHWnd(0, &window), DD_OK);
    ASSERT_EQ(d3drm->CreateDeviceFromClipper(clipper.get(), nullptr, 16, 16, device.put()), D3DRM_OK);
    EXPECT_EQ(SetDeviceRenderState(device.get(), D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), DDERR_NOTFOUND)
        << "no viewport yet";
    ASSERT_EQ(d3drm->CreateFrame(nullptr, scene.put()), D3DRM_OK);
    ASSERT_EQ(d3drm->CreateFrame(scene.get(), camera.put()), D3DRM_OK);
    ASSERT_EQ(d3drm->CreateFrame(scene.get(), frame.put()), D3DRM_OK);
    ASSERT_EQ(d3drm->CreateMeshBuilder(mesh.put()), D3DRM_OK);
    D3DVECTOR corners[4] = {{-1, 1, 5}, {-1, -1, 5}, {1, -1, 5}, {1, 1, 5}};  // its back to the camera
    DWORD faces[] = {4, 0, 1, 2, 3, 0};
    ASSERT_EQ(mesh->AddFaces(4, corners, 0, nullptr, faces, nullptr), D3DRM_OK);
    mesh->SetColorRGB(1, 1, 1);
    frame->AddVisual(mesh.get());
    ASSERT_EQ(d3drm->CreateViewport(device.get(), camera.get(), 0, 0, 16, 16, viewport.put()), D3DRM_OK);
    device->SetQuality(D3DRMRENDER_UNLITFLAT);
    d3drm->Tick(0);
    EXPECT_EQ(window.pixels[8 * 16 + 8], 0u);
    ASSERT_EQ(SetDeviceRenderState(device.get(), D3DRENDERSTATE_CULLMODE, D3DCULL_NONE), D3D_OK);
    d3drm->Tick(0);
    d3drm->Tick(0);
    EXPECT_EQ(window.pixels[8 * 16 + 8], 0xFFFFFFu);
}

}  // namespace
