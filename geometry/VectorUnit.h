#pragma once

namespace geometry {

// Clears the upper halves of the processor's wide vector registers where the
// processor has them; does nothing elsewhere. Library code (the painter's
// blending routines among it) can return with those halves in use, and until
// they are cleared every scalar floating-point instruction of a long loop
// waits on them: four curve lengths took five times as long right after a
// redraw. The long loops call this once on entry.
void ClearUpperVectorState();

}  // namespace geometry
