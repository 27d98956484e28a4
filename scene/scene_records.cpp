#include "scene/scene_records.h"

#include "scene/rm_ref.h"
#include "scene/scene_reader.h"

#include <cstring>

bool FindRecord(TSceneCursor* cursor, const char* keyword)
{
    char word[10] = "";
    while (NextToken(cursor, word, sizeof word, 0)) {
        if (std::strcmp(word, "template") == 0) {
            NextToken(cursor, nullptr, 0, '{');
            SkipBlock(cursor);
        } else if (std::strcmp(word, keyword) == 0) {
            return true;
        }
    }
    return false;
}

HRESULT ReadAdditionalData(std::string_view text)
{
    TRmRef<IDirect3DRM> rm;
    try {
        LastLoadResult = Direct3DRMCreate(rm.Put());
        if (SUCCEEDED(LastLoadResult) && rm) {
            const TSceneCursor start = SceneCursorOver(text);
            ReadLightRecords(rm.Get(), start);
            if (SUCCEEDED(LastLoadResult))
                ReadWrapRecords(rm.Get(), start);
        } else if (SUCCEEDED(LastLoadResult)) {
            LastLoadResult = D3DRMERR_BADOBJECT;  // "success" without an object: nothing to look up with
        }
    } catch (...) {
        // Only allocations can throw here (out of memory); what was done before stays.
        LastLoadResult = D3DRMERR_BADFILE;
    }
    return LastLoadResult;
}
