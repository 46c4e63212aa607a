// Tesk's side of the guardian: starting it, starting it again if it has
// died, and telling it at once when Tesk is about to die of a fault.
//
// The guardian is a second process of this same executable. It learns its
// role from the one handle it inherits as its standard input: the record's
// section, whose header names the two other handles it inherits (Tesk's
// process, and the signal Tesk sets when it faults). A copy started any
// other way has no section there and runs as the program itself. None of
// the three has a name, so no other process, session or user can open them.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Propietarios.h"

namespace tesk::guardian {

class Lanzador {
public:
    // Takes the record's section (inheritable); starts nothing yet.
    explicit Lanzador(HANDLE seccion);
    ~Lanzador();
    Lanzador(const Lanzador&) = delete;
    Lanzador& operator=(const Lanzador&) = delete;

    // Starts the guardian unless it is running; whether one is running now.
    // Never waits for it.
    bool Asegurar();

    // Starts that program as a guardian of the record in the section, for
    // the process vigilado, woken early by senal, whose handles it writes in
    // the record's header; its process, or nothing. All three handles must
    // be inheritable. (A test plays Tesk with it.)
    static HandleUnico Lanzar(const std::wstring& programa, HANDLE seccion, HANDLE vigilado, HANDLE senal);

private:
    HANDLE seccion_;
    HandleUnico senal_;    // set when this process faults
    HandleUnico guardian_;  // its process, while it may be running
};

}  // namespace tesk::guardian
