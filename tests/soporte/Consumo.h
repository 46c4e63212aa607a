// What a running tesk.exe holds, read from outside: the resident size of its
// process (working set), and the GDI objects, USER objects and kernel
// handles it holds, which the program counts itself and gives to whoever
// asks its panel. Wine answers 0 for another process's handle count and for
// GetGuiResources, so those platform figures are not read.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace tesk::fiabilidad {

struct Consumo {
    std::size_t residente = 0;  // bytes
    long gdi = 0;
    long user = 0;  // windows included
    long kernel = 0;
};

// The figures of tesk.exe running as process `proceso`, or nothing when its
// process or its panel cannot be read.
std::optional<Consumo> ConsumoDe(DWORD proceso);

// The resident size of any process, or nothing.
std::optional<std::size_t> ResidenteDe(DWORD proceso);

}  // namespace tesk::fiabilidad
