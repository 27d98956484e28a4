#include "platform/rm/ddraw_clipper.h"

namespace rm {

HRESULT Clipper::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDirectDrawClipper)
        return HandOutAs<IDirectDrawClipper>(object);
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT Clipper::SetHWnd(DWORD flags, HWND window)
{
    if (flags != 0)
        return DDERR_INVALIDPARAMS;
    window_ = window;
    return DD_OK;
}

HRESULT Clipper::GetHWnd(HWND* window)
{
    if (!window)
        return DDERR_INVALIDPARAMS;
    *window = window_;
    return DD_OK;
}

}  // namespace rm
