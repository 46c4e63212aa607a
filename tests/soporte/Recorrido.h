// The top-level windows in Z order, from the front, as the boundary walks
// them and as the window manager lists them, and a walk narrowed to the
// windows a test cares about.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "desktop/Conversiones.h"
#include "desktop/Escritorio.h"

namespace tesk::prueba {

inline std::vector<HWND> RecorridoZ(Escritorio& escritorio, HWND desde) {
    std::vector<HWND> ventanas;
    for (Handle h = escritorio.PrimeraVentana(HandleDe(desde)); h != 0; h = escritorio.SiguienteVentana(h))
        ventanas.push_back(HwndDe(h));
    return ventanas;
}

inline std::vector<HWND> VentanasDelGestor() {
    std::vector<HWND> ventanas;
    EnumWindows(
        [](HWND ventana, LPARAM datos) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(datos)->push_back(ventana);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ventanas));
    return ventanas;
}

// The windows of `recorrido` that are among `estas`, in the walk's order.
inline std::vector<HWND> SoloEstas(const std::vector<HWND>& recorrido, const std::vector<HWND>& estas) {
    std::vector<HWND> quedan;
    std::copy_if(recorrido.begin(), recorrido.end(), std::back_inserter(quedan),
                 [&](HWND v) { return std::find(estas.begin(), estas.end(), v) != estas.end(); });
    return quedan;
}

}  // namespace tesk::prueba
