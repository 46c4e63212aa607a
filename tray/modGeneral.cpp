#include "tray/modGeneral.h"

#include <cmath>

namespace tesk {

std::uint8_t ByteOpacidad(std::uint8_t porcentaje) {
    const double exacto = static_cast<double>(porcentaje) * 255.0 / 100.0;
    // nearbyint rounds half to even in the default rounding mode.
    return static_cast<std::uint8_t>(std::nearbyint(exacto));
}

void EstablecerTransparencia(Escritorio& escritorio, Handle ventana, std::uint8_t porcentaje) {
    escritorio.FijarEstiloExtendido(ventana, escritorio.EstiloExtendido(ventana) | kWsExLayered);
    escritorio.FijarOpacidad(ventana, ByteOpacidad(porcentaje));
}

void SiempreEncima(Escritorio& escritorio, Handle ventana, bool encima) {
    // Only ever asked to raise; nothing takes a window out of the band.
    if (encima) escritorio.FijarSiempreEncima(ventana);
}

}  // namespace tesk
