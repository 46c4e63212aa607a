// After a restore, the window it brought to the front is kept there for two
// seconds against changes that no input of the user's made and no window
// already on screen asked for (the display reporting the old focus late, a
// window that appeared since taking the focus): each tick puts it back,
// until the user presses a key or uses the mouse, another window that was
// on screen comes forward, or the system refuses.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_set>

#include "desktop/Escritorio.h"
#include "engine/Anfitrion.h"

namespace tesk {

class GuardiaFrente {
public:
    GuardiaFrente(Escritorio& escritorio, Anfitrion& anfitrion);

    // Brings the window to the front and starts keeping it there, in place
    // of any watch running. teclaAbajo: whether the key that asked for the
    // restore is still down.
    void Empezar(Handle ventana, bool teclaAbajo);

    // The timer's tick, with the key's state it read: the window put back
    // in front, or the watch ended.
    void Vigilar(bool teclaAbajo);

    // No window is kept in front any more.
    void Terminar() { frente_.reset(); }

private:
    void Seguir(bool teclaAbajo);

    Escritorio& escritorio_;
    Anfitrion& anfitrion_;

    // The end of a watch: a time on Reloj and a number of the timer's ticks,
    // both of which must have passed. A busy machine slows the ticks and the
    // other programs alike, so the watch lasts as long there as the time
    // alone would here.
    struct Plazo {
        std::int64_t hasta = 0;
        std::int32_t ticks = 0;
        // Counts one tick; whether the watch is over.
        bool Vencido(std::int64_t ahora) { return --ticks <= 0 && ahora >= hasta; }
    };
    // The window the latest restore brought to the front, kept there until
    // plazo ends unless the user's input (UltimaEntrada) changes from what
    // it was once the key was let go, or a window that was on screen then
    // (enPantalla) takes the foreground. The time counts from when the
    // window is on screen (enCamino until then, with a plazo of its own for
    // getting there).
    struct Frente {
        Handle ventana = 0;
        bool enCamino = false;
        Plazo plazo;
        std::optional<std::uint32_t> entrada;
        std::unordered_set<Handle> enPantalla;
    };
    std::optional<Frente> frente_;
};

}  // namespace tesk
