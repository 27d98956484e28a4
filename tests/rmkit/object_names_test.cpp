#include "rmkit/object_names.h"

#include "platform/rm/impl/ref_ptr.h"
#include "platform/rm/rm.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ObjectNames, NamesAndClassNamesInTheirOwnBuffers)
{
    rm::RefPtr<IDirect3DRM> rm;
    ASSERT_EQ(Direct3DRMCreate(rm.put()), S_OK);
    rm::RefPtr<IDirect3DRMFrame> frame;
    rm->CreateFrame(nullptr, frame.put());
    rm::RefPtr<IDirect3DRMMeshBuilder> builder;
    rm->CreateMeshBuilder(builder.put());

    EXPECT_STREQ(ObjectName(nullptr), "");
    EXPECT_STREQ(ObjectClassName(nullptr), "");
    const char* unnamed = ObjectName(frame.get());
    EXPECT_STREQ(unnamed, "");
    EXPECT_EQ(ObjectName(builder.get()), unnamed);  // one buffer, overwritten by each call

    frame->SetName("LefPort");
    EXPECT_STREQ(ObjectName(frame.get()), "LefPort");
    EXPECT_STREQ(ObjectClassName(frame.get()), "Frame");
    EXPECT_STREQ(ObjectClassName(builder.get()), "Builder");
    EXPECT_STREQ(ObjectName(frame.get()), "LefPort");  // the class-name call has a buffer of its own

    // A name that does not fit leaves the buffer as it was.
    builder->SetName(std::string(300, 'x').c_str());
    EXPECT_STREQ(ObjectName(builder.get()), "LefPort");
}

}  // namespace
