// The panel and the About box as they are laid out, in twips (1440 to the
// inch), and their conversion to pixels at a DPI. The tests find every
// control from here, so a control out of place shows up as a click that
// does nothing.
#pragma once

#include <windows.h>

#include <cmath>

namespace tesk::e2e {

struct RectTwips {
    int izquierda = 0;
    int arriba = 0;
    int ancho = 0;
    int alto = 0;
};

inline constexpr int kTwipsPorPulgada = 1440;

// The panel's client area and its distance from the screen's bottom-right
// corner.
inline constexpr int kAnchoPanel = 2520;
inline constexpr int kAltoPanel = 3420;
inline constexpr int kMargenDerecho = 100;
inline constexpr int kMargenInferior = 500;

// The controls that take clicks, in the panel's client area.
inline constexpr RectTwips kImAcerca{100, 60, 1395, 420};
inline constexpr RectTwips kImMinimizar{2040, 0, 240, 240};
inline constexpr RectTwips kImCerrar{2280, 30, 240, 240};
inline constexpr RectTwips kLBTecla1{120, 600, 1815, 255};
inline constexpr RectTwips kLBTecla0{1900, 600, 495, 255};
inline constexpr RectTwips kLBLista{120, 840, 2055, 255};
inline constexpr RectTwips kImCambiar{2160, 840, 240, 240};

// PB in the panel, and the list box in PB (larger than PB, so PB cuts off
// its border).
inline constexpr RectTwips kPB{80, 1100, 2390, 2250};
inline constexpr RectTwips kLista{-10, -10, 2415, 2280};

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
