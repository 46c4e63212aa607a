#include "guardian/Lanzador.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "desktop/Programa.h"
#include "guardian/Registro.h"

namespace tesk::guardian {

namespace {

// The one signal of this process, for the fault filter (one per process).
HANDLE senalAlCaer = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER filtroAnterior = nullptr;

// A fault nobody handles ends the program: the guardian is told first, so
// that the windows come back while the system is still reporting the fault.
LONG WINAPI AlCaer(EXCEPTION_POINTERS* excepcion) {
    if (senalAlCaer != nullptr) SetEvent(senalAlCaer);
    return filtroAnterior != nullptr ? filtroAnterior(excepcion) : EXCEPTION_CONTINUE_SEARCH;
}

// Starts a copy of the program with the record's section as its standard
// input. It inherits exactly the four handles the header names, where the
// system lets a start name them (otherwise every handle this process lets
// its children inherit, which are those four and whatever this process
// itself inherited as inheritable). Outside the job this process runs in,
// when the job lets its processes break away.
bool CrearCopia(const std::wstring& programa, const Herencia& herencia, DWORD banderas, PROCESS_INFORMATION& proceso) {
    std::wstring linea = L"\"" + programa + L"\"";
    STARTUPINFOEXW inicio{};
    inicio.StartupInfo.cb = sizeof inicio;
    // No busy pointer while it starts: it shows nothing, ever.
    inicio.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_FORCEOFFFEEDBACK;
    inicio.StartupInfo.hStdInput = herencia.seccion;
    banderas |= CREATE_DEFAULT_ERROR_MODE;

    HANDLE heredados[] = {herencia.seccion, herencia.vigilado, herencia.senal, herencia.listo};
    // A list of one attribute takes a few dozen bytes.
    alignas(std::max_align_t) std::byte memoria[256];
    auto* atributos = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(memoria);
    SIZE_T tamano = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &tamano);
    const bool inicializada = tamano != 0 && tamano <= sizeof memoria &&
                              InitializeProcThreadAttributeList(atributos, 1, 0, &tamano);
    const bool conLista = inicializada && UpdateProcThreadAttribute(atributos, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                                                    heredados, sizeof heredados, nullptr, nullptr);

    BOOL enTrabajo = FALSE;
    const bool salirDelTrabajo = IsProcessInJob(GetCurrentProcess(), nullptr, &enTrabajo) && enTrabajo;
    // With the list and out of the job first; then without what the system
    // refuses (a job that keeps its processes, a system that takes no list).
    bool creado = false;
    for (const bool lista : {true, false}) {
        for (const bool salir : {true, false}) {
            if (creado || (lista && !conLista) || (salir && !salirDelTrabajo)) continue;
            inicio.lpAttributeList = lista ? atributos : nullptr;
            const DWORD estas =
                banderas | (lista ? EXTENDED_STARTUPINFO_PRESENT : 0) | (salir ? CREATE_BREAKAWAY_FROM_JOB : 0);
            creado = CreateProcessW(programa.c_str(), linea.data(), nullptr, nullptr, TRUE, estas, nullptr, nullptr,
                                    &inicio.StartupInfo, &proceso) != FALSE;
        }
    }
    if (inicializada) DeleteProcThreadAttributeList(atributos);
    return creado;
}

}  // namespace

Lanzador::Lanzador(HANDLE seccion, std::wstring programa, ULONGLONG plazoArranqueMs)
    : seccion_(seccion),
      programa_(programa.empty() ? RutaDelPrograma() : std::move(programa)),
      plazoArranqueMs_(plazoArranqueMs),
      plazo_(plazoArranqueMs) {
    SECURITY_ATTRIBUTES heredable{sizeof heredable, nullptr, TRUE};
    senal_.reset(CreateEventW(&heredable, TRUE, FALSE, nullptr));
    if (senal_ && senalAlCaer == nullptr) {
        senalAlCaer = senal_.get();
        filtroAnterior = SetUnhandledExceptionFilter(AlCaer);
    }
}

Lanzador::~Lanzador() {
    if (senalAlCaer == senal_.get()) {
        SetUnhandledExceptionFilter(filtroAnterior);
        senalAlCaer = nullptr;
    }
}

void Lanzador::RecogerGuardian() {
    if (!lanzadera_ || WaitForSingleObject(lanzadera_.get(), 0) != WAIT_OBJECT_0) return;
    DWORD id = 0;
    if (!GetExitCodeProcess(lanzadera_.get(), &id)) id = 0;
    lanzadera_.reset();
    // Opened while the lanzadera's start is fresh: a guardian that died in
    // that moment is told apart by listo_, which only it sets.
    if (id != 0 && id != GetCurrentProcessId()) {
        guardian_.reset(
            OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    }
}

bool Lanzador::Corriendo() {
    RecogerGuardian();
    if (lanzadera_) return true;  // still starting it
    return guardian_ && WaitForSingleObject(guardian_.get(), 0) == WAIT_TIMEOUT;
}

DWORD Lanzador::Listo() const {
    if (!listo_ || !guardian_ || WaitForSingleObject(listo_.get(), 0) != WAIT_OBJECT_0 ||
        WaitForSingleObject(guardian_.get(), 0) != WAIT_TIMEOUT) {
        return 0;
    }
    return GetProcessId(guardian_.get());
}

bool Lanzador::Asegurar() { return Corriendo() || Arrancar(); }

void Lanzador::TerminarArranque() {
    if (lanzadera_) TerminateProcess(lanzadera_.get(), 0);
    if (guardian_) TerminateProcess(guardian_.get(), 1);
    lanzadera_.reset();
    guardian_.reset();
}

bool Lanzador::Mantener() {
    if (Corriendo()) {
        if (Listo() != 0) {
            plazo_ = plazoArranqueMs_;
            return true;
        }
        if (GetTickCount64() - arrancado_ < plazo_) return false;
        // Stuck before it could wait: it would bring nothing back. The next
        // one gets twice the time, in case this system is only that slow.
        TerminarArranque();
        plazo_ = std::min(plazo_ * 2, plazoArranqueMs_ * kVecesPlazoMaximo);
        Arrancar();
        return false;
    }
    if (arrancado_ != 0 && GetTickCount64() - arrancado_ < kEsperaTrasFalloMs) return false;
    Arrancar();
    return false;
}

bool Lanzador::Arrancar() {
    lanzadera_.reset();
    guardian_.reset();
    listo_.reset();
    arrancado_ = GetTickCount64();
    if (seccion_ == nullptr || !senal_ || programa_.empty()) return false;
    SECURITY_ATTRIBUTES heredable{sizeof heredable, nullptr, TRUE};
    // An event of this start's own: nothing an earlier guardian did can
    // pass for this one being up.
    listo_.reset(CreateEventW(&heredable, TRUE, FALSE, nullptr));
    HANDLE copia = nullptr;
    if (!listo_ || !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &copia,
                                    SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0)) {
        return false;
    }
    const HandleUnico propio(copia);
    lanzadera_ = Lanzar(programa_, {seccion_, propio.get(), senal_.get(), listo_.get()});
    return static_cast<bool>(lanzadera_);
}

HandleUnico Lanzador::Lanzar(const std::wstring& programa, const Herencia& herencia) {
    if (programa.empty()) return {};
    const VistaUnica vista(MapViewOfFile(herencia.seccion, FILE_MAP_WRITE, 0, 0, sizeof(Cabecera)));
    if (!vista) return {};
    auto* cabecera = static_cast<Cabecera*>(vista.get());
    cabecera->vigilado = reinterpret_cast<std::uintptr_t>(herencia.vigilado);
    cabecera->senal = reinterpret_cast<std::uintptr_t>(herencia.senal);
    cabecera->listo = reinterpret_cast<std::uintptr_t>(herencia.listo);
    // Suspended until the header names it: it must know it is the
    // lanzadera before it reads the header.
    PROCESS_INFORMATION proceso{};
    if (!CrearCopia(programa, herencia, CREATE_SUSPENDED, proceso)) return {};
    HandleUnico lanzadera(proceso.hProcess);
    const HandleUnico hilo(proceso.hThread);
    cabecera->lanzadera = proceso.dwProcessId;
    if (ResumeThread(hilo.get()) == static_cast<DWORD>(-1)) {
        TerminateProcess(lanzadera.get(), 0);
        return {};
    }
    return lanzadera;
}

DWORD Lanzador::Relevar(const Herencia& herencia) {
    const std::wstring programa = RutaDelPrograma();
    PROCESS_INFORMATION proceso{};
    if (programa.empty() || !CrearCopia(programa, herencia, 0, proceso)) return 0;
    CloseHandle(proceso.hThread);
    CloseHandle(proceso.hProcess);
    return proceso.dwProcessId;
}

}  // namespace tesk::guardian
