#pragma once
// The two passes over a scene text that carry out its custom records: YF_Light creates a light
// on a named frame, YF_Wrap applies a texture wrap to a named mesh builder. Records are found
// anywhere in the text; template declarations are skipped whole.

#include "scene/scene_tokens.h"

#include "platform/rm/rm.h"

#include <string_view>

// Runs the light pass and then, unless it failed, the wrap pass over text, through a 3D object
// of the reader's own. Sets and returns LastLoadResult: the result of Direct3DRMCreate, or
// D3DRMERR_BADFILE when a record's closing '}' is missing or the passes fail unexpectedly.
HRESULT ReadAdditionalData(std::string_view text);

// Moves past the next word equal to keyword, skipping "template" blocks; false at the end of
// the text.
bool FindRecord(TSceneCursor* cursor, const char* keyword);

// The passes, each from cursor to the end of the text; look-ups go through rm. A record whose
// closing '}' is missing sets LastLoadResult to D3DRMERR_BADFILE and ends the pass.
void ReadLightRecords(IDirect3DRM* rm, TSceneCursor cursor);
void ReadWrapRecords(IDirect3DRM* rm, TSceneCursor cursor);
