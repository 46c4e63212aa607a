#include "about/Version.h"

#include <windows.h>

#include <cstddef>
#include <vector>

#include "desktop/Programa.h"

namespace tesk {

std::optional<NumerosVersion> VersionDelPrograma() {
    const std::wstring ruta = RutaDelPrograma();
    if (ruta.empty()) return std::nullopt;
    DWORD ignorado = 0;
    const DWORD tamano = ::GetFileVersionInfoSizeW(ruta.c_str(), &ignorado);
    if (tamano == 0) return std::nullopt;
    std::vector<std::byte> datos(tamano);
    if (!::GetFileVersionInfoW(ruta.c_str(), 0, tamano, datos.data())) return std::nullopt;
    void* bloque = nullptr;
    UINT largoBloque = 0;
    if (!::VerQueryValueW(datos.data(), L"\\", &bloque, &largoBloque) || largoBloque < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    const auto* fijo = static_cast<const VS_FIXEDFILEINFO*>(bloque);
    return NumerosVersion{HIWORD(fijo->dwFileVersionMS), LOWORD(fijo->dwFileVersionMS), LOWORD(fijo->dwFileVersionLS)};
}

std::wstring TextoVersion(const NumerosVersion& version) {
    return L"v " + std::to_wstring(version.mayor) + L"." + std::to_wstring(version.menor) + L"." +
           std::to_wstring(version.revision);
}

}  // namespace tesk
