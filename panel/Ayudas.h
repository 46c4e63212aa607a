// The panel's tooltips: one tool per rectangle of the panel's client area.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string_view>

#include "panel/Manejadores.h"

namespace tesk {

class Ayudas {
public:
    // Creates the tooltip window for a panel.
    explicit Ayudas(HWND panel);

    void Agregar(UINT id, const RECT& rect, std::wstring_view texto);
    void Mover(UINT id, const RECT& rect);
    // Takes down a tooltip being shown.
    void Ocultar();

private:
    TTTOOLINFOW Herramienta(UINT id) const;

    HWND panel_;
    VentanaUnica ventana_;
};

}  // namespace tesk
