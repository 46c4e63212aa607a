// The panel's fonts and pictures at one DPI. Made again when the panel moves
// to a screen of another DPI.
#pragma once

#include <windows.h>

#include "panel/Diseno.h"
#include "ui/Propietarios.h"

namespace tesk {

class Apariencia {
public:
    explicit Apariencia(UINT dpi);

    UINT Dpi() const noexcept { return dpi_; }
    HFONT FuenteEtiquetas() const noexcept { return etiquetas_.get(); }
    HFONT FuenteNegrita() const noexcept { return negrita_.get(); }
    HFONT FuenteLista() const noexcept { return lista_.get(); }
    HBITMAP Banner() const noexcept { return banner_.get(); }
    // The icon of an image control (ImMinimizar, ImCerrar, ImCambiar) at
    // its size; null for other controls.
    HICON Icono(diseno::Control control) const noexcept;

private:
    UINT dpi_;
    FuenteUnica etiquetas_;
    FuenteUnica negrita_;
    FuenteUnica lista_;
    BitmapUnico banner_;
    IconoUnico minimizar_;
    IconoUnico cerrar_;
    IconoUnico cambiar_;
};

}  // namespace tesk
