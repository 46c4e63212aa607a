// A window's class, as the tests tell windows apart by it.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

namespace tesk::prueba {

// The window's class name; empty for no window.
inline std::wstring ClaseDe(HWND ventana) {
    std::array<wchar_t, 256> nombre{};
    const int largo = GetClassNameW(ventana, nombre.data(), static_cast<int>(nombre.size()));
    return std::wstring(nombre.data(), static_cast<std::size_t>(largo > 0 ? largo : 0));
}

// The window's class is exactly that one (case and all).
inline bool EsDeClase(HWND ventana, std::wstring_view clase) {
    return ventana != nullptr && ClaseDe(ventana) == clase;
}

}  // namespace tesk::prueba
