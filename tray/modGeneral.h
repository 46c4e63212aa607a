// The procedures that set how a window handed to them sits on the desktop:
// translucency and the topmost band. Written against the desktop boundary
// only, so they run the same on Windows and against a stand-in.
#pragma once

#include <cstdint>

#include "desktop/Escritorio.h"

namespace tesk {

// percent (0 to 100) as an opacity byte: percent * 255 / 100, rounded half
// to even (90 gives 230).
std::uint8_t ByteOpacidad(std::uint8_t porcentaje);

// Makes the window layered and draws it at that opacity.
void EstablecerTransparencia(Escritorio& escritorio, Handle ventana, std::uint8_t porcentaje);

// Puts the window in the topmost band without moving or resizing it.
void SiempreEncima(Escritorio& escritorio, Handle ventana, bool encima);

}  // namespace tesk
