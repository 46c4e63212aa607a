// Registers a window class of the program's once, on first use.
#pragma once

#include <windows.h>

namespace tesk {

struct DatosClase {
    const wchar_t* nombre = nullptr;
    WNDPROC procedimiento = nullptr;
    UINT estilo = 0;
    HBRUSH fondo = nullptr;   // null: the window paints every pixel itself
    HICON icono = nullptr;
};

// Registers the class with the arrow pointer unless the program already has
// it; false when the system refuses.
bool RegistrarClase(const DatosClase& datos);

}  // namespace tesk
