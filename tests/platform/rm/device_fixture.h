#pragma once
// A retained-mode object, a device bound to an in-memory window and helpers to build small
// scenes, for the device, viewport and immediate-mode tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "platform/rm/d3d_device.h"
#include "platform/rm/ddraw.h"
#include "platform/rm/impl/ref_ptr.h"
#include "platform/rm/rm.h"

namespace rm::testing {

// A window that keeps what the device presents.
struct MemorySurface final : IWindowSurface {
    int width, height;
    std::vector<std::uint32_t> pixels;
    std::vector<SurfaceRect> presented;  // every rectangle presented, in order

    MemorySurface(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
    void Present(const std::uint32_t* src, int stride, int srcWidth, int srcHeight, const SurfaceRect& r) override
    {
        presented.push_back(r);
        for (int y = std::max(0, r.top); y < std::min({r.bottom, height, srcHeight}); ++y)
            for (int x = std::max(0, r.left); x < std::min({r.right, width, srcWidth}); ++x)
                pixels[static_cast<size_t>(y) * width + x] = src[static_cast<size_t>(y) * stride + x];
    }
    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFFu; }
    int Count(std::uint32_t rgb) const
    {
        int n = 0;
        for (std::uint32_t p : pixels)
            n += (p & 0xFFFFFFu) == rgb;
        return n;
    }
};

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kBlack = 0;

class DeviceTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 64, kHeight = 64;

    void SetUp() override { MakeDevice(nullptr, kWidth, kHeight); }

    void MakeDevice(const GUID* driver, int width, int height)
    {
        ASSERT_EQ(Direct3DRMCreate(rm.put()), S_OK);
        ASSERT_EQ(DirectDrawCreate(nullptr, dd.put(), nullptr), DD_OK);
        ASSERT_EQ(dd->CreateClipper(0, clipper.put(), nullptr), DD_OK);
        ASSERT_EQ(clipper->SetHWnd(0, &surface), DD_OK);
        ASSERT_EQ(rm->CreateDeviceFromClipper(clipper.get(), const_cast<GUID*>(driver), width, height, device.put()),
                  D3DRM_OK);
        ASSERT_EQ(rm->CreateFrame(nullptr, scene.put()), D3DRM_OK);
        ASSERT_EQ(rm->CreateFrame(scene.get(), camera.put()), D3DRM_OK);
        device->SetQuality(D3DRMRENDER_UNLITFLAT);
        device->SetShades(256);
        device->SetDither(FALSE);
    }

    // A viewport over the whole device, looking from the default camera.
    RefPtr<IDirect3DRMViewport> AddViewport(DWORD x = 0, DWORD y = 0, DWORD w = kWidth, DWORD h = kHeight)
    {
        RefPtr<IDirect3DRMViewport> v;
        EXPECT_EQ(rm->CreateViewport(device.get(), camera.get(), x, y, w, h, v.put()), D3DRM_OK);
        return v;
    }

    // A polygon (corners clockwise seen from its front) of one colour in a new child of parent.
    RefPtr<IDirect3DRMFrame> AddPolygon(IDirect3DRMFrame* parent, std::vector<D3DVECTOR> corners, D3DVALUE r,
                                        D3DVALUE g, D3DVALUE b, std::vector<D3DVECTOR> normals = {})
    {
        RefPtr<IDirect3DRMFrame> frame;
        EXPECT_EQ(rm->CreateFrame(parent, frame.put()), D3DRM_OK);
        RefPtr<IDirect3DRMMeshBuilder> mesh;
        EXPECT_EQ(rm->CreateMeshBuilder(mesh.put()), D3DRM_OK);
        std::vector<DWORD> data{static_cast<DWORD>(corners.size())};
        for (DWORD i = 0; i < corners.size(); ++i) {
            data.push_back(i);
            if (!normals.empty())
                data.push_back(i);
        }
        data.push_back(0);
        EXPECT_EQ(mesh->AddFaces(static_cast<DWORD>(corners.size()), corners.data(),
                                 static_cast<DWORD>(normals.size()), normals.empty() ? nullptr : normals.data(),
                                 data.data(), nullptr),
                  D3DRM_OK);
        EXPECT_EQ(mesh->SetColorRGB(r, g, b), D3DRM_OK);
        EXPECT_EQ(frame->AddVisual(mesh.get()), D3DRM_OK);
        return frame;
    }

    // The mesh builder that is the first visual of frame.
    RefPtr<IDirect3DRMMeshBuilder> MeshOf(IDirect3DRMFrame* frame)
    {
        RefPtr<IDirect3DRMVisualArray> visuals;
        RefPtr<IDirect3DRMVisual> visual;
        RefPtr<IDirect3DRMMeshBuilder> mesh;
        EXPECT_EQ(frame->GetVisuals(visuals.put()), D3DRM_OK);
        if (visuals && SUCCEEDED(visuals->GetElement(0, visual.put())))
            visual->QueryInterface(IID_IDirect3DRMMeshBuilder, reinterpret_cast<void**>(mesh.put()));
        EXPECT_TRUE(mesh);
        return mesh;
    }

    // A square of side 2 * half at depth z facing the default camera (its front towards -Z).
    RefPtr<IDirect3DRMFrame> AddFacingSquare(D3DVALUE z, D3DVALUE half, D3DVALUE r, D3DVALUE g, D3DVALUE b)
    {
        return AddPolygon(scene.get(), {{-half, half, z}, {half, half, z}, {half, -half, z}, {-half, -half, z}}, r, g,
                          b);
    }

    // Executes render-state entries (state, value) on the device's immediate-mode device.
    HRESULT ExecuteStates(const std::vector<std::pair<DWORD, DWORD>>& entries)
    {
        RefPtr<IDirect3DDevice> d3d;
        if (HRESULT hr = device->GetDirect3DDevice(d3d.put()); FAILED(hr))
            return hr;
        RefPtr<IDirect3DViewport> vp;
        if (HRESULT hr = d3d->NextViewport(nullptr, vp.put(), D3DNEXT_HEAD); FAILED(hr))
            return hr;
        D3DEXECUTEBUFFERDESC desc;
        desc.dwSize = sizeof desc;
        desc.dwFlags = D3DDEB_BUFSIZE;
        desc.dwBufferSize = static_cast<DWORD>(8 + 8 * entries.size());
        RefPtr<IDirect3DExecuteBuffer> buffer;
        EXPECT_EQ(d3d->CreateExecuteBuffer(&desc, buffer.put(), nullptr), D3D_OK);
        EXPECT_EQ(buffer->Lock(&desc), D3D_OK);
        auto* bytes = static_cast<BYTE*>(desc.lpData);
        D3DINSTRUCTION op{D3DOP_STATERENDER, sizeof(D3DSTATE), static_cast<WORD>(entries.size())};
        std::memcpy(bytes, &op, sizeof op);
        for (size_t i = 0; i < entries.size(); ++i) {
            D3DSTATE s{entries[i].first, entries[i].second};
            std::memcpy(bytes + 4 + 8 * i, &s, sizeof s);
        }
        D3DINSTRUCTION exit{D3DOP_EXIT, 0, 0};
        std::memcpy(bytes + 4 + 8 * entries.size(), &exit, sizeof exit);
        EXPECT_EQ(buffer->Unlock(), D3D_OK);
        D3DEXECUTEDATA data;
        data.dwSize = sizeof data;
        data.dwInstructionLength = desc.dwBufferSize;
        EXPECT_EQ(buffer->SetExecuteData(&data), D3D_OK);
        EXPECT_EQ(d3d->BeginScene(), D3D_OK);
        HRESULT hr = d3d->Execute(buffer.get(), vp.get(), D3DEXECUTE_UNCLIPPED);
        EXPECT_EQ(d3d->EndScene(), D3D_OK);
        return hr;
    }

    void Tick() { ASSERT_EQ(rm->Tick(0), D3DRM_OK); }

    // The window after a heartbeat that draws the whole of v again: moving v away and back
    // makes it forget its last frame.
    std::vector<std::uint32_t> WholeRedraw(IDirect3DRMViewport* v)
    {
        const LONG x = v->GetX(), y = v->GetY();
        const DWORD w = v->GetWidth(), h = v->GetHeight();
        EXPECT_EQ(v->Configure(x, y, w - 1, h), D3DRM_OK);
        EXPECT_EQ(v->Configure(x, y, w, h), D3DRM_OK);
        Tick();
        return surface.pixels;
    }

    MemorySurface surface{kWidth, kHeight};
    RefPtr<IDirect3DRM> rm;
    RefPtr<IDirectDraw> dd;
    RefPtr<IDirectDrawClipper> clipper;
    RefPtr<IDirect3DRMDevice> device;
    RefPtr<IDirect3DRMFrame> scene, camera;
};

}  // namespace rm::testing
