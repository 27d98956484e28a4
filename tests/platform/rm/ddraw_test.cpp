// Display objects: creation, capabilities, display modes, driver enumeration, clippers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rm/d3d_device.h"
#include "platform/rm/ddraw.h"
#include "platform/rm/impl/ref_ptr.h"

namespace rm {
namespace {

HRESULT CollectMode(DDSURFACEDESC* mode, LPVOID context)
{
    auto* out = static_cast<std::vector<std::string>*>(context);
    out->push_back(std::to_string(mode->dwWidth) + "x" + std::to_string(mode->dwHeight) + "x" +
                   std::to_string(mode->ddpfPixelFormat.dwRGBBitCount));
    return out->size() >= 3 ? DDENUMRET_CANCEL : DDENUMRET_OK;
}

TEST(DDraw, CreationInterfacesAndCaps)
{
    RefPtr<IDirectDraw> dd;
    EXPECT_EQ(DirectDrawCreate(nullptr, nullptr, nullptr), DDERR_INVALIDPARAMS);
    GUID unknown{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(DirectDrawCreate(&unknown, dd.put(), nullptr), DDERR_INVALIDDIRECTDRAWGUID);
    EXPECT_EQ(dd.get(), nullptr);
    ASSERT_EQ(DirectDrawCreate(nullptr, dd.put(), nullptr), DD_OK);
    RefPtr<IDirect3D> d3d;
    EXPECT_EQ(dd->QueryInterface(IID_IDirect3D, reinterpret_cast<void**>(d3d.put())), S_OK);
    RefPtr<IDirectDrawClipper> none;
    EXPECT_EQ(dd->QueryInterface(IID_IDirectDrawClipper, reinterpret_cast<void**>(none.put())), E_NOINTERFACE);

    DDCAPS driver, hel;
    driver.dwSize = hel.dwSize = sizeof(DDCAPS);
    ASSERT_EQ(dd->GetCaps(&driver, &hel), DD_OK);
    EXPECT_EQ(driver.dwSize, 316u);
    EXPECT_TRUE(driver.dwCaps & DDCAPS_BLT);
    EXPECT_EQ(dd->GetCaps(nullptr, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(dd->FlipToGDISurface(), DD_OK);

    std::vector<std::string> drivers;
    ASSERT_EQ(DirectDrawEnumerate(
                  [](GUID* guid, LPSTR, LPSTR name, LPVOID context) -> BOOL {
                      static_cast<std::vector<std::string>*>(context)->push_back(guid ? "guid" : name);
                      return TRUE;
                  },
                  &drivers),
              DD_OK);
    EXPECT_EQ(drivers, std::vector<std::string>{"display"});
}

TEST(DDraw, DisplayModesComeFromTheScreensWithFiltersAndCancel)
{
    RefPtr<IDirectDraw> dd;
    ASSERT_EQ(DirectDrawCreate(nullptr, dd.put(), nullptr), DD_OK);
    std::vector<std::string> modes;
    ASSERT_EQ(dd->EnumDisplayModes(0, nullptr, &modes, CollectMode), DD_OK);
    EXPECT_EQ(modes, (std::vector<std::string>{"640x480x16", "640x480x32", "800x600x16"})) << "stops on cancel";

    SetDisplayModes({{2560, 1440, 32, 60}, {1920, 1080, 32, 60}, {1920, 1080, 32, 60}, {0, 10, 32, 0}});
    modes.clear();
    ASSERT_EQ(dd->EnumDisplayModes(0, nullptr, &modes, CollectMode), DD_OK);
    EXPECT_EQ(modes, (std::vector<std::string>{"1920x1080x32", "2560x1440x32"}));

    DDSURFACEDESC filter;
    filter.dwSize = sizeof filter;
    filter.dwFlags = DDSD_WIDTH;
    filter.dwWidth = 2560;
    modes.clear();
    ASSERT_EQ(dd->EnumDisplayModes(0, &filter, &modes, CollectMode), DD_OK);
    EXPECT_EQ(modes, std::vector<std::string>{"2560x1440x32"});
    EXPECT_EQ(dd->EnumDisplayModes(0, nullptr, nullptr, nullptr), DDERR_INVALIDPARAMS);

    SetDisplayModes({});
    modes.clear();
    dd->EnumDisplayModes(0, nullptr, &modes, CollectMode);
    EXPECT_EQ(modes.front(), "640x480x16") << "back to the common modes";
}

TEST(DDraw, ClipperHoldsItsWindow)
{
    struct Window final : IWindowSurface {
        void Present(const std::uint32_t*, int, int, int, const SurfaceRect&) override {}
        int ClientWidth() const override { return 1; }
        int ClientHeight() const override { return 1; }
    } window;
    RefPtr<IDirectDraw> dd;
    ASSERT_EQ(DirectDrawCreate(nullptr, dd.put(), nullptr), DD_OK);
    RefPtr<IDirectDrawClipper> clipper;
    EXPECT_EQ(dd->CreateClipper(1, clipper.put(), nullptr), DDERR_INVALIDPARAMS);
    ASSERT_EQ(dd->CreateClipper(0, clipper.put(), nullptr), DD_OK);
    HWND bound = &window;
    ASSERT_EQ(clipper->GetHWnd(&bound), DD_OK);
    EXPECT_EQ(bound, nullptr);
    EXPECT_EQ(clipper->SetHWnd(1, &window), DDERR_INVALIDPARAMS);
    ASSERT_EQ(clipper->SetHWnd(0, &window), DD_OK);
    ASSERT_EQ(clipper->GetHWnd(&bound), DD_OK);
    EXPECT_EQ(bound, &window);
}

}  // namespace
}  // namespace rm
