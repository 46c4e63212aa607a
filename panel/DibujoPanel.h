// Paints the panel: background, outline, line, pictures and labels, and the
// keyboard focus. The list box is a child window and paints itself; the
// commands show their part of this same picture.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "panel/Apariencia.h"

namespace tesk {

// The captions that change while the program runs.
struct TextosPanel {
    std::wstring_view tecla;  // LBTecla(0)
    std::wstring_view lista;  // LBLista
};

// conFoco: the command to draw the keyboard focus around, if any.
void DibujarPanel(HDC dc, const RECT& cliente, const Apariencia& apariencia, const TextosPanel& textos,
                  std::optional<diseno::Control> conFoco = std::nullopt);

}  // namespace tesk
