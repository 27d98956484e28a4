#pragma once
// The viewport control: a windowless child of a TD3dView that owns one retained-mode viewport
// showing the scene in the rectangle it covers. It paints nothing (the view's picture shows
// through), follows its own bounds, keeps its viewport's settings across a re-created device,
// and offers overlay drawing of 3D points over the rendered scene.

#include "d3dvcs/overlay_canvas.h"
#include "d3dvcs/vport_data.h"
#include "platform/rm/rm.h"
#include "platform/ui/key_codes.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class TD3dView;

class TVport : public QWidget {
    Q_OBJECT
public:
    // The owner is also the parent (in the game, the view). Initial size 100 x 75.
    explicit TVport(QWidget* Owner = nullptr);
    ~TVport() override;
    TVport(const TVport&) = delete;
    TVport& operator=(const TVport&) = delete;

    // Creates the viewport on Idevice at the control's bounds with Icamera, gives it the
    // remembered settings and names it after the control (objectName).
    void CreateViewport(IDirect3DRM* IRM, IDirect3DRMDevice* Idevice, IDirect3DRMFrame* Icamera);
    // Remembers the viewport's settings and releases it.
    void ReleaseViewport();
    void SaveSettings();
    void ApplySettings();
    // Sets the viewport's camera; with Redraw and a TD3dView owner, redraws the view.
    void SetCamera(IDirect3DRMFrame* Icamera, bool Redraw);
    // The viewport's camera without a reference of its own (null without a viewport).
    IDirect3DRMFrame* GetCamera();
    // Puts the camera where Iframe is, facing where it faces.
    void AlignCamera(IDirect3DRMFrame* Iframe, bool Redraw);
    // Moves and resizes the control; its viewport follows.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // Marks the control's area of the device to be presented at the device's next update.
    void Update();

    // The owner given at construction, when it is (still) a view.
    TD3dView* OwnerView() const;
    QWidget* Owner() const { return FOwner; }

    // Overlay drawing over the rendered scene, in the view's reference frame.
    TCanvas& OverlayCanvas();
    // Projects a point to the control's pixel (x, y); (0, 0) when it is not visible.
    void Project3D(const D3DVECTOR& Point, int& x, int& y);
    void MoveTo3D(const D3DVECTOR& Point);
    void MoveTo3D(D3DVALUE x, D3DVALUE y, D3DVALUE z);
    void LineTo3D(const D3DVECTOR& Point);
    void LineTo3D(D3DVALUE x, D3DVALUE y, D3DVALUE z);
    void Line3D(const D3DVECTOR& P1, const D3DVECTOR& P2);
    void TextOut3D(const D3DVECTOR& Point, const QString& Text);

    TVportData VportData;                     // settings for the next viewport
    IDirect3DRMViewport* IRMVport = nullptr;  // counted reference; null while there is no device

signals:
    // Mouse events of the control; positions in its own coordinates.
    void MouseDown(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void MouseMove(QObject* Sender, TShiftState Shift, int X, int Y);
    void MouseUp(QObject* Sender, Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void Click(QObject* Sender);
    void DblClick(QObject* Sender);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Gives the viewport the control's current bounds and lets the view realign and redraw.
    void BoundsChanged();
    bool ShouldRedraw(bool Redraw) const;

    QPointer<QWidget> FOwner;
    std::unique_ptr<TCanvas> FCanvas;
    bool FPressed = false;
};
