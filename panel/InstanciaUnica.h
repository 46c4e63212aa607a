// Only one copy of the program runs at a time: the first copy holds a named
// mutex for as long as it runs.
#pragma once

#include <optional>

#include "ui/Propietarios.h"

namespace tesk {

class InstanciaUnica {
public:
    // The mutex of this copy, or nothing when another copy already holds it.
    static std::optional<InstanciaUnica> Tomar();

private:
    explicit InstanciaUnica(HandleUnico mutex) : mutex_(std::move(mutex)) {}

    HandleUnico mutex_;
};

}  // namespace tesk
