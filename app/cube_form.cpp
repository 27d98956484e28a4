#include "app/cube_form.h"

#include "app/game_clock.h"
#include "app/splash_form.h"
#include "d3dvcs/d3d_view.h"
#include "d3dvcs/vport.h"
#include "platform/ui/align.h"
#include "platform/ui/application.h"
#include "platform/ui/fonts.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "rmkit/error_report.h"
#include "scene/scene_reader.h"
#include "setup/setup_form.h"

#include <QResizeEvent>

#include <algorithm>

TCubeForm* CubeForm = nullptr;

namespace {

const char* const kModule = "_ConsDes";

// Reports a failed call of the construction; true when the call succeeded.
bool Checked(HRESULT hr, int line, const char* callText)
{
    if (SUCCEEDED(hr)) return true;
    ReportHResult(kModule, line, hr, callText);
    return false;
}

// The process's frame named `name`, as one counted reference in *frame. An object of that name
// that is not a frame counts as not found.
HRESULT GetNamedFrame(IDirect3DRM* rm, const char* name, IDirect3DRMFrame** frame)
{
    *frame = nullptr;
    IDirect3DRMObject* object = nullptr;
    HRESULT hr = rm->GetNamedObject(name, &object);
    if (FAILED(hr)) return hr;
    if (!object) return D3DRMERR_NOTFOUND;
    hr = object->QueryInterface(IID_IDirect3DRMFrame, reinterpret_cast<void**>(frame));
    object->Release();
    return hr;
}

// Releases a counted reference held in a field and clears the field.
template <class T>
void ReleaseAndClear(T*& reference)
{
    if (!reference) return;
    T* object = reference;
    reference = nullptr;
    object->Release();
}

}  // namespace

TCubeForm::TCubeForm(QWidget* Owner) : TCubeForm(Owner, "ZTARN_SCENE") {}

TCubeForm::TCubeForm(QWidget* Owner, const char* sceneResource) : TForm(Owner), Now(CurrentDateTime)
{
    // The form itself and its controls.
    setObjectName(QStringLiteral("CubeForm"));
    SetCaption(QStringLiteral("Z-Tarn"));
    SetFormSize(441, 317);
    SetScreenCenter(true);
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    KeyPreview = true;
    OnKeyDown = [this](QObject* sender, int& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    CreateControls();

    // The game's fields start as declared: no moves, five frames per quarter turn, clock at zero.
    Build3D(sceneResource);
}

void TCubeForm::Build3D(const char* sceneResource)
{
    D3dView = new TD3dView(this);
    D3dView->setObjectName(QStringLiteral("D3dView"));
    SetAlign(D3dView, TAlign::alClient);

    LeftPort = new TVport(D3dView);
    LeftPort->resize(D3dView->width() / 2, LeftPort->height());
    SetAlign(LeftPort, TAlign::alLeft);
    LeftPort->setObjectName(QStringLiteral("LefPort"));

    Splitter = new TPanel(D3dView);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->resize(5, Splitter->height());
    SetAlign(Splitter, TAlign::alLeft);
    Splitter->SetColor(Splitter->palette().color(QPalette::Window));  // not the view's picture
    Splitter->setCursor(Qt::SplitHCursor);
    connect(Splitter, &TPanel::MouseUp, this, &TCubeForm::SplitterMouseUp);

    RightPort = new TVport(D3dView);
    SetAlign(RightPort, TAlign::alClient);
    RightPort->setObjectName(QStringLiteral("RighPort"));

    D3dView->CreateDevice(nullptr);
    // Without a device (both of the view's attempts failed) the viewports have nothing to act
    // on: report it like a failed call and leave the form without a game.
    if (!D3dView->IRMDevice || !LeftPort->IRMVport || !RightPort->IRMVport) {
        Checked(D3DRMERR_BADDEVICE, 37, "D3dView->CreateDevice(NULL)");
        return;
    }

    if (!Checked(LeftPort->IRMVport->SetProjection(D3DRMPROJECT_ORTHOGRAPHIC), 38,
                 "LeftPort->IRMVport-> SetProjection(D3DRMPROJECT_ORTHOGRAPHIC)"))
        return;
    if (!Checked(LeftPort->IRMVport->SetField(6.0f), 39, "LeftPort->IRMVport->SetField(6)")) return;
    if (!Checked(RightPort->IRMVport->SetProjection(D3DRMPROJECT_ORTHOGRAPHIC), 41,
                 "RightPort->IRMVport-> SetProjection(D3DRMPROJECT_ORTHOGRAPHIC)"))
        return;
    if (!Checked(RightPort->IRMVport->SetField(6.0f), 42, "RightPort->IRMVport->SetField(6)")) return;
    if (!Checked(D3dView->IRMDevice->SetQuality(D3DRMRENDER_GOURAUD), 43,
                 "D3dView->IRMDevice->SetQuality(D3DRMRENDER_GOURAUD)"))
        return;
    if (!Checked(LoadSceneID(D3dView->IScene, sceneResource, nullptr), 46,
                 "LoadSceneID(D3dView->IScene, \"ZTARN_SCENE\")"))
        return;

    IDirect3DRMFrame* leftCamera = nullptr;
    IDirect3DRMFrame* rightCamera = nullptr;
    const auto releaseCameras = [&] {
        ReleaseAndClear(leftCamera);
        ReleaseAndClear(rightCamera);
    };
    if (!Checked(GetNamedFrame(D3dView->IRM, "LeftCameraFrame", &leftCamera), 53,
                 "IRM->GetNamedObject(\"LeftCameraFrame\", (LPDIRECT3DRMOBJECT*)&ILeftCamera)") ||
        !Checked(GetNamedFrame(D3dView->IRM, "RightCameraFrame", &rightCamera), 55,
                 "IRM->GetNamedObject(\"RightCameraFrame\", (LPDIRECT3DRMOBJECT*)&IRightCamera)") ||
        !Checked(GetNamedFrame(D3dView->IRM, "ZTarnCenter", &ICubeCenter), 57,
                 "IRM->GetNamedObject(\"ZTarnCenter\", (LPDIRECT3DRMOBJECT*)&ICubeCenter)") ||
        !Checked(D3dView->IRM->CreateFrame(D3dView->IScene, &IHandleFrame), 60,
                 "IRM->CreateFrame(D3dView->IScene, &IHandleFrame)")) {
        releaseCameras();
        return;
    }

    // Each viewport holds its own reference to its camera.
    LeftPort->SetCamera(leftCamera, false);
    RightPort->SetCamera(rightCamera, false);
    releaseCameras();

    NewGame();
    Application->OnIdle = TIdleEvent::Bind(this, &TCubeForm::GameIdle);
}

TCubeForm::~TCubeForm() { FormDestroy(this); }

void TCubeForm::FormDestroy(QObject*)
{
    Application->OnIdle = {};
    ReleaseAndClear(ICubeCenter);
    ReleaseAndClear(IHandleFrame);
    Moves.clear();
    Moves.shrink_to_fit();
}

void TCubeForm::resizeEvent(QResizeEvent* event)
{
    TForm::resizeEvent(event);
    FormResize(this);
}

// The widest the left viewport may be: the splitter and one pixel of the right viewport stay
// in sight.
static int LeftPortLimit(const TCubeForm& form) { return form.paRight->x() - form.Splitter->width() - 1; }

void TCubeForm::FormResize(QObject*)
{
    if (!LeftPort || !Splitter) return;
    int w = LeftPort->width();
    if (w < 0)
        w = 0;
    else if (LeftPortLimit(*this) < w)
        w = LeftPortLimit(*this);
    SetLeftPortWidth(w);
}

void TCubeForm::SplitterMouseUp(QObject*, Qt::MouseButton, TShiftState, int X, int)
{
    int w = Splitter->x() + X - Splitter->width() / 2;
    if (w < 0)
        w = 0;
    else if (w > LeftPortLimit(*this))
        w = LeftPortLimit(*this);
    SetLeftPortWidth(w);
}

void TCubeForm::SetLeftPortWidth(int width)
{
    LeftPort->resize(std::max(0, width), LeftPort->height());
    // The splitter and the right viewport follow at once, also while the form is hidden.
    Realign(D3dView);
}

void TCubeForm::sbAboutClick(QObject*)
{
    if (SplashForm) SplashForm->ShowModal();
}

void TCubeForm::sbSetupClick(QObject*)
{
    if (!SetupForm) return;
    SetupForm->View = D3dView;
    SetupForm->ShowModal();
}
