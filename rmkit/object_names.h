#pragma once
// Names of 3D objects as zero-terminated strings. Each operation has its own 256-byte buffer,
// overwritten by its next call: copy the first result before asking for a second one.

#include "platform/rm/object.h"

// "" for a null object, else the object's name (at most 255 characters; a longer name leaves
// the buffer as the query left it); null if the query raised an exception.
const char* ObjectName(IDirect3DRMObject* object);
// The same for the class name ("Frame", "Builder", ...).
const char* ObjectClassName(IDirect3DRMObject* object);
