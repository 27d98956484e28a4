// The wrap pass. Texture-wrap records are not carried out yet: they need TWrap and TAppData
// from rmkit, which are still being written.
#include "scene/scene_records.h"

void ReadWrapRecords(IDirect3DRM*, TSceneCursor) {}
