// The objects and handles the program holds, counted for kMensajeRecursos.
#pragma once

#include <windows.h>

#include "panel/Nombres.h"

namespace tesk {

// The count for a kind of object (gdi, user or kernel); -1 for any other.
LRESULT RecursosRetenidos(WPARAM tipo) noexcept;

}  // namespace tesk
