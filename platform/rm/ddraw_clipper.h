#pragma once
// A clipper: the window a device presents to. Holds the window handle only (no reference: the
// window belongs to the view layer, which unbinds it before the window goes).

#include "platform/rm/d3d_com.h"
#include "platform/rm/ddraw.h"

namespace rm {

class Clipper final : public ComObject<IDirectDrawClipper> {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override;
    HRESULT SetHWnd(DWORD flags, HWND window) override;
    HRESULT GetHWnd(HWND* window) override;

    HWND Window() const { return window_; }

private:
    HWND window_ = nullptr;
};

}  // namespace rm
