// Conversions between the platform's handles and the boundary's opaque ones.
// Window handles fit in 32 bits: the boundary keeps the low 32 bits, and a
// 32-bit handle becomes an HWND by sign extension, as the system itself does
// when a 64-bit program passes a handle to a 32-bit one and back.
#pragma once

#include <windows.h>

#include <cstdint>

#include "desktop/Escritorio.h"

namespace tesk {

inline Handle HandleDe(HWND ventana) {
    return static_cast<Handle>(reinterpret_cast<std::intptr_t>(ventana));
}

inline HWND HwndDe(Handle ventana) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(ventana));
}

inline IconoId IconoDe(HICON icono) {
    return static_cast<IconoId>(reinterpret_cast<std::uintptr_t>(icono));
}

inline HICON HiconDe(IconoId icono) {
    return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(icono));
}

}  // namespace tesk
