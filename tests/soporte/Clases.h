// A window's class, as the tests tell windows apart by it.
#pragma once

#include <windows.h>

#include <array>
#include <string_view>

namespace tesk::prueba {

// The window's class is exactly that one (case and all).
inline bool EsDeClase(HWND ventana, std::wstring_view clase) {
    std::array<wchar_t, 256> nombre{};
    const int largo = GetClassNameW(ventana, nombre.data(), static_cast<int>(nombre.size()));
    return largo > 0 && std::wstring_view(nombre.data(), static_cast<std::size_t>(largo)) == clase;
}

}  // namespace tesk::prueba
