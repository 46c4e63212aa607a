// Keyboard and mouse input as the user would give it, through SendInput.
#pragma once

#include <windows.h>

namespace tesk::prueba {

// One key transition for a virtual-key code.
void EnviarTecla(WORD codigo, bool abajo);

// Down and up in a single SendInput call: a press too short for any poll to
// see the key down.
void PulsarYSoltar(WORD codigo);

// The key held down for the object's lifetime, so a failing test never
// leaves it down.
class TeclaSostenida {
public:
    explicit TeclaSostenida(WORD codigo) : codigo_(codigo) { EnviarTecla(codigo_, true); }
    ~TeclaSostenida() { Soltar(); }
    TeclaSostenida(const TeclaSostenida&) = delete;
    TeclaSostenida& operator=(const TeclaSostenida&) = delete;

    void Soltar() {
        if (abajo_) EnviarTecla(codigo_, false);
        abajo_ = false;
    }

private:
    WORD codigo_;
    bool abajo_ = true;
};

// A left (or right) click at a point of the screen.
void Clic(POINT pantalla, bool derecho = false);

// Two left clicks at a point of the screen, close enough to make a
// double-click.
void DobleClic(POINT pantalla);
// Moves the mouse there as a user would (with whatever button is down).
void Mover(POINT pantalla);
// The left button pressed, or let go, at a point of the screen: a drag is a
// press, moves, and a release.
void PresionarIzquierdo(POINT pantalla);
void SoltarIzquierdo(POINT pantalla);

}  // namespace tesk::prueba
