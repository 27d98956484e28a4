// The wrap pass: each YF_Wrap record stores its wrap parameters with a named mesh builder (as
// the builder's TAppData) and applies the wrap to it.
//
//   YF_Wrap <builder name> {"<RefFrameName>"; <WrapType>; <ox>; <oy>; <oz>;;
//           <dx>; <dy>; <dz>;; <ux>; <uy>; <uz>;; <ou>; <ov>; <su>; <sv>;}
//
// The reference frame named in a record is not kept: every wrap is made without one and
// applied in the builder's own coordinates. A TWrap holds its frame without a reference, so a
// kept frame could be destroyed before the builder and leave the TWrap pointing at nothing.
#include "scene/rm_ref.h"
#include "scene/scene_fields.h"
#include "scene/scene_reader.h"
#include "scene/scene_records.h"

#include "rmkit/wraps.h"

#include <memory>
#include <string>

namespace {

// Reads the fields after the keyword into values; false when the text ends before the
// closing '}'.
bool ReadWrapRecord(TSceneCursor* cursor, std::string* builderName, TWrap* values)
{
    TSceneFieldReader fields(cursor);
    *builderName = fields.Name();
    fields.String();  // the reference frame's name: not used, see above
    values->type = static_cast<decltype(values->type)>(fields.Integer());
    fields.Vector(&values->ox, &values->oy, &values->oz);
    fields.Vector(&values->dx, &values->dy, &values->dz);
    fields.Vector(&values->ux, &values->uy, &values->uz);
    values->ou = fields.Float();
    values->ov = fields.Float();
    values->su = fields.Float();
    values->sv = fields.Float();
    return fields.Close();
}

// The builder's TAppData, attached (with DestroyAppData to free it) when it has none yet.
// Application data the builder already has is taken to be a TAppData. Null if none can be
// attached.
TAppData* BuilderAppData(IDirect3DRMMeshBuilder* builder)
{
    if (auto* existing = reinterpret_cast<TAppData*>(builder->GetAppData()))
        return existing;
    auto created = std::make_unique<TAppData>();
    if (FAILED(builder->SetAppData(reinterpret_cast<DWORD_PTR>(created.get()))))
        return nullptr;
    if (FAILED(builder->AddDestroyCallback(DestroyAppData, nullptr))) {
        builder->SetAppData(0);
        return nullptr;
    }
    return created.release();
}

void CopyWrapParameters(const TWrap& from, TWrap* to)
{
    to->type = from.type;
    to->ox = from.ox;
    to->oy = from.oy;
    to->oz = from.oz;
    to->dx = from.dx;
    to->dy = from.dy;
    to->dz = from.dz;
    to->ux = from.ux;
    to->uy = from.uy;
    to->uz = from.uz;
    to->ou = from.ou;
    to->ov = from.ov;
    to->su = from.su;
    to->sv = from.sv;
}

void ApplyRecordWrap(IDirect3DRM* rm, const std::string& builderName, const TWrap& values)
{
    if (builderName.empty())
        return;
    TRmRef<IDirect3DRMMeshBuilder> builder;
    FindNamedObject(rm, builderName, IID_IDirect3DRMMeshBuilder, &builder);
    if (!builder)
        return;

    TAppData* appData = BuilderAppData(builder.Get());
    if (!appData)
        return;
    if (!appData->Wrap)
        appData->Wrap = new TWrap;
    TWrap* wrap = appData->Wrap;
    CopyWrapParameters(values, wrap);
    // The builder owns the TWrap and outlives it: both are held without a reference.
    wrap->IObject = builder.Get();
    wrap->IFrameRef = nullptr;
    wrap->Apply();  // replaces the wrap object of an earlier record; reports its own failures
}

}  // namespace

void ReadWrapRecords(IDirect3DRM* rm, TSceneCursor cursor)
{
    TWrap values;  // the record under way; never makes a wrap object
    std::string builderName;
    while (FindRecord(&cursor, "YF_Wrap")) {
        if (!ReadWrapRecord(&cursor, &builderName, &values)) {
            LastLoadResult = D3DRMERR_BADFILE;
            return;
        }
        ApplyRecordWrap(rm, builderName, values);
    }
}
