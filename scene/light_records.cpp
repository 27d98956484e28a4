// The light pass: each YF_Light record creates a light, sets it up and adds it to its frame.
//
//   YF_Light <light name> {"<FrameName>"; "<EnableFrameName>"; <LightType>;
//            <constant>; <linear>; <quadratic>;; <red>; <green>; <blue>;; <Penumbra>; <Range>;}
#include "scene/rm_ref.h"
#include "scene/scene_fields.h"
#include "scene/scene_reader.h"
#include "scene/scene_records.h"

#include <string>

namespace {

struct TLightRecord {
    std::string Name;             // becomes the light's name
    std::string FrameName;        // the frame the light is added to
    std::string EnableFrameName;  // the subtree the light is limited to; empty for none
    BYTE Type = 0;                // D3DRMLIGHTTYPE
    D3DVECTOR Attenuation;        // constant, linear, quadratic
    D3DVECTOR Color;              // red, green, blue, 0 to 1
    float Penumbra = 0;           // radians
    float Range = 0;
};

// Reads the fields after the keyword; false when the text ends before the closing '}'.
bool ReadLightRecord(TSceneCursor* cursor, TLightRecord* record)
{
    TSceneFieldReader fields(cursor);
    record->Name = fields.Name();
    record->FrameName = fields.String();
    record->EnableFrameName = fields.String();
    record->Type = static_cast<BYTE>(fields.Integer());  // the low 8 bits
    fields.Vector(&record->Attenuation.x, &record->Attenuation.y, &record->Attenuation.z);
    fields.Vector(&record->Color.x, &record->Color.y, &record->Color.z);
    record->Penumbra = fields.Float();
    record->Range = fields.Float();
    return fields.Close();
}

// Creates the record's light on its frame. A frame that is not found, or a light that cannot
// be made, passes the record over; an enable frame that is not found is left out.
void CreateRecordLight(IDirect3DRM* rm, const TLightRecord& record)
{
    if (record.FrameName.empty())
        return;
    TRmRef<IDirect3DRMFrame> frame;
    FindNamedObject(rm, record.FrameName, IID_IDirect3DRMFrame, &frame);
    if (!frame)
        return;

    TRmRef<IDirect3DRMLight> light;
    rm->CreateLightRGB(static_cast<D3DRMLIGHTTYPE>(record.Type), record.Color.x, record.Color.y,
                       record.Color.z, light.Put());
    if (!light)
        return;

    if (!record.EnableFrameName.empty()) {
        TRmRef<IDirect3DRMFrame> enableFrame;
        FindNamedObject(rm, record.EnableFrameName, IID_IDirect3DRMFrame, &enableFrame);
        if (enableFrame)
            light->SetEnableFrame(enableFrame.Get());
    }
    light->SetConstantAttenuation(record.Attenuation.x);
    light->SetLinearAttenuation(record.Attenuation.y);
    light->SetQuadraticAttenuation(record.Attenuation.z);
    light->SetPenumbra(record.Penumbra);  // the umbra keeps its default
    light->SetRange(record.Range);
    light->SetName(record.Name.c_str());
    frame->AddLight(light.Get());
}

}  // namespace

void ReadLightRecords(IDirect3DRM* rm, TSceneCursor cursor)
{
    TLightRecord record;
    while (FindRecord(&cursor, "YF_Light")) {
        if (!ReadLightRecord(&cursor, &record)) {
            LastLoadResult = D3DRMERR_BADFILE;
            return;
        }
        CreateRecordLight(rm, record);
    }
}
