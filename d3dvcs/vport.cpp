#include "d3dvcs/vport.h"

#include "d3dvcs/d3d_view.h"
#include "rmkit/error_report.h"

#include <QMouseEvent>

#include <algorithm>

TVport::TVport(QWidget* Owner) : QWidget(Owner), FOwner(Owner)
{
    // No paint code: the view's picture shows through the control's rectangle.
    setMouseTracking(true);
    resize(100, 75);
}

TVport::~TVport()
{
    if (IRMVport) {
        IRMVport->Release();
        IRMVport = nullptr;
    }
}

TD3dView* TVport::OwnerView() const { return qobject_cast<TD3dView*>(FOwner.data()); }

void TVport::CreateViewport(IDirect3DRM* IRM, IDirect3DRMDevice* Idevice, IDirect3DRMFrame* Icamera)
{
    if (!Idevice || !IRM || !Icamera) return;
    if (IRMVport) ReleaseViewport();  // never leak a viewport still held
    const HRESULT hr = IRM->CreateViewport(Idevice, Icamera, static_cast<DWORD>(x()), static_cast<DWORD>(y()),
                                           static_cast<DWORD>(width()), static_cast<DWORD>(height()), &IRMVport);
    if (FAILED(hr)) {
        IRMVport = nullptr;
        ReportHResult("_Vport", 14, hr, "IRM->CreateViewport(Idevice, Icamera, Left, Top, Width, Height, &IRMVport)");
        return;
    }
    ApplySettings();
    if (IRMVport) IRMVport->SetName(objectName().toLocal8Bit().constData());
}

void TVport::ReleaseViewport()
{
    SaveSettings();
    if (IRMVport) {
        IRMVport->Release();
        IRMVport = nullptr;
    }
}

void TVport::SaveSettings() { VportData.ReadFrom(IRMVport); }

void TVport::ApplySettings() { VportData.WriteTo(IRMVport); }

bool TVport::ShouldRedraw(bool Redraw) const { return Redraw && parentWidget() && OwnerView(); }

void TVport::SetCamera(IDirect3DRMFrame* Icamera, bool Redraw)
{
    if (!Icamera || !IRMVport) return;
    const HRESULT hr = IRMVport->SetCamera(Icamera);
    if (FAILED(hr)) {
        ReportHResult("_Vport", 51, hr, "IRMVport->SetCamera(Icamera)");
        return;
    }
    if (ShouldRedraw(Redraw)) OwnerView()->Redraw();
}

IDirect3DRMFrame* TVport::GetCamera()
{
    if (!IRMVport) return nullptr;
    IDirect3DRMFrame* camera = nullptr;
    if (FAILED(IRMVport->GetCamera(&camera)) || !camera) return nullptr;
    camera->Release();  // the viewport keeps the camera alive
    return camera;
}

void TVport::AlignCamera(IDirect3DRMFrame* Iframe, bool Redraw)
{
    if (!Iframe || !IRMVport) return;
    IDirect3DRMFrame* camera = GetCamera();
    if (!camera) return;
    IDirect3DRMFrame* Iscene = nullptr;
    Iframe->GetScene(&Iscene);
    D3DVECTOR pos;
    D3DVECTOR dir;
    D3DVECTOR up;
    HRESULT hr = Iframe->GetPosition(Iscene, &pos);
    if (FAILED(hr)) {
        ReportHResult("_Vport", 66, hr, "Iframe->GetPosition(Iscene, &pos)");
    } else if (hr = Iframe->GetOrientation(Iscene, &dir, &up); FAILED(hr)) {
        ReportHResult("_Vport", 67, hr, "Iframe->GetOrientation(Iscene, &dir, &up)");
    } else {
        camera->SetPosition(Iscene, pos.x, pos.y, pos.z);
        camera->SetOrientation(Iscene, dir.x, dir.y, dir.z, up.x, up.y, up.z);
    }
    if (Iscene) Iscene->Release();
    if (SUCCEEDED(hr) && ShouldRedraw(Redraw)) OwnerView()->Redraw();
}

void TVport::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, AWidth, AHeight);
    // A control not shown yet gets its move and resize events only when shown.
    if (IRMVport) IRMVport->Configure(x(), y(), static_cast<DWORD>(width()), static_cast<DWORD>(height()));
}

void TVport::BoundsChanged()
{
    if (IRMVport) IRMVport->Configure(x(), y(), static_cast<DWORD>(width()), static_cast<DWORD>(height()));
    if (TD3dView* view = OwnerView(); view && parentWidget() == view) view->ChildBoundsChanged();
}

void TVport::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    BoundsChanged();
}

void TVport::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    BoundsChanged();
}

void TVport::Update()
{
    if (!IRMVport) return;
    const int left = std::max(0, x());
    const int top = std::max(0, y());
    const int right = std::max(left, x() + width());
    const int bottom = std::max(top, y() + height());
    IRMVport->ForceUpdate(static_cast<DWORD>(left), static_cast<DWORD>(top), static_cast<DWORD>(right),
                          static_cast<DWORD>(bottom));
}

void TVport::mousePressEvent(QMouseEvent* event)
{
    FPressed = true;
    const QPoint p = event->position().toPoint();
    emit MouseDown(this, event->button(), ShiftStateFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
    event->accept();
}

void TVport::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit MouseUp(this, event->button(), ShiftStateFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
    if (FPressed && rect().contains(p)) emit Click(this);
    FPressed = false;
    event->accept();
}

void TVport::mouseDoubleClickEvent(QMouseEvent* event)
{
    FPressed = false;  // the release after a double click is no click
    const QPoint p = event->position().toPoint();
    emit DblClick(this);
    emit MouseDown(this, event->button(), ShiftStateFromQt(event->modifiers(), event->buttons(), true), p.x(),
                   p.y());
    event->accept();
}

void TVport::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit MouseMove(this, ShiftStateFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
    event->accept();
}
