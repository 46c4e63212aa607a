// ventanas_prueba.exe as a test sees it: started with the windows it is asked
// for, their handles read back, and the process ended with the object, even
// when the test fails half-way.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "tests/soporte/Propios.h"

namespace tesk::prueba {

class VentanasPrueba {
public:
    // Starts the program named in TESK_VENTANAS_PRUEBA with these arguments
    // (see Protocolo.h; --salida is added here) and waits until its windows
    // exist. Throws std::runtime_error when it cannot.
    explicit VentanasPrueba(const std::vector<std::wstring>& argumentos);
    // The same, with the program found at that path instead.
    VentanasPrueba(const std::wstring& programa, const std::vector<std::wstring>& argumentos);
    ~VentanasPrueba();
    VentanasPrueba(const VentanasPrueba&) = delete;
    VentanasPrueba& operator=(const VentanasPrueba&) = delete;

    // The windows, in command-line order.
    const std::vector<HWND>& Ventanas() const { return ventanas_; }
    HWND operator[](std::size_t i) const { return ventanas_.at(i); }

    DWORD IdProceso() const { return idProceso_; }
    bool Vivo() const;

    // Asks every window to close and waits for the process to end; ends it
    // by force if it does not. Called by the destructor.
    void Terminar();

private:
    HandlePropio trabajo_;  // ends the process if the test process dies first
    HandlePropio proceso_;
    DWORD idProceso_ = 0;
    std::wstring salida_;
    std::vector<HWND> ventanas_;
};

// How many times the window has been shown since it was created (its first
// showing included).
long VecesMostrada(HWND ventana);
// How many key-downs of F6 to F12 it has received (repeats not counted), and
// how many times it has been activated.
long TeclasRecibidas(HWND ventana);
long VecesActivada(HWND ventana);

// The window's thread has stopped answering messages.
bool Colgada(HWND ventana);

// The event that wakes a window of ventanas_prueba.exe, unset from
// construction until Despertar or destruction, so that a test that fails
// midway leaves no program blocked (nor longer than two minutes anyway).
class Despertador {
public:
    explicit Despertador(HWND ventana);
    ~Despertador() { Despertar(); }
    Despertador(const Despertador&) = delete;
    Despertador& operator=(const Despertador&) = delete;

    void Despertar();

private:
    HandlePropio despertar_;
};

// A window whose thread stops pumping messages until woken. The constructor
// returns once the thread no longer answers (and throws std::runtime_error
// if it goes on answering).
class Cuelgue : public Despertador {
public:
    explicit Cuelgue(HWND ventana);
};

// A window opened with --trampa, whose thread blocks inside its own show
// handler the next times it is shown or hidden, until woken; it answers
// every other message meanwhile.
using Trampa = Despertador;

// One argument quoted so that CommandLineToArgvW gives it back unchanged.
std::wstring CitarArgumento(const std::wstring& argumento);

// A process a test started, in a job that ends it when the job's handle
// closes (the test process died first, say).
struct ProcesoLanzado {
    HandlePropio trabajo;
    HandlePropio proceso;
    DWORD id = 0;
};

// Starts the program with that command line. Under Wine a start now and
// then fails on its own (error 1359, an internal error): it is tried
// again, up to three times in all. Throws std::runtime_error with the
// program's name and the last error. The job has those limits as well
// (JOB_OBJECT_LIMIT_BREAKAWAY_OK lets what the program starts leave it).
ProcesoLanzado Lanzar(const std::wstring& exe, std::wstring linea, const std::string& nombre,
                      DWORD limitesTrabajo = 0);

}  // namespace tesk::prueba
