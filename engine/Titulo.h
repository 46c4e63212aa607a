// Titles as the list and the records keep them.
#pragma once

#include <string>

#include "desktop/Escritorio.h"

namespace tesk {

// Removes every NUL character and trims spaces (only character 32) at both
// ends; tabs and other white space stay.
std::wstring NormalizarTitulo(std::wstring crudo);

// Reads a window's title through the boundary and normalises it.
std::wstring LeerTitulo(Escritorio& escritorio, Handle ventana);

}  // namespace tesk
