// The record Tesk shares with its guardian: a header and two fixed tables,
// one entry per window Tesk has hidden and not yet seen back, then one per
// audio session Tesk has muted and not yet given back, in a section of
// memory backed by the paging file (nothing goes to disk). Tesk writes it;
// the guardian only reads it, once Tesk is gone.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tesk::guardian {

inline constexpr std::uint32_t kMarca = 0x4B534554u;  // "TESK"
inline constexpr std::uint32_t kVersion = 4;
// More windows than a desktop can hold.
inline constexpr std::uint32_t kCapacidad = 65536;
// More sessions than the volume mixer shows; beyond them a session is left
// playing.
inline constexpr std::uint32_t kCapacidadSesiones = 256;
// A session's instance identifier, in characters, its terminator included:
// the endpoint's identifier, the executable's path and two numbers fit.
inline constexpr std::uint32_t kLargoIdSesion = 512;

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
    // The sessions' table, after the windows': its size, the size of one
    // of its entries, and how many may hold a session.
    std::uint32_t capacidadSesiones;
    std::uint32_t tamanoSesion;
    std::uint32_t sesionesUsadas;
    std::uint32_t reservado;
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

struct EntradaSesion {
    // The characters of its instance identifier before the terminator; 0
    // for a free entry. Written last.
    std::uint32_t largo;
    // The process that played in it.
    std::uint32_t proceso;
    wchar_t id[kLargoIdSesion];
};

inline constexpr std::size_t kTamano = sizeof(Cabecera) + std::size_t{kCapacidad} * sizeof(Entrada) +
                                       std::size_t{kCapacidadSesiones} * sizeof(EntradaSesion);

// A command the guardian may show a window with: any of the platform's show
// commands (SW_SHOWNORMAL to SW_FORCEMINIMIZE), never SW_HIDE.
constexpr bool ComandoValido(std::int32_t comando) { return comando >= 1 && comando <= 11; }

}  // namespace tesk::guardian
