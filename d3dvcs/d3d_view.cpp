#include "d3dvcs/d3d_view.h"

#include "d3dvcs/fpu_mask.h"
#include "d3dvcs/vport.h"
#include "platform/rm/d3d_types.h"
#include "platform/sys/screen_metrics.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"
#include "rmkit/clear.h"
#include "rmkit/error_report.h"
#include "rmkit/render_state.h"

#include <QGuiApplication>
#include <QPalette>

namespace {
template <class T>
void ReleaseAndNull(T*& reference)
{
    if (reference) {
        reference->Release();
        reference = nullptr;
    }
}
}  // namespace

TD3dView::TD3dView(QWidget* Owner) : QWidget(Owner)
{
    // The view paints every pixel itself (device picture or background colour).
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    MaskFloatingPointExceptions();

    FRMTickValue = 1;
    resize(200, 150);
    FColor = palette().color(QPalette::Window);
    FPacePresents = QGuiApplication::platformName() != QLatin1String("offscreen");

    Direct3DRMCreate(&IRM);
    if (IRM) {
        IRM->CreateFrame(nullptr, &IScene);
        IRM->CreateFrame(IScene, &ICamera);
        IRefFrame = IScene;
        IRM->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.5f, 0.5f, 0.5f, &IAmbient);
        if (IScene && IAmbient) IScene->AddLight(IAmbient);
    }
    DirectDrawCreate(nullptr, &IDDraw, nullptr);
    if (IDDraw) IDDraw->CreateClipper(0, &IClipper, nullptr);
}

TD3dView::~TD3dView()
{
    // An idle handler bound to this view must not outlive it.
    if (Application && Application->OnIdle == TIdleEvent::Bind(this, &TD3dView::AppIdle))
        Application->OnIdle = {};

    for (TVport* port : Viewports()) ReleaseAndNull(port->IRMVport);
    ReleaseAndNull(IRMDevice);
    ReleaseAndNull(IAmbient);
    ReleaseAndNull(ICamera);
    ClearFrame(IScene);
    ReleaseAndNull(IScene);
    ReleaseAndNull(IRM);
    // A device kept alive elsewhere must not present into a window that is gone.
    if (IClipper) IClipper->SetHWnd(0, nullptr);
    ReleaseAndNull(IClipper);
    ReleaseAndNull(IDDraw);
    Shortcuts.clear();
}

HWND TD3dView::Handle()
{
    if (!FHandleAllocated) {
        FHandleAllocated = true;
        WMCreate();
    }
    return this;
}

void TD3dView::WMCreate()
{
    if (!IRMDevice) CreateDevice(nullptr);
}

std::vector<TVport*> TD3dView::Viewports() const
{
    std::vector<TVport*> ports;
    for (QObject* child : children())
        if (auto* port = qobject_cast<TVport*>(child)) ports.push_back(port);
    return ports;
}

void TD3dView::CreateDevice(const GUID* Driver)
{
    const HWND window = Handle();
    if (!IRM || !IClipper) return;
    HRESULT hr = IClipper->SetHWnd(0, window);
    if (FAILED(hr)) {
        ReportHResult("_D3dView", 46, hr, "IClipper->SetHWnd(0, Handle)");
        return;
    }

    for (TVport* port : Viewports()) port->ReleaseViewport();
    ReleaseAndNull(IRMDevice);

    const ScreenSize screen = GetScreenSize();
    hr = IRM->CreateDeviceFromClipper(IClipper, const_cast<GUID*>(Driver), screen.Width, screen.Height, &IRMDevice);
    if (FAILED(hr)) {
        const QString text = QStringLiteral("Could't create device\nHRESULT = ") +
                             QString::fromStdString(HResultText(hr)) +
                             QStringLiteral("\nTrying to use default driver!");
        Application->MessageBox(text, QStringLiteral("Device error"), MB_OK | MB_ICONEXCLAMATION);
        ReleaseAndNull(IRMDevice);
        hr = IRM->CreateDeviceFromClipper(IClipper, nullptr, screen.Width, screen.Height, &IRMDevice);
        if (FAILED(hr)) {
            IRMDevice = nullptr;
            ReportHResult("_D3dView", 67, hr,
                          "IRM->CreateDeviceFromClipper( IClipper, NULL, width, height, &IRMDevice)");
            return;
        }
    }

    for (TVport* port : Viewports()) port->CreateViewport(IRM, IRMDevice, ICamera);
    if (FCullNone) SetDeviceRenderState(IRMDevice, D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
    UpdateBackground();
}

void TD3dView::SetRefFrame(IDirect3DRMFrame* Frame) { IRefFrame = Frame ? Frame : IScene; }

void TD3dView::DeviceActivate(WORD State)
{
    if (!IRMDevice) return;
    IDirect3DRMWinDevice* winDevice = nullptr;
    if (SUCCEEDED(IRMDevice->QueryInterface(IID_IDirect3DRMWinDevice, reinterpret_cast<void**>(&winDevice))) &&
        winDevice) {
        winDevice->HandleActivate(State);
        winDevice->Release();
    }
}

void TD3dView::SetColor(const QColor& Value)
{
    FColor = Value;
    // Parts of the view that no viewport covers show the colour itself.
    if (!FPicture.isNull()) FPicture.fill(FColor);
    update();
    UpdateBackground();
}

void TD3dView::UpdateBackground()
{
    if (!IScene) return;
    const QRgb rgb = FColor.rgb();
    constexpr D3DVALUE scale = 1.0f / 255.0f;
    IScene->SetSceneBackgroundRGB(static_cast<D3DVALUE>(qRed(rgb)) * scale, static_cast<D3DVALUE>(qGreen(rgb)) * scale,
                                  static_cast<D3DVALUE>(qBlue(rgb)) * scale);
    Redraw();
}
