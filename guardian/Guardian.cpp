#include "guardian/Guardian.h"

#include <windows.h>

#include <delayimp.h>

#include <cstdint>
#include <cstring>

#include "desktop/Propietarios.h"
#include "guardian/Lanzador.h"
#include "guardian/Recuperacion.h"
#include "guardian/Registro.h"

namespace tesk::guardian {

namespace {

// Set once this process knows it is the guardian.
bool esGuardian = false;

// Every DLL beyond kernel32 and the C runtime is loaded on the first call
// to one of its functions (panel/CMakeLists.txt), so that the guardian
// waits with none of them. One that will not load then, or lacks the
// function, leaves the guardian nothing it could show the windows with
// and nobody to tell: it ends, without a fault report. In the program the
// failure stays a fault like any other (the helper raises it): the guardian
// is told, and brings back whatever is concealed.
FARPROC WINAPI AlFallarCarga(unsigned, PDelayLoadInfo) {
    if (esGuardian) ExitProcess(kSalidaSinBiblioteca);
    return nullptr;
}

}  // namespace

std::optional<int> SiEsGuardian() {
    const HANDLE seccion = GetStdHandle(STD_INPUT_HANDLE);
    if (seccion == nullptr || seccion == INVALID_HANDLE_VALUE) return std::nullopt;
    // A console's, a pipe's or a file's handle is no section.
    const VistaUnica vista(MapViewOfFile(seccion, FILE_MAP_READ, 0, 0, 0));
    if (!vista) return std::nullopt;
    // And a section that does not name, in its header, a process to watch,
    // a signal and an event to set is none of ours: the copy runs as the
    // program.
    MEMORY_BASIC_INFORMATION region{};
    Cabecera cabecera{};
    HANDLE vigilado = nullptr;
    HANDLE senal = nullptr;
    HANDLE listo = nullptr;
    if (VirtualQuery(vista.get(), &region, sizeof region) != 0 && region.RegionSize >= sizeof cabecera) {
        std::memcpy(&cabecera, vista.get(), sizeof cabecera);
        vigilado = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(cabecera.vigilado));
        senal = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(cabecera.senal));
        listo = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(cabecera.listo));
    }
    const DWORD proceso = vigilado != nullptr ? GetProcessId(vigilado) : 0;
    if (proceso == 0 || proceso == GetCurrentProcessId() || senal == nullptr ||
        WaitForSingleObject(senal, 0) == WAIT_FAILED || listo == nullptr || listo == senal ||
        WaitForSingleObject(listo, 0) == WAIT_FAILED) {
        return std::nullopt;
    }
    // The copy between Tesk and the guardian: it starts the guardian and
    // ends at once, its exit code the guardian's id, so that the guardian's
    // parent is gone and nothing ties it to Tesk's process tree.
    if (cabecera.lanzadera == GetCurrentProcessId())
        return static_cast<int>(Lanzador::Relevar({seccion, vigilado, senal, listo}));

    esGuardian = true;
    // Tesk learns that somebody is watching: until then it counts this copy
    // as one that may never get here, and starts another in time.
    SetEvent(listo);

    // Nothing periodic: asleep until Tesk ends, in any way, or faults. The
    // record is read only then, whatever it holds.
    const HANDLE esperas[] = {vigilado, senal};
    WaitForMultipleObjects(2, esperas, FALSE, INFINITE);
    Recuperar(vista.get(), region.RegionSize);
    return 0;
}

}  // namespace tesk::guardian

// mingwex's delay-load helper calls it when a load fails.
extern "C" {
PfnDliHook __pfnDliFailureHook2 = tesk::guardian::AlFallarCarga;
}
