#pragma once
// Shared set-up for the 3D library tests: a retained-mode object and helpers that hand back
// counted references as RefPtr.

#include "platform/rm/impl/ref_ptr.h"
#include "platform/rm/rm.h"

#include <gtest/gtest.h>

#include <string>

class RmTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Direct3DRMCreate(rm.put()), S_OK); }

    rm::RefPtr<IDirect3DRMFrame> Frame(IDirect3DRMFrame* parent = nullptr)
    {
        rm::RefPtr<IDirect3DRMFrame> f;
        EXPECT_EQ(rm->CreateFrame(parent, f.put()), S_OK);
        return f;
    }
    rm::RefPtr<IDirect3DRMMeshBuilder> Builder()
    {
        rm::RefPtr<IDirect3DRMMeshBuilder> b;
        EXPECT_EQ(rm->CreateMeshBuilder(b.put()), S_OK);
        return b;
    }
    static std::string NameOf(IDirect3DRMObject* object)
    {
        char buffer[256] = {};
        DWORD size = sizeof buffer;
        object->GetName(&size, buffer);
        return buffer;
    }
    static std::string ClassOf(IDirect3DRMObject* object)
    {
        char buffer[256] = {};
        DWORD size = sizeof buffer;
        object->GetClassName(&size, buffer);
        return buffer;
    }

    rm::RefPtr<IDirect3DRM> rm;
};

#define EXPECT_VEC_NEAR(v, ex, ey, ez, tol) \
    do {                                    \
        EXPECT_NEAR((v).x, (ex), (tol));    \
        EXPECT_NEAR((v).y, (ey), (tol));    \
        EXPECT_NEAR((v).z, (ez), (tol));    \
    } while (0)
