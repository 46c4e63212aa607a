// The panel's tooltips: one tool per rectangle of the panel's client area.
// The panel relays its mouse messages to them rather than letting the control
// subclass it: a subclassed window pays for the subclass on every message it
// gets, the timer's ten a second included.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string_view>

#include "ui/Propietarios.h"

namespace tesk {

class Ayudas {
public:
    // Creates the tooltip window for a panel.
    explicit Ayudas(HWND panel);

    void Agregar(UINT id, const RECT& rect, std::wstring_view texto);
    void Mover(UINT id, const RECT& rect);
    // Passes one of the panel's mouse messages on to the tooltips, which
    // need every move and click over the panel to know when to show.
    void Relevar(UINT mensaje, WPARAM w, LPARAM l);
    // Takes down a tooltip being shown.
    void Ocultar();

private:
    TTTOOLINFOW Herramienta(UINT id) const;

    HWND panel_;
    VentanaUnica ventana_;
};

}  // namespace tesk
