#include "rmkit/object_names.h"

namespace {

char NameBuffer[256];
char ClassNameBuffer[256];

template <class Query>
const char* QueryInto(char (&buffer)[256], Query query)
{
    try {
        DWORD size = sizeof buffer;
        query(&size, buffer);  // the result code is not looked at
        return buffer;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

const char* ObjectName(IDirect3DRMObject* object)
{
    if (!object)
        return "";
    return QueryInto(NameBuffer, [&](LPDWORD size, LPSTR buffer) { return object->GetName(size, buffer); });
}

const char* ObjectClassName(IDirect3DRMObject* object)
{
    if (!object)
        return "";
    return QueryInto(ClassNameBuffer, [&](LPDWORD size, LPSTR buffer) { return object->GetClassName(size, buffer); });
}
