#include "d3dvcs/fpu_mask.h"

#include <cfenv>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

void MaskFloatingPointExceptions()
{
#if defined(__GLIBC__)
    // Turns off trapping for every exception the C runtime knows about.
    fedisableexcept(FE_ALL_EXCEPT);
#endif
#if defined(__x86_64__) || defined(__i386__)
    // The SSE control register also has a mask bit for denormal operands, which the runtime's
    // exception set does not name: set all six mask bits (0x3F shifted to bits 7..12).
    _mm_setcsr(_mm_getcsr() | 0x1F80u);
#endif
}
