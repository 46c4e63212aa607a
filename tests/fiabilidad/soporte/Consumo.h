// What a running program holds, read from outside through its process: the
// resident size (working set) and the number of kernel handles it has open.
// Wine counts no USER or GDI objects per process (GetGuiResources gives 0
// there), so those are not read; Wine 8 also answers 0 handles for another
// process, so under Wine only the resident size tells.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace tesk::fiabilidad {

struct Consumo {
    std::size_t residente = 0;  // bytes
    DWORD handles = 0;
};

// The process's figures now, or nothing when they cannot be read.
std::optional<Consumo> ConsumoDe(DWORD proceso);

}  // namespace tesk::fiabilidad
