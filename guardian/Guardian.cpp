#include "guardian/Guardian.h"

#include <windows.h>

#include "guardian/Recuperacion.h"

namespace tesk::guardian {

namespace {

bool Presente(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

}  // namespace

std::optional<int> SiEsGuardian() {
    const HANDLE seccion = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE vigilado = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE senal = GetStdHandle(STD_ERROR_HANDLE);
    if (!Presente(seccion) || !Presente(vigilado) || !Presente(senal)) return std::nullopt;
    // A console's or a file's handles are no process and no section.
    if (GetProcessId(vigilado) == 0 || GetProcessId(vigilado) == GetCurrentProcessId()) return std::nullopt;
    void* vista = MapViewOfFile(seccion, FILE_MAP_READ, 0, 0, 0);
    if (vista == nullptr) return std::nullopt;
    MEMORY_BASIC_INFORMATION region{};
    if (VirtualQuery(vista, &region, sizeof region) == 0 || WaitForSingleObject(senal, 0) == WAIT_FAILED) {
        UnmapViewOfFile(vista);
        return std::nullopt;
    }

    // Nothing periodic: asleep until Tesk ends, in any way, or faults.
    const HANDLE esperas[] = {vigilado, senal};
    WaitForMultipleObjects(2, esperas, FALSE, INFINITE);
    Recuperar(vista, region.RegionSize);
    UnmapViewOfFile(vista);
    return 0;
}

}  // namespace tesk::guardian
