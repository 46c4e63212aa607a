#include "tests/soporte/Rutas.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace tesk::e2e {

namespace {

constexpr wchar_t kRaizUnix[] = L"Z:";

}  // namespace

std::wstring RutaWindows(const std::wstring& ruta) {
    if (ruta.empty() || ruta.front() != L'/') return ruta;
    std::wstring windows = kRaizUnix + ruta;
    std::replace(windows.begin(), windows.end(), L'/', L'\\');
    return windows;
}

std::wstring RutaDe(const wchar_t* variable) {
    const DWORD largo = GetEnvironmentVariableW(variable, nullptr, 0);
    if (largo == 0) throw std::runtime_error("a program's path is missing from the environment");
    std::wstring valor(largo, L'\0');
    valor.resize(GetEnvironmentVariableW(variable, valor.data(), largo));
    return RutaWindows(valor);
}

}  // namespace tesk::e2e
