#include "rmkit/clear.h"

#include "platform/rm/light.h"
#include "rmkit/error_report.h"

namespace {

// Where each step of one pass is reported.
struct PassReport {
    int ArrayLine;
    const char* ArrayCall;
    int ElementLine;
    const char* ElementCall;
    int DeleteLine;
    const char* DeleteCall;
};

// One pass: take the snapshot array, then for each index (the size read again before every
// element) take the element, remove it from the frame and release it. False after a failure,
// which has been reported; whatever is in hand is released.
template <class Array, class Element, class GetArray, class Delete>
bool ClearPass(GetArray getArray, Delete remove, const PassReport& report)
{
    Array* items = nullptr;
    HRESULT hr = getArray(&items);
    if (FAILED(hr)) {
        ReportHResult("_Clear", report.ArrayLine, hr, report.ArrayCall);
        return false;
    }
    for (DWORD i = 0; items && i < items->GetSize(); ++i) {
        Element* item = nullptr;
        hr = items->GetElement(i, &item);
        if (FAILED(hr)) {
            ReportHResult("_Clear", report.ElementLine, hr, report.ElementCall);
            items->Release();
            return false;
        }
        hr = remove(item);
        if (FAILED(hr)) {
            ReportHResult("_Clear", report.DeleteLine, hr, report.DeleteCall);
            if (item)
                item->Release();
            items->Release();
            return false;
        }
        if (item)
            item->Release();
    }
    if (items)
        items->Release();
    return true;
}

}  // namespace

void ClearFrame(IDirect3DRMFrame* IPar)
{
    if (!IPar)
        return;
    if (!ClearPass<IDirect3DRMLightArray, IDirect3DRMLight>(
            [&](IDirect3DRMLightArray** a) { return IPar->GetLights(a); },
            [&](IDirect3DRMLight* l) { return IPar->DeleteLight(l); },
            {6, "IPar->GetLights(&ILights)", 9, "ILights->GetElement(i, &Ilight)", 10, "IPar->DeleteLight(Ilight)"}))
        return;
    if (!ClearPass<IDirect3DRMVisualArray, IDirect3DRMVisual>(
            [&](IDirect3DRMVisualArray** a) { return IPar->GetVisuals(a); },
            [&](IDirect3DRMVisual* v) { return IPar->DeleteVisual(v); },
            {15, "IPar->GetVisuals(&IVisuals)", 18, "IVisuals->GetElement(i, &Ivisual)", 19,
             "IPar->DeleteVisual(Ivisual)"}))
        return;
    ClearPass<IDirect3DRMFrameArray, IDirect3DRMFrame>(
        [&](IDirect3DRMFrameArray** a) { return IPar->GetChildren(a); },
        [&](IDirect3DRMFrame* f) { return IPar->DeleteChild(f); },
        {24, "IPar->GetChildren(&IFrames)", 27, "IFrames->GetElement(i, &Iframe)", 28, "IPar->DeleteChild(Iframe)"});
}
