// Quarter turns of the cube's layers: the layer's cubie frames are gathered under the handle
// frame, which turns about the cube centre while the view renders a fixed number of frames.
#include "app/cube_form.h"

#include "app/turn_table.h"
#include "d3dvcs/d3d_view.h"
#include "platform/rm/rm.h"
#include "platform/ui/speed_button.h"

namespace {

constexpr double kPi = 3.141592653589793;

float Coordinate(const D3DVECTOR& v, TTurnAxis axis)
{
    switch (axis) {
    case TTurnAxis::X: return v.x;
    case TTurnAxis::Y: return v.y;
    case TTurnAxis::Z: return v.z;
    }
    return v.x;
}

D3DVECTOR AxisVector(TTurnAxis axis)
{
    switch (axis) {
    case TTurnAxis::X: return {1, 0, 0};
    case TTurnAxis::Y: return {0, 1, 0};
    case TTurnAxis::Z: return {0, 0, 1};
    }
    return {1, 0, 0};
}

}  // namespace

void TCubeForm::sb1Click(QObject* Sender) { Turn(1, Sender); }
void TCubeForm::sb2Click(QObject* Sender) { Turn(2, Sender); }
void TCubeForm::sb3Click(QObject* Sender) { Turn(3, Sender); }
void TCubeForm::sb4Click(QObject* Sender) { Turn(4, Sender); }
void TCubeForm::sb5Click(QObject* Sender) { Turn(5, Sender); }
void TCubeForm::sb6Click(QObject* Sender) { Turn(6, Sender); }
void TCubeForm::sb7Click(QObject* Sender) { Turn(7, Sender); }
void TCubeForm::sb8Click(QObject* Sender) { Turn(8, Sender); }
void TCubeForm::sb9Click(QObject* Sender) { Turn(9, Sender); }

TSpeedButton* TCubeForm::TurnButton(int turn) const
{
    TSpeedButton* const buttons[] = {sb1, sb2, sb3, sb4, sb5, sb6, sb7, sb8, sb9};
    return IsTurnNumber(turn) ? buttons[turn - kFirstTurn] : nullptr;
}

void TCubeForm::Turn(int turn, QObject* Sender)
{
    if (!SelectSlab(turn)) return;
    const D3DVECTOR axis = AxisVector(TurnLayer(turn).Axis);
    const double angle = TurnDirection * kPi * 0.5 / Steps;
    IHandleFrame->SetRotation(ICubeCenter, axis.x, axis.y, axis.z, static_cast<D3DVALUE>(angle));
    AnimateTurn();
    if (Sender != nullptr && Sender == TurnButton(turn)) RecordMove(turn);
}

bool TCubeForm::SelectSlab(int turn)
{
    if (!ICubeCenter || !IHandleFrame || !IsTurnNumber(turn)) return false;
    if (Turning) return false;
    ReleaseSlab();
    IDirect3DRMFrameArray* children = nullptr;
    if (FAILED(ICubeCenter->GetChildren(&children)) || !children) return false;
    const TTurnLayer layer = TurnLayer(turn);
    const DWORD count = children->GetSize();
    for (DWORD i = 0; i < count; ++i) {
        IDirect3DRMFrame* child = nullptr;
        if (FAILED(children->GetElement(i, &child)) || !child) continue;
        D3DVECTOR position{};
        if (SUCCEEDED(child->GetPosition(ICubeCenter, &position)) &&
            InLayer(layer, Coordinate(position, layer.Axis)))
            IHandleFrame->AddChild(child);
        child->Release();
    }
    children->Release();
    return true;
}

void TCubeForm::ReleaseSlab()
{
    if (!IHandleFrame || !ICubeCenter) return;
    IDirect3DRMFrameArray* children = nullptr;
    if (FAILED(IHandleFrame->GetChildren(&children)) || !children) return;
    const DWORD count = children->GetSize();
    for (DWORD i = 0; i < count; ++i) {
        IDirect3DRMFrame* child = nullptr;
        if (FAILED(children->GetElement(i, &child)) || !child) continue;
        ICubeCenter->AddChild(child);
        child->Release();
    }
    children->Release();
}

void TCubeForm::AnimateTurn()
{
    Turning = true;
    for (int i = 0; i < Steps; ++i) D3dView->Tick();
    IHandleFrame->SetRotation(ICubeCenter, 1, 0, 0, 0);
    IHandleFrame->SetRotation(ICubeCenter, 0, 1, 0, 0);
    IHandleFrame->SetRotation(ICubeCenter, 0, 0, 1, 0);
    Turning = false;
}

void TCubeForm::PlayMove(std::intptr_t turn)
{
    switch (turn) {
    case 1: sb1Click(this); break;
    case 2: sb2Click(this); break;
    case 3: sb3Click(this); break;
    case 4: sb4Click(this); break;
    case 5: sb5Click(this); break;
    case 6: sb6Click(this); break;
    case 7: sb7Click(this); break;
    case 8: sb8Click(this); break;
    case 9: sb9Click(this); break;
    default: break;
    }
}
