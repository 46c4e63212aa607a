// What the engine needs from the panel that hosts it.
#pragma once

#include <cstdint>

#include "desktop/Escritorio.h"

namespace tesk {

class Anfitrion {
public:
    virtual ~Anfitrion() = default;

    // The panel's top-level window: where every walk starts, never listed,
    // never hidden by a walk.
    virtual Handle VentanaPropia() = 0;
    virtual void OcultarPanel() = 0;
    virtual void QuitarIconoBandeja() = 0;
    virtual void RestaurarIconoBandeja() = 0;
    // Let the event loop handle what is queued, then return.
    virtual void ProcesarEventos() = 0;
    // Waits a short while (a few milliseconds) for the program's own events,
    // handles whatever came, then returns: how a pass waits for its calls to
    // land without waiting on another program.
    virtual void EsperarEventos() = 0;
    // A steady clock, in milliseconds.
    virtual std::int64_t Reloj() = 0;
};

}  // namespace tesk
