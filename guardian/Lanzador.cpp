#include "guardian/Lanzador.h"

#include <cstdint>
#include <string>

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

std::wstring EsteEjecutable() {
    std::wstring ruta(MAX_PATH, L'\0');
    for (;;) {
        const DWORD largo = GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()));
        if (largo == 0) return {};
        if (largo < ruta.size()) {
            ruta.resize(largo);
            return ruta;
        }
        ruta.resize(ruta.size() * 2);
    }
}

}  // namespace

Lanzador::Lanzador(HANDLE seccion) : seccion_(seccion) {
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

bool Lanzador::Asegurar() {
    if (guardian_ && WaitForSingleObject(guardian_.get(), 0) == WAIT_TIMEOUT) return true;
    guardian_.reset();
    if (seccion_ == nullptr || !senal_) return false;
    HandleUnico propio;
    HANDLE copia = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &copia,
                         SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0)) {
        return false;
    }
    propio.reset(copia);
    guardian_ = Lanzar(EsteEjecutable(), seccion_, propio.get(), senal_.get());
    return static_cast<bool>(guardian_);
}

HandleUnico Lanzador::Lanzar(const std::wstring& programa, HANDLE seccion, HANDLE vigilado, HANDLE senal) {
    if (programa.empty()) return {};
    {
        const VistaUnica vista(MapViewOfFile(seccion, FILE_MAP_WRITE, 0, 0, sizeof(Cabecera)));
        if (!vista) return {};
        auto* cabecera = static_cast<Cabecera*>(vista.get());
        cabecera->vigilado = reinterpret_cast<std::uintptr_t>(vigilado);
        cabecera->senal = reinterpret_cast<std::uintptr_t>(senal);
    }

    std::wstring linea = L"\"" + programa + L"\"";
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    // No busy pointer while it starts: it shows nothing, ever.
    inicio.dwFlags = STARTF_USESTDHANDLES | STARTF_FORCEOFFFEEDBACK;
    inicio.hStdInput = seccion;
    PROCESS_INFORMATION proceso{};
    // Every handle this process lets its children inherit is one of those
    // three (the section, the process and the signal).
    if (!CreateProcessW(programa.c_str(), linea.data(), nullptr, nullptr, TRUE, CREATE_DEFAULT_ERROR_MODE, nullptr,
                        nullptr, &inicio, &proceso)) {
        return {};
    }
    CloseHandle(proceso.hThread);
    return HandleUnico(proceso.hProcess);
}

}  // namespace tesk::guardian
