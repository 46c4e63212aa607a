// The panel and the About box as the tests find them. The panel's layout is
// the program's own table (panel/Diseno.h), named here as the tests have
// always named it; the tests convert its twips (1440 to the inch) to pixels
// at a DPI with arithmetic of their own. What the program keeps in no table
// of its own is written here. tests/e2e/diseno_test.cpp holds the layout the
// program must have and reads it off the running panel, so a control moved
// in the table by mistake still fails a test.
#pragma once

#include <windows.h>

#include <cmath>

#include "panel/Diseno.h"
#include "ui/Twips.h"

namespace tesk::e2e {

inline constexpr int kTwipsPorPulgada = 1440;

// A control's rectangle in the program's table; the build stops when the
// table has no such control.
consteval RectTwips RectDe(diseno::Control control) {
    for (const diseno::ControlPanel& datos : diseno::kControles) {
        if (datos.control == control) return datos.rect;
    }
    throw "the panel's table has no such control";
}

// The panel's client area and its distance from the screen's bottom-right
// corner.
using diseno::kAltoPanel;
using diseno::kAnchoPanel;
using diseno::kMargenDerecho;
using diseno::kMargenInferior;

// The controls that take clicks, in the panel's client area.
inline constexpr RectTwips kImAcerca = RectDe(diseno::Control::ImAcerca);
inline constexpr RectTwips kImMinimizar = RectDe(diseno::Control::ImMinimizar);
inline constexpr RectTwips kImCerrar = RectDe(diseno::Control::ImCerrar);
inline constexpr RectTwips kLBTecla1 = RectDe(diseno::Control::LBTecla1);
inline constexpr RectTwips kLBTecla0 = RectDe(diseno::Control::LBTecla0);
inline constexpr RectTwips kLBLista = RectDe(diseno::Control::LBLista);
inline constexpr RectTwips kImCambiar = RectDe(diseno::Control::ImCambiar);

// PB in the panel, and the list box in PB.
using diseno::kLista;
using diseno::kPB;

// The panel is drawn at 90 % opacity: this alpha byte.
inline constexpr int kAlfaPanel = 230;

// The About box's client area.
inline constexpr int kAnchoAcercade = 4245;
inline constexpr int kAltoAcercade = 2550;

// Twips to pixels at a DPI, to the nearest pixel.
inline int Pixeles(int twips, UINT dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPorPulgada));
}

// The middle of a control, in pixels from the top-left corner of its parent.
inline POINT Centro(const RectTwips& rect, UINT dpi) {
    return {Pixeles(rect.izquierda + rect.ancho / 2, dpi), Pixeles(rect.arriba + rect.alto / 2, dpi)};
}

}  // namespace tesk::e2e
