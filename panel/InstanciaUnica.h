// Only one copy of the program runs at a time: the first copy holds a named
// mutex for as long as it runs. A copy started while it runs asks it to
// bring its windows back, and ends.
#pragma once

#include <optional>

#include "desktop/Propietarios.h"

namespace tesk {

class InstanciaUnica {
public:
    // The mutex of this copy, or nothing when another copy already holds it.
    static std::optional<InstanciaUnica> Tomar();

    // From a copy that found another one running: asks that one's panel to
    // bring back whatever it conceals (the way back for a user who forgot
    // the key), without waiting for it, and lets it take the foreground.
    static void PedirRestauracion();

private:
    explicit InstanciaUnica(HandleUnico mutex) : mutex_(std::move(mutex)) {}

    HandleUnico mutex_;
};

}  // namespace tesk
