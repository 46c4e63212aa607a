// Tesk: conceals the desktop's windows at the press of a function key.
#include <windows.h>

#include "guardian/Guardian.h"
#include "guardian/RegistroCompartido.h"
#include "panel/FormPrincipal.h"
#include "panel/InstanciaUnica.h"
#include "ui/Mensajes.h"

namespace {

constexpr DWORD kNivelFinDeSesion = 0x3FF;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Started by the program as its guardian: it waits for the program to
    // end and brings back what it left hidden. It never gets further.
    if (const std::optional<int> guardian = tesk::guardian::SiEsGuardian()) return *guardian;
    // A second copy asks the first to bring back what it conceals, and ends
    // at once, showing nothing.
    const std::optional<tesk::InstanciaUnica> instancia = tesk::InstanciaUnica::Tomar();
    if (!instancia) {
        tesk::InstanciaUnica::PedirRestauracion();
        return 0;
    }
    // Told of the end of the session before ordinary programs (the top of
    // the range applications may take), so that the windows it conceals are
    // back before their programs are asked to close and ask to save.
    ::SetProcessShutdownParameters(kNivelFinDeSesion, 0);
    try {
        // Every window is written down here before it is hidden, and the
        // guardian that reads it if this process dies starts now.
        tesk::guardian::RegistroCompartido registro;
        tesk::FormPrincipal panel(registro);
        return tesk::BucleMensajes();
    } catch (...) {
        return 1;
    }
}
