// The record of one top-level window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "desktop/Escritorio.h"

namespace tesk {

struct Ventana {
    Handle hWnd = 0;
    std::int32_t Estado = 0;  // the placement's showCmd when the record was taken
    std::wstring Titulo;      // normalised title
};

// Element 0 of every record array is an empty placeholder; live records run
// from 1 to the last element.
using Ventanas = std::vector<Ventana>;

// An array holding only its empty element 0.
inline Ventanas VentanasVacias() { return Ventanas(1); }

}  // namespace tesk
