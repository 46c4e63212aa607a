// Bounded waits for something another process or the window manager does in
// its own time. The calling thread keeps dispatching its own messages while
// it waits, so windows of the test process go on answering.
#pragma once

#include <windows.h>

#include <chrono>

namespace tesk::prueba {

// Deadlines, only ever reached when something has gone wrong: generous, so
// that a busy machine or a fresh Wine prefix never fails a test.
inline constexpr std::chrono::milliseconds kEsperaMaxima{30000};
// For a program to start and show its windows.
inline constexpr std::chrono::milliseconds kEsperaArranque{90000};
inline constexpr DWORD kIntervaloEspera = 10;

// Dispatches every message waiting for the calling thread.
inline void AtenderMensajes() {
    MSG mensaje;
    while (PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&mensaje);
        DispatchMessageW(&mensaje);
    }
}

// Polls until the condition holds (true) or the limit passes (false).
template <class Condicion>
bool EsperarHasta(Condicion condicion, std::chrono::milliseconds limite = kEsperaMaxima) {
    const auto fin = std::chrono::steady_clock::now() + limite;
    for (;;) {
        AtenderMensajes();
        if (condicion()) return true;
        if (std::chrono::steady_clock::now() >= fin) return false;
        Sleep(kIntervaloEspera);
    }
}

// Waits until nothing asked of the window through a desktop boundary is
// still on its way (see Escritorio::EnVuelo).
template <class Escritorio, class Handle>
bool EsperarAterrizaje(Escritorio& escritorio, Handle ventana) {
    return EsperarHasta([&] { return !escritorio.EnVuelo(ventana); });
}

}  // namespace tesk::prueba
