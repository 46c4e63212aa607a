#include "guardian/Guardian.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "guardian/Recuperacion.h"
#include "guardian/Registro.h"

namespace tesk::guardian {

std::optional<int> SiEsGuardian() {
    const HANDLE seccion = GetStdHandle(STD_INPUT_HANDLE);
    if (seccion == nullptr || seccion == INVALID_HANDLE_VALUE) return std::nullopt;
    // A console's, a pipe's or a file's handle is no section.
    void* vista = MapViewOfFile(seccion, FILE_MAP_READ, 0, 0, 0);
    if (vista == nullptr) return std::nullopt;

    // A guardian from here on, whatever the record holds: one whose handles
    // are not a process and a signal has nothing to watch, and ends.
    int codigo = 0;
    MEMORY_BASIC_INFORMATION region{};
    Cabecera cabecera{};
    if (VirtualQuery(vista, &region, sizeof region) != 0 && region.RegionSize >= sizeof cabecera) {
        std::memcpy(&cabecera, vista, sizeof cabecera);
        const auto vigilado = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(cabecera.vigilado));
        const auto senal = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(cabecera.senal));
        const DWORD proceso = GetProcessId(vigilado);
        if (proceso != 0 && proceso != GetCurrentProcessId() && WaitForSingleObject(senal, 0) != WAIT_FAILED) {
            // Nothing periodic: asleep until Tesk ends, in any way, or faults.
            const HANDLE esperas[] = {vigilado, senal};
            WaitForMultipleObjects(2, esperas, FALSE, INFINITE);
            Recuperar(vista, region.RegionSize);
        } else {
            codigo = 1;
        }
    }
    UnmapViewOfFile(vista);
    return codigo;
}

}  // namespace tesk::guardian
