#include "d3dvcs/vport_data.h"

TVportData::TVportData(const TVportData& other)
    : Uniform(other.Uniform), Vport(other.Vport), Camera(other.Camera), Projection(other.Projection),
      Back(other.Back), Front(other.Front), Field(other.Field), Left(other.Left), Right(other.Right),
      Bottom(other.Bottom), Top(other.Top)
{
    if (Camera) Camera->AddRef();
}

TVportData& TVportData::operator=(const TVportData& other)
{
    if (this == &other) return *this;
    if (other.Camera) other.Camera->AddRef();
    if (Camera) Camera->Release();
    Uniform = other.Uniform;
    Vport = other.Vport;
    Camera = other.Camera;
    Projection = other.Projection;
    Back = other.Back;
    Front = other.Front;
    Field = other.Field;
    Left = other.Left;
    Right = other.Right;
    Bottom = other.Bottom;
    Top = other.Top;
    return *this;
}

TVportData::~TVportData()
{
    if (Camera) Camera->Release();
}

void TVportData::ReadFrom(IDirect3DRMViewport* vp)
{
    if (!vp) return;
    Vport = vp;
    Projection = vp->GetProjection();
    Uniform = vp->GetUniformScaling() != 0;
    Back = vp->GetBack();
    Front = vp->GetFront();
    Field = vp->GetField();
    IDirect3DRMFrame* camera = nullptr;
    vp->GetCamera(&camera);
    if (Camera) Camera->Release();  // the camera read before
    Camera = camera;
    vp->GetPlane(&Left, &Right, &Bottom, &Top);
}

void TVportData::WriteTo(IDirect3DRMViewport* vp)
{
    if (!vp || !Vport) return;
    Vport = vp;
    vp->SetProjection(Projection);
    vp->SetUniformScaling(Uniform ? TRUE : FALSE);
    vp->SetBack(Back);
    vp->SetFront(Front);
    vp->SetField(Field);
    vp->SetCamera(Camera);
    vp->SetPlane(Left, Right, Bottom, Top);
}
