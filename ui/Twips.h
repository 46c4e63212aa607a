// Rectangles kept in twips (1440 to the inch), the unit every position and
// size of the program's windows is laid out in, and their size in pixels.
#pragma once

#include <windows.h>

#include "ui/Dpi.h"

namespace tesk {

struct RectTwips {
    int izquierda = 0;
    int arriba = 0;
    int ancho = 0;
    int alto = 0;
};

// The rectangle in pixels: position and size each converted on its own, so
// every control keeps its size wherever it sits.
inline RECT APixeles(const RectTwips& rect, UINT dpi) noexcept {
    const int izquierda = APixeles(rect.izquierda, dpi);
    const int arriba = APixeles(rect.arriba, dpi);
    return {izquierda, arriba, izquierda + APixeles(rect.ancho, dpi), arriba + APixeles(rect.alto, dpi)};
}

}  // namespace tesk
