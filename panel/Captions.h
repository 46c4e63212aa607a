// What the mode label says for each of the engine's modes. Plain text with
// no Windows headers, so it is checked on any platform.
#pragma once

#include <string_view>

#include "engine/Motor.h"

namespace tesk {

inline constexpr std::wstring_view kCaptionOcultarExcepto = L"Ocultar todo excepto";
inline constexpr std::wstring_view kCaptionOcultarSeleccion = L"Ocultar lo seleccionado";

// kModoOcultar hides everything but the marked windows; the other mode,
// only the marked ones.
constexpr std::wstring_view CaptionModo(std::wstring_view modo) {
    return modo == kModoOcultar ? kCaptionOcultarExcepto : kCaptionOcultarSeleccion;
}

}  // namespace tesk
