#include "tests/fiabilidad/soporte/Consumo.h"

#include <psapi.h>

#include "tests/windows/soporte/Propios.h"

namespace tesk::fiabilidad {

std::optional<Consumo> ConsumoDe(DWORD proceso) {
    const prueba::HandlePropio abierto(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, proceso));
    if (!abierto) return std::nullopt;
    PROCESS_MEMORY_COUNTERS memoria{};
    memoria.cb = sizeof(memoria);
    Consumo consumo;
    if (!GetProcessMemoryInfo(abierto.get(), &memoria, sizeof(memoria))) return std::nullopt;
    if (!GetProcessHandleCount(abierto.get(), &consumo.handles)) return std::nullopt;
    consumo.residente = memoria.WorkingSetSize;
    return consumo;
}

}  // namespace tesk::fiabilidad
