#include "rmkit/wraps.h"

#include "platform/rm/rm.h"
#include "rmkit/error_report.h"

TWrap::~TWrap()
{
    if (IWrap)
        IWrap->Release();
}

void TWrap::Apply()
{
    if (!IObject)
        return;
    if (IWrap) {
        IWrap->Release();
        IWrap = nullptr;
    }
    IDirect3DRM* IRM = nullptr;
    Direct3DRMCreate(&IRM);
    if (IRM) {
        HRESULT hr = IRM->CreateWrap(static_cast<D3DRMWRAPTYPE>(type), IFrameRef, ox, oy, oz, dx, dy, dz, ux, uy, uz,
                                     ou, ov, su, sv, &IWrap);
        // The retained-mode object is released on failure too, where a report alone would leave it.
        IRM->Release();
        if (FAILED(hr)) {
            IWrap = nullptr;
            ReportHResult("_Wraps", 20, hr,
                          "IRM->CreateWrap(type, IFrameRef, ox, oy, oz, dx, dy, dz, ux, uy, uz, ou, ov, su, sv, &IWrap)");
            return;
        }
    }
    if (!IWrap)
        return;
    if (IFrameRef) {
        HRESULT hr = IWrap->ApplyRelative(IFrameRef, IObject);
        if (FAILED(hr))
            ReportHResult("_Wraps", 25, hr, "IWrap->ApplyRelative(IFrameRef, IObject)");
    } else {
        HRESULT hr = IWrap->Apply(IObject);
        if (FAILED(hr))
            ReportHResult("_Wraps", 27, hr, "IWrap->Apply(IObject)");
    }
}

void DestroyAppData(IDirect3DRMObject* object, void*)
{
    if (!object)
        return;
    DWORD_PTR data = object->GetAppData();
    if (!data)
        return;
    delete reinterpret_cast<TAppData*>(data);
    object->SetAppData(0);
}
