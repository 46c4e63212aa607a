// The concealment engine: the window records, the concealment state, the
// candidate list's refresh, the hide and restore passes and the activation key.
//
// Everything runs on the panel's one thread. Two things can still run inside
// a pass: the restore pass lets queued events run after each window it shows,
// and a call that hides or shows another program's window lets messages sent
// to the panel run while it waits. The engine's rule for both: no pass starts
// inside another. A tick during a pass does nothing; a restore asked for
// during a restore finishes the running one; a restore asked for during a hide
// pass (the program being closed) stops the hide pass and shows back what it
// had hidden.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "desktop/Escritorio.h"
#include "engine/Anfitrion.h"
#include "engine/Lista.h"
#include "engine/Tecla.h"
#include "engine/Ventana.h"

namespace tesk {

inline constexpr std::wstring_view kModoOcultar = L"Ocultar";
inline constexpr std::wstring_view kModoMostrar = L"Motrar";
inline constexpr std::wstring_view kCaptionOcultarExcepto = L"Ocultar todo excepto";
inline constexpr std::wstring_view kCaptionOcultarSeleccion = L"Ocultar lo seleccionado";

class Motor {
public:
    Motor(Escritorio& escritorio, Anfitrion& anfitrion, Lista& lista);

    // Snapshot of the visible titled windows, front to back, into the list
    // and VentanasLista. Clears every mark.
    void ActualizarLista();

    // The hide pass. Does nothing when the list is empty or fully marked, or
    // while another pass runs.
    void OcultarVentanas();

    // Appends one window's record to VentanasGuardadas.
    void GuardarVentana(Handle ventana);

    // The restore pass: shows every recorded window that is not visible in
    // its recorded state, brings the last hidden one to the front and puts
    // the tray icon back. Called during a restore, finishes that restore.
    void MostrarVentanas();

    // The 100 ms tick: one pass per new press of the activation key.
    void tmrTempo_Timer();

    // Whatever is concealed comes back, whether or not a pass is running:
    // what every orderly end of the program does before it removes the icon.
    void RestaurarAntesDeCerrar();

    // Advances the key from the name shown; the new name, or nothing when the
    // name is not in the cycle.
    std::optional<std::wstring> AvanzarTecla(std::wstring_view nombreActual);

    // Switches the mode; returns the caption the mode label must show.
    std::wstring CambiarModo();

    const Ventanas& VentanasLista() const { return ventanasLista_; }
    const Ventanas& VentanasGuardadas() const { return ventanasGuardadas_; }
    bool Oculto() const { return oculto_; }
    Handle UltimaOculta() const { return ultimaOculta_; }
    std::int32_t Tecla() const { return tecla_; }
    const std::wstring& Modo() const { return modo_; }
    bool EnPasada() const { return pasada_ != Pasada::ninguna; }

private:
    enum class Pasada { ninguna, ocultando, mostrando };

    // The shell's own windows, found afresh for each walk.
    struct Shell {
        Handle barra = 0;
        Handle fondo = 0;
        std::vector<Handle> otras;
        bool Contiene(Handle ventana) const;
    };
    Shell BuscarShell();
    bool DebeOcultarse(Handle ventana, bool objetivo) const;
    void Ocultar(Handle ventana);
    // Shows each record from cursor_ on that is not visible, and the window
    // a hide call is still busy with.
    void RecorrerRestauracion();
    void TerminarRestauracion();
    void EmpezarAVigilarTecla();

    Escritorio& escritorio_;
    Anfitrion& anfitrion_;
    Lista& lista_;

    Ventanas ventanasLista_ = VentanasVacias();
    Ventanas ventanasGuardadas_ = VentanasVacias();
    // Handle -> entries of the list (positions in VentanasLista), so a hide
    // pass looks each window up in constant time.
    std::unordered_multimap<Handle, std::size_t> indiceLista_;

    bool oculto_ = false;
    Handle ultimaOculta_ = 0;
    std::int32_t tecla_ = kTeclaInicial;
    std::wstring modo_{kModoOcultar};

    Pasada pasada_ = Pasada::ninguna;
    bool abortar_ = false;        // a hide pass must stop and undo
    Handle enCurso_ = 0;          // the window a hide call is busy with
    std::size_t cursor_ = 1;      // next record of a running restore
    DetectorPulsacion detector_;
};

}  // namespace tesk
