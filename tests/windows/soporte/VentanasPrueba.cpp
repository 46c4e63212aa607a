#include "tests/windows/soporte/VentanasPrueba.h"

#include <atomic>
#include <fstream>
#include <filesystem>
#include <stdexcept>

#include "desktop/Handles.h"
#include "tests/windows/soporte/Esperar.h"
#include "tests/windows/soporte/Protocolo.h"

namespace tesk::prueba {

namespace {

constexpr DWORD kEsperaCierre = 5000;
constexpr DWORD kEsperaFinForzado = 5000;
constexpr UINT kSalidaForzada = 1;
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

HandlePropio TrabajoQueTerminaAlCerrar() {
    HandlePropio trabajo(CreateJobObjectW(nullptr, nullptr));
    if (!trabajo) return trabajo;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limites{};
    limites.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(trabajo.get(), JobObjectExtendedLimitInformation, &limites, sizeof(limites));
    return trabajo;
}

}  // namespace

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

std::wstring JuntoAlEjecutable(const std::wstring& nombre) {
    std::wstring ruta(MAX_PATH, L'\0');
    for (;;) {
        const DWORD largo = GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()));
        if (largo < ruta.size()) {
            ruta.resize(largo);
            break;
        }
        ruta.resize(ruta.size() * 2);
    }
    return (std::filesystem::path(ruta).parent_path() / nombre).wstring();
}

VentanasPrueba::VentanasPrueba(const std::vector<std::wstring>& argumentos)
    : VentanasPrueba(JuntoAlEjecutable(kExeVentanasPrueba), argumentos) {}

VentanasPrueba::VentanasPrueba(const std::wstring& exe, const std::vector<std::wstring>& argumentos)
    : salida_(RutaSalidaNueva()) {
    DeleteFileW(salida_.c_str());
    std::wstring linea = CitarArgumento(exe) + L" " + kOpcionSalida + L" " + CitarArgumento(salida_);
    for (const std::wstring& argumento : argumentos) linea += L" " + CitarArgumento(argumento);

    trabajo_ = TrabajoQueTerminaAlCerrar();
    STARTUPINFOW inicio{};
    inicio.cb = sizeof(inicio);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), linea.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &inicio, &info)) {
        throw std::runtime_error("ventanas_prueba.exe could not be started");
    }
    proceso_.reset(info.hProcess);
    const HandlePropio hilo(info.hThread);
    idProceso_ = info.dwProcessId;
    if (trabajo_) AssignProcessToJobObject(trabajo_.get(), proceso_.get());
    ResumeThread(hilo.get());

    const bool listo =
        EsperarHasta([&] { return !Vivo() || GetFileAttributesW(salida_.c_str()) != INVALID_FILE_ATTRIBUTES; });
    if (listo && Vivo()) ventanas_ = LeerHandles(salida_);
    if (ventanas_.empty()) {
        Terminar();
        throw std::runtime_error("ventanas_prueba.exe did not report its windows");
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

void Dormir(HWND ventana, DWORD milisegundos) {
    PostMessageW(ventana, RegisterWindowMessageW(kMensajeDormir), milisegundos, 0);
}

}  // namespace tesk::prueba
