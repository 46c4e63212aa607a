// The record shared with the guardian, written by a test as the program
// writes it: its header, and the entry of a window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "desktop/Conversiones.h"
#include "guardian/Registro.h"
#include "tests/soporte/Propios.h"

namespace tesk::prueba {

inline guardian::Cabecera CabeceraComoLaEscribeTesk() {
    return {guardian::kMarca, guardian::kVersion, guardian::kCapacidad, sizeof(guardian::Entrada),
            0, 0, 0, 0, 0, guardian::kCapacidadSesiones, sizeof(guardian::EntradaSesion), 0, 0};
}

// A section the size of the record, inheritable as the program makes it,
// with nothing written in it yet; empty when the system gives none.
inline HandlePropio SeccionDelRegistro() {
    SECURITY_ATTRIBUTES heredable{sizeof heredable, nullptr, TRUE};
    return HandlePropio(CreateFileMappingW(INVALID_HANDLE_VALUE, &heredable, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(guardian::kTamano), nullptr));
}

inline guardian::Entrada EntradaDe(HWND ventana, std::int32_t mostrarCon) {
    DWORD proceso = 0;
    const DWORD hilo = GetWindowThreadProcessId(ventana, &proceso);
    return {HandleDe(ventana), mostrarCon, proceso, hilo};
}

}  // namespace tesk::prueba
