// Tesk's side of the guardian: starting it, knowing when it is up, starting
// it again if it has died or never came up, and telling it at once when
// Tesk is about to die of a fault.
//
// The guardian is a process of this same executable that lives outside
// Tesk's process tree: Tesk starts a short-lived copy (the lanzadera),
// which starts the guardian and ends at once, telling Tesk the guardian's
// id in its exit code. Whoever ends Tesk with its whole tree (the task
// manager's "End process tree", taskkill /T) finds no guardian below it.
// Where Tesk runs inside a job that lets its processes break away, both
// start outside it; a job that does not keeps them, and closing such a job
// ends the guardian with Tesk.
//
// Each copy learns its role from the one handle it inherits as its
// standard input: the record's section, whose header names the three other
// handles it inherits (Tesk's process, the signal Tesk sets when it faults,
// and the event the guardian sets once it is waiting) and the lanzadera's
// process id. A copy started any other way has no section there and runs
// as the program itself. None of the handles has a name, so no other
// process, session or user can open them.
#pragma once

#include <windows.h>

#include <string>

#include "desktop/Propietarios.h"

namespace tesk::guardian {

// What a guardian inherits, each handle inheritable.
struct Herencia {
    HANDLE seccion;   // the record, as its standard input
    HANDLE vigilado;  // the process it watches
    HANDLE senal;     // set by that process when it faults
    HANDLE listo;     // set by the guardian once it is waiting
};

class Lanzador {
public:
    // A guardian that has not said it is waiting by then is taken for one
    // stuck on its way up, and started again, with twice the time (up to
    // kVecesPlazoMaximo times this) until one comes up.
    static constexpr ULONGLONG kPlazoArranqueMs = 10000;
    static constexpr ULONGLONG kVecesPlazoMaximo = 8;
    // After a start that failed, or a guardian that ended, the next start
    // waits that long.
    static constexpr ULONGLONG kEsperaTrasFalloMs = 1000;

    // Takes the record's section (inheritable); starts nothing yet. The
    // guardian is this executable unless a test names another program.
    explicit Lanzador(HANDLE seccion, std::wstring programa = {}, ULONGLONG plazoArranqueMs = kPlazoArranqueMs);
    ~Lanzador();
    Lanzador(const Lanzador&) = delete;
    Lanzador& operator=(const Lanzador&) = delete;

    // Before a hide pass: starts the guardian unless one is running, up or
    // on its way; whether one is running now. Never waits for it.
    bool Asegurar();
    // On every tick of the program's timer, concealed or not: a guardian
    // that ended is started again, one that has not come up in time is
    // ended and started again. Whether one is up now. Never waits.
    bool Mantener();
    // The process id of the guardian known to be waiting; 0 while none is.
    DWORD Listo() const;

    // Starts that program as the lanzadera of a guardian with those handles,
    // which it writes in the record's header: the lanzadera's process, which
    // ends once the guardian is started, with the guardian's process id as
    // its exit code (0 when none could be started); or nothing. (A test
    // plays Tesk with it.)
    static HandleUnico Lanzar(const std::wstring& programa, const Herencia& herencia);

    // In the lanzadera: starts this executable as the guardian, handing on
    // the handles it inherited; the guardian's process id, 0 when it could
    // not be started.
    static DWORD Relevar(const Herencia& herencia);

private:
    // Once the lanzadera has ended: the guardian it started, if any.
    void RecogerGuardian();
    bool Corriendo();
    bool Arrancar();
    void TerminarArranque();

    HANDLE seccion_;
    std::wstring programa_;
    ULONGLONG plazoArranqueMs_;
    ULONGLONG plazo_;  // the time the running one has to come up
    HandleUnico senal_;     // set when this process faults
    HandleUnico lanzadera_; // the copy starting the guardian, until it ends
    HandleUnico guardian_;  // its process, once the lanzadera has told its id
    HandleUnico listo_;     // this start's: set once it waits
    ULONGLONG arrancado_ = 0;  // GetTickCount64 of the last start; 0 before the first
};

}  // namespace tesk::guardian
