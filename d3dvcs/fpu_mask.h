#pragma once
// Floating-point exceptions of the calling thread.

// Masks all floating-point exceptions (invalid operation, denormal operand, division by zero,
// overflow, underflow, inexact result), so that faults in 3D code give IEEE results instead of
// traps.
void MaskFloatingPointExceptions();
