// Paints the panel: background, outline, line, pictures and labels. The list
// box is a child window and paints itself.
#pragma once

#include <windows.h>

#include <string_view>

#include "panel/Apariencia.h"

namespace tesk {

// The captions that change while the program runs.
struct TextosPanel {
    std::wstring_view tecla;  // LBTecla(0)
    std::wstring_view lista;  // LBLista
};

void DibujarPanel(HDC dc, const RECT& cliente, const Apariencia& apariencia, const TextosPanel& textos);

}  // namespace tesk
