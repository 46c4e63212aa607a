#include "tests/soporte/ProcesoTesk.h"

#include "tests/soporte/Panel.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <cwctype>
#include <stdexcept>

#include "panel/Nombres.h"
#include "tests/soporte/Clases.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/VentanasPrueba.h"

namespace tesk::e2e {

namespace {

constexpr std::chrono::milliseconds kEsperaCierre{5000};
constexpr DWORD kEsperaFinForzado = 5000;
constexpr UINT kSalidaForzada = 1;
constexpr int kLargoTitulo = 512;

struct BusquedaVentanas {
    DWORD proceso;
    std::vector<HWND> encontradas;
};

BOOL CALLBACK AnotarSiEsDelProceso(HWND ventana, LPARAM datos) {
    auto* busqueda = reinterpret_cast<BusquedaVentanas*>(datos);
    DWORD proceso = 0;
    GetWindowThreadProcessId(ventana, &proceso);
    if (proceso == busqueda->proceso) busqueda->encontradas.push_back(ventana);
    return TRUE;
}

}  // namespace

std::wstring TituloDe(HWND ventana) {
    std::wstring titulo(kLargoTitulo, L'\0');
    titulo.resize(static_cast<std::size_t>(std::max(GetWindowTextW(ventana, titulo.data(), kLargoTitulo), 0)));
    return titulo;
}

std::wstring Describir(HWND ventana) {
    if (ventana == nullptr) return L"no window";
    return L"\"" + TituloDe(ventana) + L"\" (" + prueba::ClaseDe(ventana) + L")";
}

ProcesoTesk::ProcesoTesk(const std::wstring& programa, DWORD limitesTrabajo) {
    prueba::ProcesoLanzado lanzado =
        prueba::Lanzar(programa, prueba::CitarArgumento(programa), "tesk.exe", limitesTrabajo);
    trabajo_ = std::move(lanzado.trabajo);
    proceso_ = std::move(lanzado.proceso);
    id_ = lanzado.id;
}

ProcesoTesk::~ProcesoTesk() { Terminar(); }

bool ProcesoTesk::Vivo() const { return proceso_ && WaitForSingleObject(proceso_.get(), 0) == WAIT_TIMEOUT; }

bool ProcesoTesk::EsperarFin(std::chrono::milliseconds limite) const {
    return prueba::EsperarHasta([&] { return !Vivo(); }, limite);
}

std::optional<DWORD> ProcesoTesk::CodigoSalida() const {
    DWORD codigo = 0;
    if (Vivo() || !GetExitCodeProcess(proceso_.get(), &codigo)) return std::nullopt;
    return codigo;
}

std::vector<HWND> VentanasDe(DWORD proceso) {
    BusquedaVentanas busqueda{proceso, {}};
    EnumWindows(AnotarSiEsDelProceso, reinterpret_cast<LPARAM>(&busqueda));
    return busqueda.encontradas;
}

namespace {

// Every running process and its parent's id.
std::map<DWORD, DWORD> Procesos() {
    std::map<DWORD, DWORD> padres;
    const prueba::HandlePropio instantanea(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!instantanea || instantanea.get() == INVALID_HANDLE_VALUE) return padres;
    PROCESSENTRY32W entrada{};
    entrada.dwSize = sizeof entrada;
    for (BOOL hay = Process32FirstW(instantanea.get(), &entrada); hay; hay = Process32NextW(instantanea.get(), &entrada)) {
        padres[entrada.th32ProcessID] = entrada.th32ParentProcessID;
    }
    return padres;
}

}  // namespace

std::vector<DWORD> HijosDe(DWORD padre) {
    std::vector<DWORD> hijos;
    for (const auto& [id, suPadre] : Procesos())
        if (suPadre == padre && id != padre) hijos.push_back(id);
    return hijos;
}

std::vector<DWORD> ArbolDe(DWORD raiz) {
    const std::map<DWORD, DWORD> padres = Procesos();
    std::vector<DWORD> arbol{raiz};
    for (std::size_t i = 0; i < arbol.size(); ++i) {
        for (const auto& [id, padre] : padres)
            if (padre == arbol[i] && std::find(arbol.begin(), arbol.end(), id) == arbol.end()) arbol.push_back(id);
    }
    arbol.erase(arbol.begin());
    return arbol;
}

DWORD PadreDe(DWORD proceso) {
    const std::map<DWORD, DWORD> padres = Procesos();
    const auto it = padres.find(proceso);
    return it == padres.end() ? 0 : it->second;
}

std::vector<std::wstring> ModulosDe(DWORD proceso) {
    std::vector<std::wstring> modulos;
    const prueba::HandlePropio instantanea(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, proceso));
    if (!instantanea || instantanea.get() == INVALID_HANDLE_VALUE) return modulos;
    MODULEENTRY32W entrada{};
    entrada.dwSize = sizeof entrada;
    for (BOOL hay = Module32FirstW(instantanea.get(), &entrada); hay; hay = Module32NextW(instantanea.get(), &entrada)) {
        std::wstring nombre = entrada.szModule;
        for (wchar_t& c : nombre) c = static_cast<wchar_t>(std::towlower(c));
        modulos.push_back(std::move(nombre));
    }
    return modulos;
}

std::vector<HWND> ProcesoTesk::Ventanas() const { return VentanasDe(id_); }

bool ProcesoTesk::Matar() {
    if (!proceso_) return false;
    TerminateProcess(proceso_.get(), kSalidaForzada);
    return WaitForSingleObject(proceso_.get(), static_cast<DWORD>(prueba::kEsperaMaxima.count())) == WAIT_OBJECT_0;
}

bool ProcesoTesk::HacerFallar() {
    if (!proceso_) return false;
    // Page zero is never mapped: running there is an access violation.
    const auto sinCodigo = reinterpret_cast<LPTHREAD_START_ROUTINE>(static_cast<std::uintptr_t>(0x10));
    const prueba::HandlePropio hilo(CreateRemoteThread(proceso_.get(), nullptr, 0, sinCodigo, nullptr, 0, nullptr));
    return static_cast<bool>(hilo);
}

bool ProcesoTesk::CerrarTrabajo() {
    if (!proceso_ || !trabajo_) return false;
    trabajo_.reset();
    return WaitForSingleObject(proceso_.get(), static_cast<DWORD>(prueba::kEsperaMaxima.count())) == WAIT_OBJECT_0;
}

HWND ProcesoTesk::VentanaDeClase(const wchar_t* clase) const {
    for (HWND ventana : Ventanas()) {
        if (prueba::EsDeClase(ventana, clase)) return ventana;
    }
    return nullptr;
}

void ProcesoTesk::Terminar() {
    if (!proceso_) return;
    if (Vivo()) {
        // The panel, where there is one: closing it ends the program.
        const HWND panel = VentanaDeClase(kClasePanel);
        if (panel != nullptr) {
            PostMessageW(panel, WM_CLOSE, 0, 0);
        } else {
            for (HWND ventana : Ventanas()) PostMessageW(ventana, WM_CLOSE, 0, 0);
        }
        if (!EsperarFin(kEsperaCierre)) {
            TerminateProcess(proceso_.get(), kSalidaForzada);
            WaitForSingleObject(proceso_.get(), kEsperaFinForzado);
        }
    }
    proceso_.reset();
    trabajo_.reset();
}

}  // namespace tesk::e2e
