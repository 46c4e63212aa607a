#include "tests/fiabilidad/soporte/Consumo.h"

#include <psapi.h>

#include "panel/Recursos.h"
#include "tests/windows/soporte/Propios.h"

namespace tesk::fiabilidad {

namespace {

constexpr wchar_t kClasePanel[] = L"TeskPanel";
constexpr UINT kEsperaRespuesta = 5000;  // ms; the panel may be busy with a pass

HWND PanelDe(DWORD proceso) {
    for (HWND ventana = FindWindowExW(nullptr, nullptr, kClasePanel, nullptr); ventana != nullptr;
         ventana = FindWindowExW(nullptr, ventana, kClasePanel, nullptr)) {
        DWORD suyo = 0;
        GetWindowThreadProcessId(ventana, &suyo);
        if (suyo == proceso) return ventana;
    }
    return nullptr;
}

std::optional<long> Preguntar(HWND panel, TipoRecurso tipo) {
    static const UINT mensaje = RegisterWindowMessageW(kMensajeRecursos);
    DWORD_PTR respuesta = 0;
    if (!SendMessageTimeoutW(panel, mensaje, static_cast<WPARAM>(tipo), 0, SMTO_ABORTIFHUNG, kEsperaRespuesta,
                             &respuesta)) {
        return std::nullopt;
    }
    const auto valor = static_cast<long>(static_cast<LRESULT>(respuesta));
    if (valor < 0) return std::nullopt;
    return valor;
}

}  // namespace

std::optional<std::size_t> ResidenteDe(DWORD proceso) {
    const prueba::HandlePropio abierto(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, proceso));
    if (!abierto) return std::nullopt;
    PROCESS_MEMORY_COUNTERS memoria{};
    memoria.cb = sizeof(memoria);
    if (!GetProcessMemoryInfo(abierto.get(), &memoria, sizeof(memoria))) return std::nullopt;
    return memoria.WorkingSetSize;
}

std::optional<Consumo> ConsumoDe(DWORD proceso) {
    const std::optional<std::size_t> residente = ResidenteDe(proceso);
    const HWND panel = PanelDe(proceso);
    if (!residente || panel == nullptr) return std::nullopt;
    const auto gdi = Preguntar(panel, TipoRecurso::gdi);
    const auto user = Preguntar(panel, TipoRecurso::user);
    const auto kernel = Preguntar(panel, TipoRecurso::kernel);
    if (!gdi || !user || !kernel) return std::nullopt;
    return Consumo{*residente, *gdi, *user, *kernel};
}

}  // namespace tesk::fiabilidad
