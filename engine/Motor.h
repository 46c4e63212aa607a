// The concealment engine: the window records, the concealment state, the
// candidate list's refresh, the hide and restore passes and the activation key.
//
// Everything runs on the panel's one thread, and no pass waits on another
// program: a pass asks every window it hides or shows without waiting, then
// waits for its calls to land while it handles the program's own events,
// for two seconds at most; a window still busy then takes its state later,
// and the desktop boundary reports the state it was asked for meanwhile.
// Events run inside a pass: the restore pass lets queued events run after
// each window it shows, and both passes handle events while they wait. The
// engine's rule for them: no pass starts inside another. A tick during a
// pass does nothing; a restore asked for during a restore finishes the
// running one; a restore asked for during a hide pass (the program being
// closed) stops the hide pass and shows back what it had hidden.
//
// After a restore, the window it brought to the front is kept there for a
// moment against changes the user did not make (GuardiaFrente).
//
// Each window is written down in the record (Resguardo) before it is asked
// to hide, and its entry goes once it is back on screen, so that a process
// watching from outside can bring back whatever this one leaves hidden if
// it dies.
//
// The system may refuse a call (the windows of elevated programs): a window
// that refuses to hide stays on screen, out of the record, and is neither
// waited for, nor brought to the front, nor shown by the restore. One that
// refuses to come back stays in the record, for the watcher, and is asked
// again by the next restore and when the program ends, until it comes back
// or its own program shows it.
//
// The sound goes with the windows (Silencio): once a hide pass has asked
// every window, the sessions of the programs it concealed are muted; each
// end of the concealment gives them back, after the windows.
//
// A failure inside a pass (memory running out) ends the pass where it is:
// what it hid stays recorded, so the next press brings it back, and no pass
// is left marked as running.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "desktop/Audio.h"
#include "desktop/Escritorio.h"
#include "engine/Anfitrion.h"
#include "engine/Frente.h"
#include "engine/Lista.h"
#include "engine/Resguardo.h"
#include "engine/Silencio.h"
#include "engine/Tecla.h"
#include "engine/Ventana.h"

namespace tesk {

inline constexpr std::wstring_view kModoOcultar = L"Ocultar";
inline constexpr std::wstring_view kModoMostrar = L"Motrar";

class Motor {
public:
    Motor(Escritorio& escritorio, Anfitrion& anfitrion, Lista& lista, Resguardo& resguardo = NingunResguardo(),
          Audio& audio = NingunAudio());

    // The record of an engine that runs alone: written down nowhere.
    static Resguardo& NingunResguardo();
    // Where there is no sound to handle.
    static Audio& NingunAudio();

    // Snapshot of the visible titled windows that are not cloaked, front to
    // back, into the list and VentanasLista. Clears every mark.
    void ActualizarLista();

    // The hide pass. Does nothing when the list is empty or fully marked, or
    // while another pass runs.
    void OcultarVentanas();

    // Appends one window's record to VentanasGuardadas.
    void GuardarVentana(Handle ventana);

    // The restore pass: shows every window the hide pass hid that is not
    // visible, in its recorded state, brings the last one hidden that was
    // not cloaked to the front and puts the tray icon back. Windows the hide
    // pass left alone are left alone, even if their program hid them
    // meanwhile. Called during a restore, finishes that restore.
    void MostrarVentanas();

    // The 100 ms tick: one pass per new press of the activation key; after a
    // restore, the foreground kept where it put it, and the entries of the
    // windows whose show has landed since taken out of the record. The key
    // is registered as a system hot key when it can be, tried again once a
    // second while it cannot.
    void tmrTempo_Timer();

    // WM_HOTKEY: the registered key was pressed. The key's state is read at
    // once and the press runs its pass now (input delivered to the program,
    // which may then set the foreground); it counts once, whether the tick
    // or the hot key sees it first, and during a pass it waits for the next
    // tick, as a press does today.
    void TeclaRegistradaPulsada();

    // Whether the key is registered as a system hot key now.
    bool TeclaRegistrada() const { return teclaRegistrada_; }

    // Another copy of the program was started: whatever is concealed comes
    // back on the next tick, as a press of the key would bring it. Asked
    // during a hide pass, it waits for the pass; asked while nothing is
    // concealed, it does nothing.
    void PedirRestauracion();

    // Whatever is concealed comes back, whether or not a pass is running:
    // what every orderly end of the program does before it removes the icon.
    void RestaurarAntesDeCerrar();

    // The session is ending: every concealed window is asked to show, and
    // nothing is waited for (no stacking, no foreground, no calls landing),
    // so the system hears back at once. The icon comes back, in case the
    // end is called off. What has not landed stays in the record, for the
    // watcher to show once the program is gone.
    void DevolverSinEsperar();

    // Advances the key from the name shown; the new name, or nothing when the
    // name is not in the cycle.
    std::optional<std::wstring> AvanzarTecla(std::wstring_view nombreActual);

    // Switches the mode; returns the new mode.
    const std::wstring& CambiarModo();

    const Ventanas& VentanasLista() const { return ventanasLista_; }
    const Ventanas& VentanasGuardadas() const { return ventanasGuardadas_; }
    bool Oculto() const { return oculto_; }
    Handle UltimaOculta() const { return ultimaOculta_; }
    std::int32_t Tecla() const { return tecla_; }
    const std::wstring& Modo() const { return modo_; }
    bool EnPasada() const { return pasada_ != Pasada::ninguna; }
    const Silencio& Sonido() const { return silencio_; }

private:
    enum class Pasada { ninguna, ocultando, mostrando };

    bool DebeOcultarse(Handle ventana, bool objetivo) const;
    // encubierta: cloaked when hidden, so never the one brought to the front.
    void Ocultar(Handle ventana, bool encubierta);
    void RecorrerOcultacion();
    // Shows each window from record cursor_ on that the hide pass hid and
    // that is not visible (or about to be hidden by a call still in flight).
    void RecorrerRestauracion();
    void TerminarRestauracion();
    // Handles the program's events until every call made to these windows
    // has landed, or the time allowed has passed; whether they all landed.
    // hastaElFinal: waits even when the pass is being undone (the program
    // is closing).
    bool EsperarAterrizaje(const std::vector<Handle>& ventanas, bool hastaElFinal = false);
    // Stacks the windows shown again as a restore that showed them one at a
    // time would have left them: each one shown above the ones before it.
    void Apilar();
    void EmpezarAVigilarTecla();
    // One new press of the key: the pass it asks for.
    void Alternar();
    // Registers the key as a system hot key unless it is or may not be; a
    // refusal is tried again after kTicksEntreRegistros ticks.
    void MantenerTeclaRegistrada();
    // Brings the last window hidden to the front and starts keeping it there.
    void TraerUltimaAlFrente();
    // Takes out of the record the windows that are back (their calls have
    // landed) or gone.
    void ConfirmarVueltas();
    // A close or the end of the session arrives while a pass runs: a
    // restore finishes asking every window; a hide pass is undone, showing
    // back what it had hidden.
    void DevolverEnPasada();
    // Asks again every window that refused to come back, unless its own
    // program has shown it meanwhile.
    void PedirOtraVezRechazadas();
    // After a hide pass whose walk went through: the sessions of the
    // programs it concealed are muted, once every window has been asked.
    void Silenciar();
    // The concealment is over: the sound it took comes back.
    void DevolverSonido();

    Escritorio& escritorio_;
    Anfitrion& anfitrion_;
    Lista& lista_;
    Resguardo& resguardo_;
    Silencio silencio_;

    Ventanas ventanasLista_ = VentanasVacias();
    Ventanas ventanasGuardadas_ = VentanasVacias();
    // Beside each record of VentanasGuardadas: whether the hide pass hid it.
    std::vector<bool> ocultadas_ = std::vector<bool>(1, false);
    // What the hide pass asked to hide, and what the restore asked to show,
    // in record order.
    std::vector<Handle> pedidas_;
    // Windows in the record that were asked to come back (or came back on
    // their own): their entries go once what was asked of them has landed.
    std::unordered_set<Handle> porConfirmar_;
    // Windows the program hid whose show was refused, with the command that
    // brings them back: kept, and written down, across passes until one is
    // taken.
    std::unordered_map<Handle, std::int32_t> rechazadas_;
    // Handle -> entries of the list (positions in VentanasLista), so a hide
    // pass looks each window up in constant time.
    std::unordered_multimap<Handle, std::size_t> indiceLista_;

    bool oculto_ = false;
    Handle ultimaOculta_ = 0;
    std::int32_t tecla_ = kTeclaInicial;
    std::wstring modo_{kModoOcultar};

    Pasada pasada_ = Pasada::ninguna;
    bool abortar_ = false;        // a hide pass must stop and undo
    bool recorrida_ = false;      // the hide pass walked every window
    std::size_t cursor_ = 1;      // next record of a running restore
    DetectorPulsacion detector_;

    // The window the latest restore brought to the front, kept there.
    GuardiaFrente guardia_;
    bool teclaAbajo_ = false;  // at the latest tick
    bool restauracionPedida_ = false;  // by another copy, for the next tick
    // The key as a system hot key: it reaches no other program while the
    // registration holds, and the program still reads its state.
    static constexpr int kTicksEntreRegistros = 10;
    bool teclaRegistrada_ = false;
    int ticksSinRegistrar_ = kTicksEntreRegistros;  // the first tick tries
};

}  // namespace tesk
