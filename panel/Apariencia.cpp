#include "panel/Apariencia.h"

#include "resources/recursos.h"
#include "ui/Dpi.h"
#include "ui/Graficos.h"

namespace tesk {

namespace {

IconoUnico IconoDe(diseno::Control control, int id, UINT dpi) {
    return CargarIcono(id, tesk::APixeles(diseno::Datos(control).rect.ancho, dpi));
}

}  // namespace

Apariencia::Apariencia(UINT dpi)
    : dpi_(dpi),
      etiquetas_(CrearFuente(diseno::kFuenteEtiquetas, diseno::kCentesimasPuntoEtiquetas, false, dpi)),
      negrita_(CrearFuente(diseno::kFuenteEtiquetas, diseno::kCentesimasPuntoEtiquetas, true, dpi)),
      lista_(CrearFuenteInterfaz(dpi)),
      banner_(CargarBitmapParaDpi(IDB_BANNER, IDB_BANNER_2X, dpi)),
      minimizar_(IconoDe(diseno::Control::ImMinimizar, IDI_MINIMIZAR, dpi)),
      cerrar_(IconoDe(diseno::Control::ImCerrar, IDI_CERRAR, dpi)),
      cambiar_(IconoDe(diseno::Control::ImCambiar, IDI_CAMBIAR, dpi)) {}

HICON Apariencia::Icono(diseno::Control control) const noexcept {
    switch (control) {
        case diseno::Control::ImMinimizar:
            return minimizar_.get();
        case diseno::Control::ImCerrar:
            return cerrar_.get();
        case diseno::Control::ImCambiar:
            return cambiar_.get();
        default:
            return nullptr;
    }
}

}  // namespace tesk
