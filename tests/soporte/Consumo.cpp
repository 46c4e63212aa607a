#include "tests/soporte/Consumo.h"

#include <psapi.h>

#include "tests/soporte/Panel.h"
#include "tests/soporte/Propios.h"

namespace tesk::fiabilidad {

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
    const e2e::Panel panel = e2e::Panel::DelProceso(proceso);
    if (!residente || !panel) return std::nullopt;
    const auto gdi = panel.Preguntar(TipoRecurso::gdi);
    const auto user = panel.Preguntar(TipoRecurso::user);
    const auto kernel = panel.Preguntar(TipoRecurso::kernel);
    if (!gdi || !user || !kernel) return std::nullopt;
    return Consumo{*residente, *gdi, *user, *kernel};
}

}  // namespace tesk::fiabilidad
