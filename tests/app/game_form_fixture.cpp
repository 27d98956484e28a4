#include "game_form_fixture.h"

#include "platform/ui/speed_button.h"

#include <string>

namespace {

IDirect3DRMFrame* NamedFrame(IDirect3DRM* rm, const std::string& name)
{
    IDirect3DRMObject* object = nullptr;
    if (FAILED(rm->GetNamedObject(name.c_str(), &object)) || !object) return nullptr;
    IDirect3DRMFrame* frame = nullptr;
    object->QueryInterface(IID_IDirect3DRMFrame, reinterpret_cast<void**>(&frame));
    object->Release();
    return frame;
}

void ExpectNear(const D3DVECTOR& a, const D3DVECTOR& b, float tolerance, const std::string& what)
{
    EXPECT_NEAR(a.x, b.x, tolerance) << what;
    EXPECT_NEAR(a.y, b.y, tolerance) << what;
    EXPECT_NEAR(a.z, b.z, tolerance) << what;
}

}  // namespace

TCubiePlaces CubiePlaces(TCubeForm& form)
{
    TCubiePlaces places;
    for (int i = 1; i <= 26; ++i) {
        const std::string name = "Frame" + std::to_string(i);
        IDirect3DRMFrame* frame = NamedFrame(form.D3dView->IRM, name);
        if (!frame) {
            ADD_FAILURE() << name << " not found";
            continue;
        }
        TCubiePlace place;
        frame->GetPosition(form.ICubeCenter, &place.Position);
        frame->GetOrientation(form.ICubeCenter, &place.Direction, &place.Up);
        frame->Release();
        places[name] = place;
    }
    return places;
}

void ExpectSamePlaces(const TCubiePlaces& expected, const TCubiePlaces& actual, float tolerance)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (const auto& [name, place] : expected) {
        const auto found = actual.find(name);
        ASSERT_NE(found, actual.end()) << name;
        ExpectNear(place.Position, found->second.Position, tolerance, name + " position");
        ExpectNear(place.Direction, found->second.Direction, tolerance, name + " direction");
        ExpectNear(place.Up, found->second.Up, tolerance, name + " up");
    }
}

int ChildCount(IDirect3DRMFrame* frame)
{
    IDirect3DRMFrameArray* children = nullptr;
    if (FAILED(frame->GetChildren(&children)) || !children) return -1;
    const int count = static_cast<int>(children->GetSize());
    children->Release();
    return count;
}

void GameFormTest::SetUp()
{
    Form = std::make_unique<TCubeForm>(nullptr);
    Form->Now = [this] { return Clock; };
    ASSERT_TRUE(Boxes.Shown().empty()) << Boxes.Shown()[0].Text.toStdString();
    ASSERT_NE(Form->ICubeCenter, nullptr);
}

void GameFormTest::TearDown()
{
    Form.reset();
    Application->OnIdle = {};
}

void GameFormTest::StartPlay()
{
    int key = VK_SPACE;
    Form->FormKeyDown(Form.get(), key, {});
}

void GameFormTest::Click(int turn) { Form->TurnButton(turn)->click(); }
