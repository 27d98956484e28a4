#include "rmkit/wraps.h"

#include "platform/rm/impl/ref_ptr.h"
#include "platform/rm/impl/wrap_impl.h"
#include "platform/rm/rm.h"
#include "platform/ui/message_box.h"

#include <gtest/gtest.h>

namespace {

class WrapsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Direct3DRMCreate(rm_.put()), S_OK);
        rm_->CreateMeshBuilder(builder_.put());
        builder_->AddVertex(1, 0, 2);
    }
    rm::RefPtr<IDirect3DRM> rm_;
    rm::RefPtr<IDirect3DRMMeshBuilder> builder_;
};

TEST_F(WrapsTest, DefaultWrapIsFlatAlongYWithUpZAppliedWithoutReference)
{
    TWrap wrap;
    wrap.IObject = builder_.get();
    wrap.Apply();
    ASSERT_NE(wrap.IWrap, nullptr);
    const rm::WrapParams& p = rm::As<rm::Wrap>(wrap.IWrap)->Params();
    EXPECT_EQ(p.type, D3DRMWRAP_FLAT);
    EXPECT_EQ(p.direction.y, 1);
    EXPECT_EQ(p.up.z, 1);
    EXPECT_EQ(p.su, 1);
    // Flat along y with up z: u from -x, v from -z.
    D3DVALUE u, v;
    builder_->GetTextureCoordinates(0, &u, &v);
    EXPECT_FLOAT_EQ(u, -1);
    EXPECT_FLOAT_EQ(v, -2);

    // A second Apply replaces the wrap object: exactly one is held.
    IDirect3DRMWrap* first = wrap.IWrap;
    first->AddRef();
    wrap.Apply();
    EXPECT_NE(wrap.IWrap, first);
    EXPECT_EQ(first->Release(), 0u);  // the old one was released by Apply
}

TEST_F(WrapsTest, NothingWithoutAnObject)
{
    TMessageBoxScript boxes;
    TWrap wrap;
    wrap.Apply();
    EXPECT_EQ(wrap.IWrap, nullptr);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(WrapsTest, FailuresAreReported)
{
    TMessageBoxScript boxes;
    boxes.QueueAnswer(IDNO);
    boxes.QueueAnswer(IDNO);
    TWrap bad;
    bad.IObject = builder_.get();
    bad.uy = 1;  // up along the direction: no wrap can be made
    bad.uz = 0;
    bad.Apply();
    EXPECT_EQ(bad.IWrap, nullptr);
    rm::RefPtr<IDirect3DRMFrame> frame;
    rm_->CreateFrame(nullptr, frame.put());
    TWrap onFrame;
    onFrame.IObject = frame.get();  // a frame has no vertices to wrap
    onFrame.Apply();
    EXPECT_NE(onFrame.IWrap, nullptr);  // the wrap object stays
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].Text.toStdString(),
              "_Wraps (20): D3DRMERR_BADVALUE\nIRM->CreateWrap(type, IFrameRef, ox, oy, oz, dx, dy, dz, ux, uy, uz, "
              "ou, ov, su, sv, &IWrap)\nDo you want to abort execution?");
    EXPECT_EQ(boxes.Shown()[1].Text.toStdString(),
              "_Wraps (27): D3DRMERR_BADOBJECT\nIWrap->Apply(IObject)\nDo you want to abort execution?");
}

TEST_F(WrapsTest, ReferenceFrameMeansApplyRelative)
{
    TMessageBoxScript boxes;
    boxes.QueueAnswer(IDNO);
    rm::RefPtr<IDirect3DRMFrame> ref;
    rm_->CreateFrame(nullptr, ref.put());
    TWrap wrap;
    wrap.IObject = builder_.get();
    wrap.IFrameRef = ref.get();
    wrap.Apply();  // ApplyRelative needs the frame holding the object: the reference frame is given
    EXPECT_TRUE(boxes.Shown().empty());
    TWrap failing;
    failing.IObject = ref.get();
    failing.IFrameRef = ref.get();
    failing.Apply();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_NE(boxes.Shown()[0].Text.toStdString().find("IWrap->ApplyRelative(IFrameRef, IObject)"), std::string::npos);
}

TEST_F(WrapsTest, DestroyingTheVisualFreesItsAppDataAndWrap)
{
    IDirect3DRMMeshBuilder* visual = builder_.detach();
    auto* data = new TAppData;
    data->Wrap = new TWrap;
    data->Wrap->IObject = visual;
    data->Wrap->Apply();
    IDirect3DRMWrap* wrapObject = data->Wrap->IWrap;
    wrapObject->AddRef();
    visual->SetAppData(reinterpret_cast<DWORD_PTR>(data));
    visual->AddDestroyCallback(DestroyAppData, nullptr);
    EXPECT_EQ(visual->Release(), 0u);  // the callback deletes data; the sanitizer would see a leak or double free
    EXPECT_EQ(wrapObject->Release(), 0u);  // the TWrap had released its reference

    // A TAppData without a TWrap, and an object without data, are fine.
    delete new TAppData;
    DestroyAppData(nullptr, nullptr);
    rm::RefPtr<IDirect3DRMFrame> plain;
    rm_->CreateFrame(nullptr, plain.put());
    DestroyAppData(plain.get(), nullptr);
    EXPECT_EQ(plain->GetAppData(), 0u);
}

}  // namespace
