// The About box as the tests reach it: opened by a click on the banner,
// closed by a click in its middle.
#pragma once

#include <windows.h>

#include "tests/soporte/Panel.h"
#include "tests/soporte/ProcesoTesk.h"

namespace tesk::e2e {

// Clicks the banner and waits for the program's About box to be on screen;
// the box, or nullptr when none came.
HWND AbrirAcercade(const Panel& panel, const ProcesoTesk& tesk);

// Clicks the middle of the box, moves the mouse away and waits until the box
// is gone or hidden; whether it went.
bool CerrarAcercade(HWND caja);

}  // namespace tesk::e2e
