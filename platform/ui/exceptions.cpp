#include "platform/ui/exceptions.h"

#include <strings.h>

bool ClassNameIs(const Exception& e, const char* name)
{
    return name && strcasecmp(e.ClassName(), name) == 0;
}
