#include "bench/escritorio/ProcLinux.h"

#include <windows.h>

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tesk::bench {

namespace {

constexpr double kTicksPorSegundo = 100.0;  // Linux's clock ticks in /proc
constexpr wchar_t kProc[] = L"Z:\\proc\\";

std::optional<std::string> Leer(unsigned pid, const wchar_t* archivo) {
    std::ifstream entrada(std::filesystem::path(kProc + std::to_wstring(pid) + L"\\" + archivo));
    if (!entrada) return std::nullopt;
    std::ostringstream texto;
    texto << entrada.rdbuf();
    return texto.str();
}

struct Stat {
    std::string nombre;
    std::vector<std::string> campos;  // campos[0] is the 3rd field (state)
};

std::optional<Stat> StatDe(unsigned pid) {
    const auto linea = Leer(pid, L"stat");
    if (!linea) return std::nullopt;
    const auto abre = linea->find('(');
    const auto cierra = linea->rfind(')');
    if (abre == std::string::npos || cierra == std::string::npos || cierra < abre) return std::nullopt;
    Stat stat{linea->substr(abre + 1, cierra - abre - 1), {}};
    std::istringstream resto(linea->substr(cierra + 1));
    for (std::string campo; resto >> campo;) stat.campos.push_back(campo);
    return stat;
}

// Field n of /proc/<pid>/stat, counted from 1 as proc(5) does.
unsigned long long Campo(const Stat& stat, std::size_t n) {
    return n >= 3 && n - 3 < stat.campos.size() ? std::stoull(stat.campos[n - 3]) : 0;
}

constexpr std::size_t kUtime = 14, kStime = 15, kInicio = 22;

// Whether the process's environment holds variable=valor.
bool EntornoTiene(unsigned pid, std::string_view variable, std::string_view valor) {
    const auto entorno = Leer(pid, L"environ");
    if (!entorno) return false;
    const std::string buscado = std::string(variable) + "=" + std::string(valor);
    std::istringstream entradas(*entorno);
    for (std::string entrada; std::getline(entradas, entrada, '\0');) {
        if (entrada == buscado) return true;
    }
    return false;
}

// A size line of /proc/<pid>/status ("VmRSS:"), in KB; nothing once the
// process is gone (an ended one has none).
std::optional<std::size_t> CampoKb(unsigned pid, std::string_view campo) {
    const auto estado = Leer(pid, L"status");
    if (!estado) return std::nullopt;
    std::istringstream lineas(*estado);
    for (std::string linea; std::getline(lineas, linea);) {
        if (linea.rfind(campo, 0) == 0) return std::stoull(linea.substr(campo.size()));
    }
    return std::nullopt;
}

}  // namespace

std::optional<unsigned> PidLinux(std::string_view nombre, std::string_view variable, std::string_view valor,
                                 bool masAntiguo) {
    WIN32_FIND_DATAW datos{};
    const HANDLE busqueda = FindFirstFileW((std::wstring(kProc) + L"*").c_str(), &datos);
    if (busqueda == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<unsigned> elegido;
    unsigned long long inicioElegido = 0;
    do {
        if (!std::iswdigit(datos.cFileName[0])) continue;
        const auto pid = static_cast<unsigned>(std::wcstoul(datos.cFileName, nullptr, 10));
        const auto stat = StatDe(pid);
        if (!stat || stat->nombre != nombre) continue;
        if (!variable.empty() && !EntornoTiene(pid, variable, valor)) continue;
        const unsigned long long inicio = Campo(*stat, kInicio);
        if (!elegido || (masAntiguo ? inicio < inicioElegido : inicio > inicioElegido)) {
            elegido = pid;
            inicioElegido = inicio;
        }
    } while (FindNextFileW(busqueda, &datos));
    FindClose(busqueda);
    return elegido;
}

std::optional<double> CpuLinuxMs(unsigned pid) {
    const auto stat = StatDe(pid);
    if (!stat) return std::nullopt;
    return static_cast<double>(Campo(*stat, kUtime) + Campo(*stat, kStime)) / kTicksPorSegundo * 1000.0;
}

std::optional<std::size_t> ResidenteLinuxKb(unsigned pid) { return CampoKb(pid, "VmRSS:"); }

std::optional<std::size_t> PicoResidenteLinuxKb(unsigned pid) { return CampoKb(pid, "VmHWM:"); }

std::optional<std::map<std::string, std::size_t>> ResidentePorMapaKb(unsigned pid) {
    const auto smaps = Leer(pid, L"smaps");
    if (!smaps) return std::nullopt;
    std::map<std::string, std::size_t> mapa;
    std::string actual = "[anon]";
    std::istringstream lineas(*smaps);
    for (std::string linea; std::getline(lineas, linea);) {
        std::istringstream campos(linea);
        std::string primero;
        campos >> primero;
        if (primero == "Rss:") {
            std::size_t kb = 0;
            campos >> kb;
            mapa[actual] += kb;
        } else if (primero.find('-') != std::string::npos && primero.back() != ':') {
            // A mapping's header: range, permissions, offset, device, inode,
            // then the file's path for a file mapping.
            std::string permisos, desplazamiento, dispositivo, inodo, ruta;
            campos >> permisos >> desplazamiento >> dispositivo >> inodo >> ruta;
            actual = inodo != "0" && !ruta.empty() ? ruta.substr(ruta.rfind('/') + 1) : "[anon]";
        }
    }
    return mapa;
}

}  // namespace tesk::bench
