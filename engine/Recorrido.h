// How the engine walks the desktop: its top-level windows front to back,
// taken before any of them is touched, and the shell's own windows among
// them, which the engine never hides, lists or counts as a program's.
#pragma once

#include <vector>

#include "desktop/Escritorio.h"

namespace tesk {

// The top-level windows front to back, taken before any of them is touched:
// hiding a window can move it, or another one, in the Z order, and a walk
// that followed the live order would then miss windows or meet them again.
// A window met a second time while taking the list (the order changed under
// the walk) is passed over; the step limit ends any walk the platform might
// send round in a circle.
std::vector<Handle> OrdenZ(Escritorio& escritorio, Handle desde);

// The shell's own windows, found afresh for each walk.
struct Shell {
    Handle barra = 0;
    Handle fondo = 0;
    std::vector<Handle> otras;
    bool Contiene(Handle ventana) const;
};
Shell BuscarShell(Escritorio& escritorio);

}  // namespace tesk
