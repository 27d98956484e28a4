#include "rmkit/clear.h"

#include "platform/rm/impl/ref_ptr.h"
#include "platform/rm/rm.h"
#include "platform/ui/message_box.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rm::RefPtr;

// A frame that passes the calls ClearFrame makes to a real frame, except the one step it is
// told to fail (the element steps fail through a wrapping array).
class FailingFrame final : public IDirect3DRMFrame {
public:
    enum class Step { Lights, LightElement, DeleteLight, Visuals, VisualElement, DeleteVisual, Children,
                      ChildElement, DeleteChild };

    FailingFrame(IDirect3DRMFrame* real, Step failing) : real_(real), failing_(failing) {}

    HRESULT GetLights(IDirect3DRMLightArray** a) override
    {
        return Snapshot<IDirect3DRMLight>(&IDirect3DRMFrame::GetLights, Step::Lights, Step::LightElement, a);
    }
    HRESULT DeleteLight(IDirect3DRMLight* l) override
    {
        return failing_ == Step::DeleteLight ? D3DRMERR_BADOBJECT : real_->DeleteLight(l);
    }
    HRESULT GetVisuals(IDirect3DRMVisualArray** a) override
    {
        return Snapshot<IDirect3DRMVisual>(&IDirect3DRMFrame::GetVisuals, Step::Visuals, Step::VisualElement, a);
    }
    HRESULT DeleteVisual(IDirect3DRMVisual* v) override
    {
        return failing_ == Step::DeleteVisual ? D3DRMERR_BADOBJECT : real_->DeleteVisual(v);
    }
    HRESULT GetChildren(IDirect3DRMFrameArray** a) override
    {
        return Snapshot<IDirect3DRMFrame>(&IDirect3DRMFrame::GetChildren, Step::Children, Step::ChildElement, a);
    }
    HRESULT DeleteChild(IDirect3DRMFrame* f) override
    {
        return failing_ == Step::DeleteChild ? D3DRMERR_BADOBJECT : real_->DeleteChild(f);
    }

    // Everything else is not needed by ClearFrame.
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT Clone(IUnknown*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT AddDestroyCallback(D3DRMOBJECTCALLBACK, void*) override { return E_NOTIMPL; }
    HRESULT DeleteDestroyCallback(D3DRMOBJECTCALLBACK, void*) override { return E_NOTIMPL; }
    HRESULT SetAppData(DWORD_PTR) override { return E_NOTIMPL; }
    DWORD_PTR GetAppData() override { return 0; }
    HRESULT SetName(LPCSTR) override { return E_NOTIMPL; }
    HRESULT GetName(LPDWORD, LPSTR) override { return E_NOTIMPL; }
    HRESULT GetClassName(LPDWORD, LPSTR) override { return E_NOTIMPL; }
    HRESULT AddChild(IDirect3DRMFrame*) override { return E_NOTIMPL; }
    HRESULT GetParent(IDirect3DRMFrame**) override { return E_NOTIMPL; }
    HRESULT GetScene(IDirect3DRMFrame**) override { return E_NOTIMPL; }
    HRESULT AddLight(IDirect3DRMLight*) override { return E_NOTIMPL; }
    HRESULT AddVisual(IDirect3DRMVisual*) override { return E_NOTIMPL; }
    HRESULT AddTransform(D3DRMCOMBINETYPE, D3DRMMATRIX4D) override { return E_NOTIMPL; }
    HRESULT GetTransform(D3DRMMATRIX4D) override { return E_NOTIMPL; }
    HRESULT AddTranslation(D3DRMCOMBINETYPE, D3DVALUE, D3DVALUE, D3DVALUE) override { return E_NOTIMPL; }
    HRESULT AddScale(D3DRMCOMBINETYPE, D3DVALUE, D3DVALUE, D3DVALUE) override { return E_NOTIMPL; }
    HRESULT AddRotation(D3DRMCOMBINETYPE, D3DVALUE, D3DVALUE, D3DVALUE, D3DVALUE) override { return E_NOTIMPL; }
    HRESULT SetPosition(IDirect3DRMFrame*, D3DVALUE, D3DVALUE, D3DVALUE) override { return E_NOTIMPL; }
    HRESULT GetPosition(IDirect3DRMFrame*, LPD3DVECTOR) override { return E_NOTIMPL; }
    HRESULT SetOrientation(IDirect3DRMFrame*, D3DVALUE, D3DVALUE, D3DVALUE, D3DVALUE, D3DVALUE, D3DVALUE) override
    {
        return E_NOTIMPL;
    }
    HRESULT GetOrientation(IDirect3DRMFrame*, LPD3DVECTOR, LPD3DVECTOR) override { return E_NOTIMPL; }
    HRESULT LookAt(IDirect3DRMFrame*, IDirect3DRMFrame*) override { return E_NOTIMPL; }
    HRESULT Transform(LPD3DVECTOR, LPD3DVECTOR) override { return E_NOTIMPL; }
    HRESULT InverseTransform(LPD3DVECTOR, LPD3DVECTOR) override { return E_NOTIMPL; }
    HRESULT SetVelocity(IDirect3DRMFrame*, D3DVALUE, D3DVALUE, D3DVALUE, BOOL) override { return E_NOTIMPL; }
    HRESULT GetVelocity(IDirect3DRMFrame*, LPD3DVECTOR, BOOL) override { return E_NOTIMPL; }
    HRESULT SetRotation(IDirect3DRMFrame*, D3DVALUE, D3DVALUE, D3DVALUE, D3DVALUE) override { return E_NOTIMPL; }
    HRESULT GetRotation(IDirect3DRMFrame*, LPD3DVECTOR, LPD3DVALUE) override { return E_NOTIMPL; }
    HRESULT Move(D3DVALUE) override { return E_NOTIMPL; }
    HRESULT SetSceneBackground(D3DCOLOR) override { return E_NOTIMPL; }
    HRESULT SetSceneBackgroundRGB(D3DVALUE, D3DVALUE, D3DVALUE) override { return E_NOTIMPL; }
    D3DCOLOR GetSceneBackground() override { return 0; }
    HRESULT Load(LPVOID, LPVOID, D3DRMLOADOPTIONS, D3DRMLOADTEXTURECALLBACK, LPVOID) override { return E_NOTIMPL; }

private:
    // Takes the real frame's snapshot, or fails as a whole (wholeStep), or hands back an array
    // whose elements cannot be read (elementStep).
    template <class Element, class Array>
    HRESULT Snapshot(HRESULT (IDirect3DRMFrame::*get)(Array**), Step wholeStep, Step elementStep, Array** a)
    {
        if (failing_ == wholeStep)
            return D3DRMERR_BADFILE;
        HRESULT hr = (real_->*get)(a);
        if (failing_ == elementStep)
            *a = new FailingArray<Array, Element>(*a);
        return hr;
    }

    template <class Array, class Element>
    class FailingArray final : public Array {
    public:
        explicit FailingArray(Array* real) : real_(RefPtr<Array>::Adopt(real)) {}
        HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
        ULONG AddRef() override { return ++refs_; }
        ULONG Release() override
        {
            ULONG left = --refs_;
            if (!left)
                delete this;
            return left;
        }
        DWORD GetSize() override { return real_->GetSize(); }
        HRESULT GetElement(DWORD, Element** e) override
        {
            *e = nullptr;
            return D3DRMERR_BADVALUE;
        }

    private:
        RefPtr<Array> real_;
        ULONG refs_ = 1;
    };

    IDirect3DRMFrame* real_;
    Step failing_;
};

class ClearFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Direct3DRMCreate(rm_.put()), S_OK);
        rm_->CreateFrame(nullptr, frame_.put());
        rm::RefPtr<IDirect3DRMLight> light;
        rm_->CreateLightRGB(D3DRMLIGHT_AMBIENT, 1, 1, 1, light.put());
        frame_->AddLight(light.get());
        rm::RefPtr<IDirect3DRMMeshBuilder> builder;
        rm_->CreateMeshBuilder(builder.put());
        frame_->AddVisual(builder.get());
        for (int i = 0; i < 2; ++i) {
            rm_->CreateFrame(frame_.get(), child_.put());
            rm_->CreateFrame(child_.get(), grandchild_.put());
        }
    }
    DWORD Count(int what)
    {
        RefPtr<IUnknown> array;
        if (what == 0) {
            RefPtr<IDirect3DRMLightArray> a;
            frame_->GetLights(a.put());
            return a->GetSize();
        }
        if (what == 1) {
            RefPtr<IDirect3DRMVisualArray> a;
            frame_->GetVisuals(a.put());
            return a->GetSize();
        }
        RefPtr<IDirect3DRMFrameArray> a;
        frame_->GetChildren(a.put());
        return a->GetSize();
    }

    RefPtr<IDirect3DRM> rm_;
    RefPtr<IDirect3DRMFrame> frame_, child_, grandchild_;
};

TEST_F(ClearFrameTest, EmptiesLightsVisualsAndChildrenOneLevelDeep)
{
    TMessageBoxScript boxes;
    ClearFrame(frame_.get());
    EXPECT_EQ(Count(0), 0u);
    EXPECT_EQ(Count(1), 0u);
    EXPECT_EQ(Count(2), 0u);
    rm::RefPtr<IDirect3DRMFrame> parent;
    child_->GetParent(parent.put());
    EXPECT_EQ(parent.get(), nullptr);        // no longer in the hierarchy
    grandchild_->GetParent(parent.put());
    EXPECT_EQ(parent.get(), child_.get());   // the child keeps its own subtree
    ClearFrame(frame_.get());                // an empty frame: three queries, nothing removed
    ClearFrame(nullptr);
    EXPECT_TRUE(boxes.Shown().empty());
}

struct FailureCase {
    FailingFrame::Step step;
    const char* report;
    DWORD lightsLeft, visualsLeft, childrenLeft;
};

TEST_F(ClearFrameTest, ReportsTheFirstFailureAndStops)
{
    const FailureCase cases[] = {
        {FailingFrame::Step::Lights, "_Clear (6): D3DRMERR_BADFILE\nIPar->GetLights(&ILights)", 1, 1, 2},
        {FailingFrame::Step::LightElement, "_Clear (9): D3DRMERR_BADVALUE\nILights->GetElement(i, &Ilight)", 1, 1, 2},
        {FailingFrame::Step::DeleteLight, "_Clear (10): D3DRMERR_BADOBJECT\nIPar->DeleteLight(Ilight)", 1, 1, 2},
        {FailingFrame::Step::Visuals, "_Clear (15): D3DRMERR_BADFILE\nIPar->GetVisuals(&IVisuals)", 0, 1, 2},
        {FailingFrame::Step::VisualElement, "_Clear (18): D3DRMERR_BADVALUE\nIVisuals->GetElement(i, &Ivisual)", 0, 1, 2},
        {FailingFrame::Step::DeleteVisual, "_Clear (19): D3DRMERR_BADOBJECT\nIPar->DeleteVisual(Ivisual)", 0, 1, 2},
        {FailingFrame::Step::Children, "_Clear (24): D3DRMERR_BADFILE\nIPar->GetChildren(&IFrames)", 0, 0, 2},
        {FailingFrame::Step::ChildElement, "_Clear (27): D3DRMERR_BADVALUE\nIFrames->GetElement(i, &Iframe)", 0, 0, 2},
        {FailingFrame::Step::DeleteChild, "_Clear (28): D3DRMERR_BADOBJECT\nIPar->DeleteChild(Iframe)", 0, 0, 2},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.report);
        SetUp();
        TMessageBoxScript boxes;
        boxes.QueueAnswer(IDNO);
        FailingFrame failing(frame_.get(), c.step);
        ClearFrame(&failing);
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].Text.toStdString(), std::string(c.report) + "\nDo you want to abort execution?");
        EXPECT_EQ(Count(0), c.lightsLeft);
        EXPECT_EQ(Count(1), c.visualsLeft);
        EXPECT_EQ(Count(2), c.childrenLeft);
    }
}

}  // namespace
