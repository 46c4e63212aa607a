// The commands' tooltips: one tool per command window. The commands relay
// their mouse messages to them rather than letting the control subclass
// them a second time.
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

    // A tool covering a child window of the panel, wherever it is placed.
    void Agregar(HWND herramienta, std::wstring_view texto);
    // Passes one of a tool's mouse messages on to the tooltips, which need
    // every move and click over it to know when to show.
    void Relevar(HWND herramienta, UINT mensaje, WPARAM w, LPARAM l);
    // Takes down a tooltip being shown.
    void Ocultar();

private:
    HWND panel_;
    VentanaUnica ventana_;
};

}  // namespace tesk
