// What every end-to-end test starts from: windows of ventanas_prueba.exe on
// the desktop, then tesk.exe beside them, and the steps a user takes with
// them: focusing a window, pressing a key, clicking the panel or the icon.
// Everything started here ends with the test, tesk.exe first, so that any
// window it still conceals comes back before its program closes.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/soporte/IconoTesk.h"
#include "tests/soporte/Maqueta.h"
#include "tests/soporte/Panel.h"
#include "tests/soporte/ProcesoTesk.h"
#include "tests/soporte/VentanasPrueba.h"

namespace tesk::e2e {

// What a user sees of a window: whether it is shown, and in which state.
struct EstadoVentana {
    bool visible = false;
    UINT showCmd = 0;
    bool operator==(const EstadoVentana&) const = default;
};

EstadoVentana EstadoDe(HWND ventana);
std::map<HWND, EstadoVentana> EstadosDe(const std::vector<HWND>& ventanas);

// Every visible top-level window, front to back.
std::vector<HWND> VisiblesDelante();

// The desktop remembers that a key was pressed until some program asks
// about it. Asking about F6 to F12 here drops the presses earlier tests left
// behind, so that the next copy of the program starts from a quiet keyboard.
void OlvidarPulsaciones();

// Whether a window manager handles the windows in this run (scripts/wine.sh
// says so in TESK_GESTION).
bool ConGestorDeVentanas();

class Escena : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the test windows (ventanas_prueba.exe arguments), then starts
    // tesk.exe and waits until its panel is up and its icon is in the tray.
    void Arrancar(const std::vector<std::wstring>& argumentos);
    // Starts tesk.exe alone beside whatever windows are open, in a job with
    // those further limits.
    void ArrancarTesk(DWORD limitesTrabajo = 0);
    // Opens more test windows after tesk.exe has read the desktop.
    prueba::VentanasPrueba& AbrirPosteriores(const std::vector<std::wstring>& argumentos);

    prueba::VentanasPrueba& Ventanas() { return *ventanas_; }
    ProcesoTesk& Tesk() { return *tesk_; }
    const Panel& ElPanel() const { return panel_; }
    // The panel's opacity at the moment it was first seen on screen (-1 if it
    // was not layered then).
    int AlfaAlAparecer() const { return alfaAlAparecer_; }

    // Makes the window the foreground window, so that keys reach the
    // desktop, and waits until it is.
    void Enfocar(HWND ventana);
    // A press of a key while that window has the focus.
    void Pulsar(WORD tecla, HWND foco);
    // Waits until the program has handled that many more ticks of its timer
    // (three unless told), as it counts them itself: for checks that
    // something did not happen, the evidence that it had the chance to; one
    // is enough to know that no pass is running.
    static constexpr long kVariosTicks = 3;
    void DejarPasarTicks(long cuantos = kVariosTicks);

    // Waits until tesk's icon is in the tray (or gone).
    bool EsperarIcono(bool presente);
    // Waits until every window has that visibility.
    bool EsperarVisibles(const std::vector<HWND>& ventanas, bool visibles);
    bool EsperarPanel(bool visible);

    // Marks the list's entry with that text by clicking its row, and waits
    // until the list box shows it marked.
    void MarcarConClic(const std::wstring& texto);

    // Returns once the panel has handled every click sent to it so far: a
    // click on the list's first row, whose mark changes, and another that
    // changes it back, are handled after them. Clicks have no other answer
    // to wait for when what they change cannot be seen until later, such as
    // the mode or the key.
    void Sincronizar();

    // A click on the tray icon that shows or hides the panel; it returns
    // once Tesk has had it, and fails the test if it never gets there.
    void ClicEnIconoTesk(bool derecho = false);

private:
    std::optional<prueba::VentanasPrueba> ventanas_;
    std::optional<prueba::VentanasPrueba> posteriores_;
    std::optional<ProcesoTesk> tesk_;
    Panel panel_;
    int alfaAlAparecer_ = -1;
};

}  // namespace tesk::e2e
