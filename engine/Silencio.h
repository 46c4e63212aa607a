// What the user hears while windows are concealed: the audio sessions of
// every program whose windows the hide pass concealed, all of them, are
// muted, and given back at the end of the concealment.
//
// A program is every process that runs the same executable file, as the
// system's volume mixer groups them, together with the processes they
// started that own no window of their own (a browser plays from such a
// child). A program is concealed when it had visible windows and the pass
// hid every one of them; one with a window left on screen stays audible.
// A process with a visible window, or running the executable of a program
// with a window left on screen, goes with its own executable; any other
// with the nearest among itself and its ancestors that had a visible window
// or runs a concealed program's executable. The system's sounds (process 0) and this
// program's own are never muted.
//
// Only what this concealment muted is given back: a session already muted
// is left alone, now and at the end. Each session is written down in the
// record before it is muted, so that the watcher gives it back if the
// program dies. Nothing here fails the concealment: the audio services
// missing or failing leave the windows exactly as they are.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "desktop/Audio.h"
#include "engine/Resguardo.h"

namespace tesk {

class Silencio {
public:
    Silencio(Audio& audio, Resguardo& resguardo) : audio_(audio), resguardo_(resguardo) {}

    // A window on screen before the hide pass: its process, and whether the
    // pass hid it.
    struct VentanaVista {
        std::uint32_t proceso = 0;
        bool oculta = false;
    };

    // After a hide pass that went ahead: finds the concealed programs and
    // mutes their sessions.
    void AlOcultar(const std::vector<VentanaVista>& ventanas);

    // On a tick while concealed: looks again, and mutes the sessions the
    // concealed programs opened since.
    void Vigilar();

    // The end of the concealment: every session muted is given back, and
    // its entry leaves the record (a session gone is dropped).
    void Devolver();

    // The session is ending: gives back only what the latest look holds,
    // without looking again or waiting for anything; what is left stays in
    // the record, for the watcher.
    void DevolverSinEsperar();

    // While a concealment is being followed (from AlOcultar to a Devolver).
    bool Activo() const { return activo_; }
    // The sessions muted now, by instance identifier, with their process.
    const std::unordered_map<std::wstring, std::uint32_t>& Silenciadas() const { return nuestras_; }

private:
    // Mutes, among the sessions that are playing, those of concealed
    // programs not yet seen.
    void Callar();
    void LeerProcesos();
    // Whether the process belongs to a concealed program.
    bool Callado(std::uint32_t proceso);
    void Olvidar();

    Audio& audio_;
    Resguardo& resguardo_;
    bool activo_ = false;
    std::uint32_t propio_ = 0;
    // The executables of the concealed programs.
    std::unordered_set<std::wstring> ocultos_;
    // The executables of the programs with a window left on screen.
    std::unordered_set<std::wstring> enPantalla_;
    // The processes that had a visible window when the windows were hidden.
    std::unordered_set<std::uint32_t> conVentana_;
    // The processes as last read: parent and executable.
    std::unordered_map<std::uint32_t, std::pair<std::uint32_t, std::wstring>> procesos_;
    // Muted by this concealment: instance identifier -> process.
    std::unordered_map<std::wstring, std::uint32_t> nuestras_;
    // Sessions seen and left as they were.
    std::unordered_set<std::wstring> vistas_;
};

}  // namespace tesk
