#include "rm_fixture.h"

#include <cstring>
#include <vector>

namespace {

using Objects = RmTest;

TEST_F(Objects, NameBufferContract)
{
    auto f = Frame();
    DWORD size = 0;
    ASSERT_EQ(f->GetName(&size, nullptr), S_OK);
    EXPECT_EQ(size, 1u);  // "" and its terminator
    f->SetName("LeftCameraFrame");
    ASSERT_EQ(f->GetName(&size, nullptr), S_OK);
    EXPECT_EQ(size, 16u);
    char small[8];
    std::memset(small, 'x', sizeof small);
    size = sizeof small;
    EXPECT_EQ(f->GetName(&size, small), D3DRMERR_BADVALUE);
    EXPECT_EQ(small[0], 'x');  // untouched when it does not fit
    char big[256];
    size = sizeof big;
    ASSERT_EQ(f->GetName(&size, big), S_OK);
    EXPECT_STREQ(big, "LeftCameraFrame");
    EXPECT_EQ(size, 16u);
    EXPECT_EQ(f->GetName(nullptr, big), D3DRMERR_BADVALUE);
    f->SetName(nullptr);
    EXPECT_EQ(NameOf(f.get()), "");
}

TEST_F(Objects, ClassNamesAndInterfaces)
{
    rm::RefPtr<IDirect3DRMLight> light;
    rm->CreateLightRGB(D3DRMLIGHT_POINT, 1, 1, 1, light.put());
    rm::RefPtr<IDirect3DRMMaterial> material;
    rm->CreateMaterial(5, material.put());
    rm::RefPtr<IDirect3DRMFace> face;
    rm->CreateFace(face.put());
    rm::RefPtr<IDirect3DRMWrap> wrap;
    rm->CreateWrap(D3DRMWRAP_FLAT, nullptr, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 1, wrap.put());
    auto frame = Frame();
    auto builder = Builder();
    EXPECT_EQ(ClassOf(frame.get()), "Frame");
    EXPECT_EQ(ClassOf(builder.get()), "Builder");
    EXPECT_EQ(ClassOf(light.get()), "Light");
    EXPECT_EQ(ClassOf(material.get()), "Material");
    EXPECT_EQ(ClassOf(face.get()), "Face");
    EXPECT_EQ(ClassOf(wrap.get()), "Wrap");

    rm::RefPtr<IDirect3DRMVisual> visual;
    EXPECT_EQ(builder->QueryInterface(IID_IDirect3DRMVisual, reinterpret_cast<void**>(visual.put())), S_OK);
    EXPECT_EQ(static_cast<IDirect3DRMObject*>(visual.get()), static_cast<IDirect3DRMObject*>(builder.get()));
    void* none = &visual;
    EXPECT_EQ(light->QueryInterface(IID_IDirect3DRMVisual, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(light->QueryInterface(IID_IDirect3DRMLight, nullptr), E_POINTER);
}

TEST_F(Objects, ReferenceCountsAndDestroyCallbacks)
{
    struct Log {
        std::vector<std::string> events;
        DWORD_PTR appDataSeen = 0;
    } log;
    auto callback = [](IDirect3DRMObject* object, void* arg) {
        auto* l = static_cast<Log*>(arg);
        l->events.push_back("destroyed " + NameOf(object));
        l->appDataSeen = object->GetAppData();
        object->SetAppData(0);  // as a destroy callback that frees its data does
        object->AddRef();       // a reference taken and dropped inside does not destroy twice
        object->Release();
    };
    IDirect3DRMMeshBuilder* builder = nullptr;
    rm->CreateMeshBuilder(&builder);
    builder->SetName("Doomed");
    builder->SetAppData(1234);
    builder->AddDestroyCallback(callback, &log);
    builder->AddDestroyCallback(callback, nullptr);
    EXPECT_EQ(builder->DeleteDestroyCallback(callback, nullptr), S_OK);
    EXPECT_EQ(builder->DeleteDestroyCallback(callback, nullptr), D3DRMERR_NOTFOUND);
    EXPECT_EQ(builder->AddDestroyCallback(nullptr, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(builder->AddRef(), 2u);
    EXPECT_EQ(builder->Release(), 1u);
    EXPECT_TRUE(log.events.empty());

    // A frame showing the builder keeps it alive.
    auto frame = Frame();
    frame->AddVisual(builder);
    EXPECT_EQ(builder->Release(), 1u);
    EXPECT_TRUE(log.events.empty());
    frame->DeleteVisual(builder);
    ASSERT_EQ(log.events.size(), 1u);
    EXPECT_EQ(log.events[0], "destroyed Doomed");
    EXPECT_EQ(log.appDataSeen, 1234u);
}

TEST_F(Objects, NamesAreFoundThroughAnyRetainedModeObject)
{
    rm::RefPtr<IDirect3DRM> other;
    ASSERT_EQ(Direct3DRMCreate(other.put()), S_OK);
    rm::RefPtr<IDirect3DRMFrame> made;
    other->CreateFrame(nullptr, made.put());
    made->SetName("ZTarnCenter");
    rm::RefPtr<IDirect3DRMObject> found;
    ASSERT_EQ(rm->GetNamedObject("ZTarnCenter", found.put()), S_OK);
    EXPECT_EQ(found.get(), static_cast<IDirect3DRMObject*>(made.get()));
    EXPECT_EQ(rm->GetNamedObject("NoSuchFrame", found.put()), D3DRMERR_NOTFOUND);
    EXPECT_EQ(found.get(), nullptr);
    EXPECT_EQ(rm->GetNamedObject(nullptr, found.put()), D3DRMERR_BADVALUE);

    // The first-made object of a name wins; a released one is no longer found.
    auto later = Frame();
    later->SetName("ZTarnCenter");
    rm->GetNamedObject("ZTarnCenter", found.put());
    EXPECT_EQ(found.get(), static_cast<IDirect3DRMObject*>(made.get()));
    found.reset();
    made.reset();
    rm->GetNamedObject("ZTarnCenter", found.put());
    EXPECT_EQ(found.get(), static_cast<IDirect3DRMObject*>(later.get()));
}

TEST_F(Objects, EnumerationListsEveryLivingObjectOldestFirst)
{
    auto a = Frame();
    a->SetName("EnumA");
    auto b = Builder();
    b->SetName("EnumB");
    std::vector<std::string> seen;
    rm->EnumerateObjects(
        [](IDirect3DRMObject* o, void* arg) {
            const std::string name = NameOf(o);
            if (name.rfind("Enum", 0) == 0)
                static_cast<std::vector<std::string>*>(arg)->push_back(ClassOf(o) + " " + name);
        },
        &seen);
    EXPECT_EQ(seen, (std::vector<std::string>{"Frame EnumA", "Builder EnumB"}));
    EXPECT_EQ(rm->EnumerateObjects(nullptr, nullptr), D3DRMERR_BADVALUE);
}

TEST_F(Objects, ClonesCopyContentButNotTheTree)
{
    auto parent = Frame();
    auto f = Frame(parent.get());
    f->SetName("Orig");
    f->SetPosition(parent.get(), 1, 2, 3);
    auto child = Frame(f.get());
    rm::RefPtr<IDirect3DRMFrame> copy;
    ASSERT_EQ(f->Clone(nullptr, IID_IDirect3DRMFrame, reinterpret_cast<void**>(copy.put())), S_OK);
    EXPECT_EQ(NameOf(copy.get()), "Orig");
    D3DRMMATRIX4D m;
    copy->GetTransform(m);
    EXPECT_FLOAT_EQ(m[3][2], 3);
    rm::RefPtr<IDirect3DRMFrameArray> children;
    copy->GetChildren(children.put());
    EXPECT_EQ(children->GetSize(), 0u);
    void* out = nullptr;
    EXPECT_EQ(f->Clone(f.get(), IID_IDirect3DRMFrame, &out), D3DRMERR_BADVALUE);  // no aggregation

    auto b = Builder();
    b->AddVertex(1, 2, 3);
    rm::RefPtr<IDirect3DRMMeshBuilder> bcopy;
    ASSERT_EQ(b->Clone(nullptr, IID_IDirect3DRMMeshBuilder, reinterpret_cast<void**>(bcopy.put())), S_OK);
    EXPECT_EQ(bcopy->GetVertexCount(), 1);
    bcopy->SetVertex(0, 0, 0, 0);
    D3DRMBOX box;
    b->GetBox(&box);
    EXPECT_FLOAT_EQ(box.max.z, 3);  // the copy is its own
}

TEST_F(Objects, LightsHoldAllTheirParameters)
{
    rm::RefPtr<IDirect3DRMLight> light;
    ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_SPOT, 1, 0.5f, 0, light.put()), S_OK);
    EXPECT_EQ(light->GetColor(), 0xFFFF8000u);
    EXPECT_EQ(light->GetType(), D3DRMLIGHT_SPOT);
    light->SetConstantAttenuation(2);
    light->SetLinearAttenuation(0.5f);
    light->SetQuadraticAttenuation(0.25f);
    light->SetRange(10);
    light->SetUmbra(0.2f);
    light->SetPenumbra(0.3f);
    EXPECT_FLOAT_EQ(light->GetConstantAttenuation(), 2);
    EXPECT_FLOAT_EQ(light->GetLinearAttenuation(), 0.5f);
    EXPECT_FLOAT_EQ(light->GetQuadraticAttenuation(), 0.25f);
    EXPECT_FLOAT_EQ(light->GetRange(), 10);
    EXPECT_FLOAT_EQ(light->GetUmbra(), 0.2f);
    EXPECT_FLOAT_EQ(light->GetPenumbra(), 0.3f);
    EXPECT_EQ(light->SetRange(-1), D3DRMERR_BADVALUE);
    EXPECT_EQ(light->SetType(static_cast<D3DRMLIGHTTYPE>(5)), D3DRMERR_BADVALUE);
    rm::RefPtr<IDirect3DRMLight> bad;
    EXPECT_EQ(rm->CreateLightRGB(static_cast<D3DRMLIGHTTYPE>(9), 1, 1, 1, bad.put()), D3DRMERR_BADVALUE);

    // The enable frame is not kept alive by the light.
    auto frame = Frame();
    light->SetEnableFrame(frame.get());
    rm::RefPtr<IDirect3DRMFrame> enable;
    light->GetEnableFrame(enable.put());
    EXPECT_EQ(enable.get(), frame.get());
    enable.reset();
    frame.reset();
    light->GetEnableFrame(enable.put());
    EXPECT_EQ(enable.get(), nullptr);
}

}  // namespace
