#pragma once
// The window a device draws into, as the library sees it. The view layer implements
// IWindowSurface for its window and hands the library a pointer to it as the window handle
// (HWND) through IDirectDrawClipper::SetHWnd; the library never sees the toolkit behind it.

#include <cstdint>

namespace rm {

// Half-open rectangle of device pixels: [left, right) x [top, bottom).
struct SurfaceRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct IWindowSurface {
    // Shows the pixels of dirty (device coordinates, the device covering the window from its
    // top-left corner). pixels is the device's whole colour buffer, width x height pixels of
    // 0xAARRGGBB, stride pixels from one row to the next; it is only valid during the call, so
    // the window copies what it keeps. dirty lies within the buffer; parts of it beyond the
    // window's client area are to be ignored. The window may wait here for the display's next
    // refresh so that rendered frames are seen one by one.
    virtual void Present(const std::uint32_t* pixels, int stride, int width, int height,
                         const SurfaceRect& dirty) = 0;
    // Client area size in pixels.
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;

protected:
    ~IWindowSurface() = default;
};

}  // namespace rm

// A window: the surface that shows it. Null is no window.
using HWND = rm::IWindowSurface*;
