// The record Tesk shares with its guardian: a header and a fixed table of
// entries, one per window Tesk has hidden and not yet seen back, in a
// section of memory backed by the paging file (nothing goes to disk). Tesk
// writes it; the guardian only reads it, once Tesk is gone.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tesk::guardian {

inline constexpr std::uint32_t kMarca = 0x4B534554u;  // "TESK"
inline constexpr std::uint32_t kVersion = 3;
// More windows than a desktop can hold.
inline constexpr std::uint32_t kCapacidad = 65536;

struct Cabecera {
    std::uint32_t marca;
    std::uint32_t version;
    std::uint32_t capacidad;
    std::uint32_t tamanoEntrada;
    // Entries 0 to usadas - 1 may hold a window; the rest have never been
    // written.
    std::uint32_t usadas;
    // The process id of the short-lived copy Tesk starts to start the
    // guardian: that copy, finding its own id here, starts the guardian
    // and ends, so that the guardian is no descendant of Tesk.
    std::uint32_t lanzadera;
    // The guardian's own handles, which it inherits with these values: the
    // process it watches, the signal that process sets when it faults, and
    // the event the guardian sets once it is waiting.
    std::uint64_t vigilado;
    std::uint64_t senal;
    std::uint64_t listo;
};

struct Entrada {
    // The window's handle as the boundary keeps it; 0 for a free entry.
    // Written last, so an entry whose writing was cut short names no window.
    std::int32_t ventana;
    // The show command that brings it back.
    std::int32_t mostrarCon;
    // The process and thread the window belonged to when it was written
    // down: a handle reused by another window since is not that window.
    std::uint32_t proceso;
    std::uint32_t hilo;
};

inline constexpr std::size_t kTamano = sizeof(Cabecera) + std::size_t{kCapacidad} * sizeof(Entrada);

// A command the guardian may show a window with: any of the platform's show
// commands (SW_SHOWNORMAL to SW_FORCEMINIMIZE), never SW_HIDE.
constexpr bool ComandoValido(std::int32_t comando) { return comando >= 1 && comando <= 11; }

}  // namespace tesk::guardian
