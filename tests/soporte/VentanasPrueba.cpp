#include "tests/soporte/VentanasPrueba.h"

#include <atomic>
#include <fstream>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "desktop/Conversiones.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/Protocolo.h"
#include "tests/soporte/Rutas.h"

namespace tesk::prueba {

namespace {

constexpr DWORD kEsperaCierre = 5000;
constexpr DWORD kEsperaFinForzado = 5000;
constexpr UINT kSalidaForzada = 1;
// How long a window's thread has to answer before it counts as hung.
constexpr UINT kEsperaRespuesta = 200;
constexpr DWORD kLimiteCuelgue = 120000;
constexpr wchar_t kPrefijoSalida[] = L"tesk-ventanas-";
constexpr wchar_t kExtensionSalida[] = L".txt";

std::wstring RutaSalidaNueva() {
    static std::atomic<unsigned> contador{0};
    wchar_t carpeta[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, carpeta);
    return std::wstring(carpeta) + kPrefijoSalida + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++contador) + kExtensionSalida;
}

std::vector<HWND> LeerHandles(const std::wstring& ruta) {
    std::vector<HWND> ventanas;
    std::ifstream archivo{std::filesystem::path(ruta)};
    Handle handle = 0;
    while (archivo >> handle) ventanas.push_back(HwndDe(handle));
    return ventanas;
}

HandlePropio TrabajoQueTerminaAlCerrar(DWORD otrosLimites) {
    HandlePropio trabajo(CreateJobObjectW(nullptr, nullptr));
    if (!trabajo) return trabajo;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limites{};
    limites.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | otrosLimites;
    SetInformationJobObject(trabajo.get(), JobObjectExtendedLimitInformation, &limites, sizeof(limites));
    return trabajo;
}

}  // namespace

ProcesoLanzado Lanzar(const std::wstring& exe, std::wstring linea, const std::string& nombre, DWORD limitesTrabajo) {
    constexpr int kIntentos = 3;
    ProcesoLanzado lanzado;
    lanzado.trabajo = TrabajoQueTerminaAlCerrar(limitesTrabajo);
    DWORD error = 0;
    for (int intento = 1; intento <= kIntentos; ++intento) {
        STARTUPINFOW inicio{};
        inicio.cb = sizeof(inicio);
        PROCESS_INFORMATION info{};
        // Suspended until it is in the job, so nothing it starts escapes it.
        if (CreateProcessW(exe.c_str(), linea.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                           &inicio, &info)) {
            lanzado.proceso.reset(info.hProcess);
            const HandlePropio hilo(info.hThread);
            lanzado.id = info.dwProcessId;
            if (lanzado.trabajo) AssignProcessToJobObject(lanzado.trabajo.get(), lanzado.proceso.get());
            ResumeThread(hilo.get());
            return lanzado;
        }
        error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) break;  // no use trying again
    }
    throw std::runtime_error(nombre + " could not be started: error " + std::to_string(error));
}

std::wstring CitarArgumento(const std::wstring& argumento) {
    if (!argumento.empty() && argumento.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argumento;
    std::wstring citado = L"\"";
    std::size_t barras = 0;
    for (wchar_t c : argumento) {
        if (c == L'\\') {
            ++barras;
            continue;
        }
        // Backslashes are literal unless a quote follows them.
        citado.append(c == L'"' ? barras * 2 + 1 : barras, L'\\');
        barras = 0;
        citado.push_back(c);
    }
    citado.append(barras * 2, L'\\');
    citado.push_back(L'"');
    return citado;
}

VentanasPrueba::VentanasPrueba(const std::vector<std::wstring>& argumentos)
    : VentanasPrueba(e2e::RutaDe(e2e::kVariableVentanasPrueba), argumentos) {}

VentanasPrueba::VentanasPrueba(const std::wstring& exe, const std::vector<std::wstring>& argumentos)
    : salida_(RutaSalidaNueva()) {
    DeleteFileW(salida_.c_str());
    std::wstring linea = CitarArgumento(exe) + L" " + kOpcionSalida + L" " + CitarArgumento(salida_);
    for (const std::wstring& argumento : argumentos) linea += L" " + CitarArgumento(argumento);

    ProcesoLanzado lanzado = Lanzar(exe, std::move(linea), "ventanas_prueba.exe");
    trabajo_ = std::move(lanzado.trabajo);
    proceso_ = std::move(lanzado.proceso);
    idProceso_ = lanzado.id;

    // Read again until the list holds the windows: a list seen at the very
    // moment it appears may not be readable yet.
    bool existe = false;
    EsperarHasta(
        [&] {
            if (!Vivo()) return true;
            existe = GetFileAttributesW(salida_.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (existe) ventanas_ = LeerHandles(salida_);
            return !ventanas_.empty();
        },
        kEsperaArranque);
    if (ventanas_.empty() || !Vivo()) {
        DWORD codigo = 0;
        const bool vivo = Vivo();
        if (!vivo) GetExitCodeProcess(proceso_.get(), &codigo);
        ventanas_.clear();
        Terminar();
        throw std::runtime_error(std::string("ventanas_prueba.exe did not report its windows (") +
                                 (vivo ? "still running" : "ended with " + std::to_string(codigo)) +
                                 (existe ? ", its list unreadable)" : ", no list)"));
    }
}

VentanasPrueba::~VentanasPrueba() { Terminar(); }

bool VentanasPrueba::Vivo() const {
    return proceso_ && WaitForSingleObject(proceso_.get(), 0) == WAIT_TIMEOUT;
}

void VentanasPrueba::Terminar() {
    if (proceso_) {
        for (HWND ventana : ventanas_) {
            if (IsWindow(ventana)) PostMessageW(ventana, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(proceso_.get(), kEsperaCierre) != WAIT_OBJECT_0) {
            TerminateProcess(proceso_.get(), kSalidaForzada);
            WaitForSingleObject(proceso_.get(), kEsperaFinForzado);
        }
        proceso_.reset();
    }
    DeleteFileW(salida_.c_str());
}

long VecesMostrada(HWND ventana) {
    return static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(ventana, kPropiedadMostrada)));
}

long TeclasRecibidas(HWND ventana) {
    return static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(ventana, kPropiedadTeclas)));
}

long VecesActivada(HWND ventana) {
    return static_cast<long>(reinterpret_cast<INT_PTR>(GetPropW(ventana, kPropiedadActivada)));
}

bool Colgada(HWND ventana) {
    DWORD_PTR resultado = 0;
    return SendMessageTimeoutW(ventana, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kEsperaRespuesta, &resultado) == 0;
}

Despertador::Despertador(HWND ventana)
    : despertar_(CreateEventW(nullptr, TRUE, FALSE, NombreDespertar(ventana).c_str())) {
    if (!despertar_) throw std::runtime_error("no event to wake the window with");
    ResetEvent(despertar_.get());  // left set by an earlier hang of the same window
}

void Despertador::Despertar() {
    if (despertar_) SetEvent(despertar_.get());
}

Cuelgue::Cuelgue(HWND ventana) : Despertador(ventana) {
    PostMessageW(ventana, RegisterWindowMessageW(kMensajeDormir), kLimiteCuelgue, 0);
    if (!EsperarHasta([&] { return Colgada(ventana); })) {
        throw std::runtime_error("the window's thread went on answering");
    }
}

}  // namespace tesk::prueba
