// The record shared with the guardian, written by a test as the program
// writes it: its header, and the entry of a window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "desktop/Handles.h"
#include "guardian/Registro.h"

namespace tesk::prueba {

inline guardian::Cabecera CabeceraComoLaEscribeTesk() {
    return {guardian::kMarca, guardian::kVersion, guardian::kCapacidad, sizeof(guardian::Entrada), 0, 0, 0, 0, 0};
}

inline guardian::Entrada EntradaDe(HWND ventana, std::int32_t mostrarCon) {
    DWORD proceso = 0;
    const DWORD hilo = GetWindowThreadProcessId(ventana, &proceso);
    return {HandleDe(ventana), mostrarCon, proceso, hilo};
}

}  // namespace tesk::prueba
