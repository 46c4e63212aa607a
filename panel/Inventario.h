// What the program answers to kMensajeRecursos: the objects and handles it
// holds, and the counts the tests read to tell an event that never reached
// the program from one that did. The panel counts the events here.
#pragma once

#include <windows.h>

#include <cstdint>

#include "panel/Nombres.h"

namespace tesk {

// What the panel knows of itself at the moment of the question.
struct EstadoPanel {
    int tecla = 0;                 // the activation key's virtual-key code
    std::uint32_t guardian = 0;    // the guardian known to be waiting, or 0
    bool teclaRegistrada = false;  // the key is a system hot key now
    long pulsacionesComandos = 0;  // presses the command windows have had
};

class Inventario {
public:
    // A tick of the timer handled to the end.
    void Tick() noexcept { ++ticks_; }
    // A left-button press on the panel itself.
    void Pulsacion() noexcept { ++pulsaciones_; }
    // A button released on the tray icon, and a move over it.
    void AvisoIcono() noexcept { ++avisosIcono_; }
    void MovimientoIcono() noexcept { ++movimientosIcono_; }

    // The answer for a kind of TipoRecurso; -1 for an unknown kind.
    LRESULT Responder(WPARAM tipo, const EstadoPanel& estado) const noexcept;

private:
    LRESULT ticks_ = 0;
    LRESULT pulsaciones_ = 0;
    LRESULT avisosIcono_ = 0;
    LRESULT movimientosIcono_ = 0;
};

}  // namespace tesk
