#include "desktop/Programa.h"

#include <windows.h>

namespace tesk {

std::wstring RutaDelPrograma() {
    std::wstring ruta(MAX_PATH, L'\0');
    for (;;) {
        const DWORD largo = ::GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()));
        if (largo == 0) return {};
        if (largo < ruta.size()) {
            ruta.resize(largo);
            return ruta;
        }
        ruta.resize(ruta.size() * 2);
    }
}

}  // namespace tesk
