// tesk.exe started by a test: its process, its windows as the window manager
// lists them, and its end, orderly or forced, when the object goes, even if
// the test fails half-way.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "tests/soporte/Propios.h"

namespace tesk::e2e {

class ProcesoTesk {
public:
    // Starts the program at that path, in a job that ends it when the job
    // is closed, with those further limits; returns at once.
    explicit ProcesoTesk(const std::wstring& programa, DWORD limitesTrabajo = 0);
    ~ProcesoTesk();
    ProcesoTesk(const ProcesoTesk&) = delete;
    ProcesoTesk& operator=(const ProcesoTesk&) = delete;

    DWORD Id() const { return id_; }
    bool Vivo() const;
    // Waits for the process to end; true if it did within the limit.
    bool EsperarFin(std::chrono::milliseconds limite) const;
    std::optional<DWORD> CodigoSalida() const;

    // The process's top-level windows, in Z order from the front.
    std::vector<HWND> Ventanas() const;
    // Its top-level window of that class, if any.
    HWND VentanaDeClase(const wchar_t* clase) const;

    // Asks the program to close (WM_CLOSE to its windows); ends it by force
    // if it is still running after a while. Called by the destructor, which
    // also ends whatever the program started (its guardian) if it still runs.
    void Terminar();

    // Ends the process at once, as the task manager does (TerminateProcess),
    // and waits until it has ended.
    bool Matar();
    // Makes the process fault: a thread of its own that starts at an address
    // holding no code. The process is not waited for.
    bool HacerFallar();
    // Closes the job the program runs in, which ends every process still in
    // it, and waits until the program has ended.
    bool CerrarTrabajo();

private:
    prueba::HandlePropio trabajo_;  // ends the process if the test process dies first
    prueba::HandlePropio proceso_;
    DWORD id_ = 0;
};

// Every top-level window of a process, in Z order from the front.
std::vector<HWND> VentanasDe(DWORD proceso);

// The processes another one started that are still running.
std::vector<DWORD> HijosDe(DWORD padre);
// Every running process below that one: its children, theirs, and so on,
// found by their parents' ids as a tool that ends a process tree finds them.
std::vector<DWORD> ArbolDe(DWORD raiz);
// The id of the process that started that one, as the system keeps it (the
// process may have ended since); 0 when the process is not running.
DWORD PadreDe(DWORD proceso);

// The file names, in lower case, of the modules another process has loaded
// (tesk.exe, kernel32.dll...); none when they cannot be read.
std::vector<std::wstring> ModulosDe(DWORD proceso);

// Whether the process of that handle has ended.
inline bool Termino(HANDLE proceso) { return WaitForSingleObject(proceso, 0) == WAIT_OBJECT_0; }

// The text of a window's title, as GetWindowTextW reads it.
std::wstring TituloDe(HWND ventana);

// A window as a failure message names it: its title and its class.
std::wstring Describir(HWND ventana);

}  // namespace tesk::e2e
