// Where the engine writes down each window before it hides it, so that the
// windows come back even if the program ends without restoring them: read
// by a process that outlives this one.
#pragma once

#include <cstdint>
#include <string>

#include "desktop/Escritorio.h"

namespace tesk {

class Resguardo {
public:
    virtual ~Resguardo() = default;

    // Before a hide pass: makes sure somebody is watching the record.
    virtual void Preparar() {}

    // On every tick of the timer, concealed or not: a watcher that has gone
    // is replaced, so that the record is never left unread for long.
    virtual void Vigilar() {}

    // Who is known to be watching the record now (a process id), 0 while
    // nobody is.
    virtual std::uint32_t Vigilante() const { return 0; }

    // Before the window is asked to hide: its handle and the show command
    // that brings it back. False when it could not be written down (the
    // record is full): the window must then stay on screen.
    virtual bool Anotar(Handle ventana, std::int32_t mostrarCon) = 0;

    // The window is back on screen (or gone): its entry goes.
    virtual void Quitar(Handle ventana) = 0;

    // Before an audio session is muted: its process and its instance
    // identifier, enough to find it again. False when it could not be
    // written down: the session must then stay audible.
    virtual bool AnotarSesion(std::uint32_t, const std::wstring&) { return true; }

    // The session's sound is back (or the session is gone): its entry goes.
    virtual void QuitarSesion(const std::wstring&) {}
};

// A record nobody reads, for an engine that runs alone.
class SinResguardo final : public Resguardo {
public:
    bool Anotar(Handle, std::int32_t) override { return true; }
    void Quitar(Handle) override {}
};

}  // namespace tesk
