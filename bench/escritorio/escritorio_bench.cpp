// tesk.exe on Wine's real desktop, each figure beside its floor measured in
// the same run:
//   - key press to last window hidden, and second press to last window
//     shown, for 10, 50 and 200 windows (20 presses each), beside a bare
//     loop making the same hide and show calls over the same windows; the
//     polling delay (press to first window changed, at most one 100 ms tick
//     by design) reported apart;
//   - CPU time over 60 idle seconds of tesk.exe and of the wineserver,
//     beside minimo.exe (a window that reads one key every 100 ms);
//   - resident size idle with 50 windows listed, beside minimo.exe;
//   - start-up: process start to window on screen, beside minimo.exe.
// Prints one figure per line: "name value unit". Paths come in TESK_EXE,
// TESK_VENTANAS_PRUEBA and TESK_MINIMO; TESK_PID_WINESERVER is the Unix pid
// of this prefix's wineserver, read through drive Z:.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/soporte/IconoTesk.h"
#include "tests/e2e/soporte/Panel.h"
#include "tests/e2e/soporte/ProcesoTesk.h"
#include "tests/e2e/soporte/Rutas.h"
#include "tests/fiabilidad/soporte/Consumo.h"
#include "tests/fiabilidad/soporte/Lote.h"
#include "tests/windows/soporte/Entrada.h"
#include "tests/windows/soporte/Esperar.h"
#include "tests/windows/soporte/VentanasPrueba.h"

namespace {

using namespace tesk;
using Reloj = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr int kPulsaciones = 20;
constexpr int kArranques = 5;
constexpr std::chrono::seconds kReposo{60};
constexpr std::size_t kVentanasReposo = 50;
constexpr std::chrono::milliseconds kEntrePasadas{300};
constexpr std::chrono::milliseconds kLimite{30000};
constexpr wchar_t kVariableMinimo[] = L"TESK_MINIMO";
constexpr wchar_t kVariableWineserver[] = L"TESK_PID_WINESERVER";
constexpr wchar_t kTituloFoco[] = L"Foco";
constexpr double kTicksPorSegundo = 100.0;  // Linux's clock ticks in /proc

void Figura(const std::string& nombre, double valor, const char* unidad) {
    std::printf("%s %.3f %s\n", nombre.c_str(), valor, unidad);
    std::fflush(stdout);
}

struct Serie {
    std::vector<double> valores;
    double Mediana() {
        std::sort(valores.begin(), valores.end());
        return valores.empty() ? 0 : valores[valores.size() / 2];
    }
    double Peor() const { return valores.empty() ? 0 : *std::max_element(valores.begin(), valores.end()); }
};

void FiguraSerie(const std::string& nombre, Serie& serie) {
    Figura(nombre + "_mediana", serie.Mediana(), "ms");
    Figura(nombre + "_peor", serie.Peor(), "ms");
}

bool Enfocar(HWND ventana) {
    return prueba::EsperarHasta([&] {
        if (GetForegroundWindow() == ventana) return true;
        SetForegroundWindow(ventana);
        return false;
    });
}

// Spins (no sleeping, to time finely) until every window has that
// visibility; gives the time the first and the last changed.
struct Cambio {
    Reloj::time_point primera;
    Reloj::time_point ultima;
};

std::optional<Cambio> Observar(const std::vector<HWND>& ventanas, bool visibles) {
    const auto fin = Reloj::now() + kLimite;
    std::optional<Reloj::time_point> primera;
    for (;;) {
        std::size_t listas = 0;
        for (HWND v : ventanas) listas += (IsWindowVisible(v) != FALSE) == visibles;
        const auto ahora = Reloj::now();
        if (listas > 0 && !primera) primera = ahora;
        if (listas == ventanas.size()) return Cambio{*primera, ahora};
        if (ahora > fin) return std::nullopt;
        prueba::AtenderMensajes();
    }
}

e2e::Panel EsperarPanel(const e2e::ProcesoTesk& proceso) {
    e2e::Panel panel;
    prueba::EsperarHasta([&] {
        panel = e2e::Panel::DelProceso(proceso.Id());
        return panel && panel.Visible();
    });
    return panel;
}

// Key to last window hidden and shown over n windows, then the bare loop.
bool MedirPasadas(std::size_t n) {
    const std::wstring programa = e2e::RutaDe(e2e::kVariableVentanasPrueba);
    prueba::VentanasPrueba ventanas(
        programa, fiabilidad::Juntar(fiabilidad::Una(kTituloFoco), fiabilidad::Muchas(L"Banco", n)));
    const HWND foco = ventanas[0];
    const std::vector<HWND> otras(ventanas.Ventanas().begin() + 1, ventanas.Ventanas().end());
    std::vector<UINT> estados;
    for (HWND v : otras) {
        WINDOWPLACEMENT p{};
        p.length = sizeof p;
        GetWindowPlacement(v, &p);
        estados.push_back(p.showCmd);
    }
    Serie ocultar, mostrar, esperaOcultar, esperaMostrar, pasadaOcultar, pasadaMostrar;
    {
        e2e::ProcesoTesk tesk(e2e::RutaDe(e2e::kVariableTesk));
        const e2e::Panel panel = EsperarPanel(tesk);
        if (!panel) return false;
        panel.Marcar(panel.Fila(kTituloFoco), true);
        for (int i = 0; i < kPulsaciones; ++i) {
            for (const bool visibles : {false, true}) {
                if (!Enfocar(foco)) return false;
                const auto pulsada = Reloj::now();
                prueba::PulsarYSoltar(VK_F6);
                const std::optional<Cambio> cambio = Observar(otras, visibles);
                if (!cambio) return false;
                (visibles ? mostrar : ocultar).valores.push_back(Ms(cambio->ultima - pulsada).count());
                (visibles ? esperaMostrar : esperaOcultar).valores.push_back(Ms(cambio->primera - pulsada).count());
                (visibles ? pasadaMostrar : pasadaOcultar).valores.push_back(Ms(cambio->ultima - cambio->primera).count());
                // The restore ends with the icon back.
                if (visibles && !prueba::EsperarHasta([] { return e2e::IconoTesk() != nullptr; })) return false;
                prueba::EsperarHasta([] { return false; }, kEntrePasadas);
            }
        }
    }
    // The floor: the same calls from a bare loop, tesk.exe gone.
    Serie sueloOcultar, sueloMostrar;
    for (int i = 0; i < kPulsaciones; ++i) {
        auto inicio = Reloj::now();
        for (HWND v : otras) ShowWindow(v, SW_HIDE);
        sueloOcultar.valores.push_back(Ms(Reloj::now() - inicio).count());
        prueba::EsperarHasta([] { return false; }, kEntrePasadas);
        inicio = Reloj::now();
        for (std::size_t k = 0; k < otras.size(); ++k) ShowWindow(otras[k], static_cast<int>(estados[k]));
        sueloMostrar.valores.push_back(Ms(Reloj::now() - inicio).count());
        prueba::EsperarHasta([] { return false; }, kEntrePasadas);
    }
    const std::string base = "ventanas" + std::to_string(n) + "_";
    FiguraSerie(base + "tecla_a_ultima_oculta", ocultar);
    FiguraSerie(base + "tecla_a_ultima_mostrada", mostrar);
    FiguraSerie(base + "espera_sondeo_ocultar", esperaOcultar);
    FiguraSerie(base + "espera_sondeo_mostrar", esperaMostrar);
    FiguraSerie(base + "pasada_ocultar", pasadaOcultar);
    FiguraSerie(base + "pasada_mostrar", pasadaMostrar);
    FiguraSerie(base + "suelo_ocultar", sueloOcultar);
    FiguraSerie(base + "suelo_mostrar", sueloMostrar);
    return true;
}

double CpuDe(HANDLE proceso) {
    FILETIME creado, fin, nucleo, usuario;
    if (!GetProcessTimes(proceso, &creado, &fin, &nucleo, &usuario)) return -1;
    const auto a100ns = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(a100ns(nucleo) + a100ns(usuario)) / 1e4;  // ms
}

// The wineserver's CPU time in ms, from Linux's /proc, or -1.
double CpuWineserver() {
    wchar_t pid[32]{};
    if (GetEnvironmentVariableW(kVariableWineserver, pid, std::size(pid)) == 0) return -1;
    std::ifstream stat(std::filesystem::path(L"Z:\\proc\\" + std::wstring(pid) + L"\\stat"));
    std::string linea;
    if (!std::getline(stat, linea)) return -1;
    // Fields after the command's closing parenthesis: utime is the 14th
    // field of the line, stime the 15th.
    std::istringstream resto(linea.substr(linea.rfind(')') + 2));
    std::string campo;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && resto >> campo; ++i) {
        if (i == 14) utime = std::stoull(campo);
        if (i == 15) stime = std::stoull(campo);
    }
    return static_cast<double>(utime + stime) / kTicksPorSegundo * 1000.0;
}

// Idle CPU and resident size of a program running beside 50 listed windows.
void MedirReposo(const std::string& nombre, const std::wstring& programa) {
    prueba::VentanasPrueba ventanas(e2e::RutaDe(e2e::kVariableVentanasPrueba),
                                    fiabilidad::Muchas(L"Reposo", kVentanasReposo));
    e2e::ProcesoTesk proceso(programa);
    if (!EsperarPanel(proceso)) return;
    prueba::EsperarHasta([] { return false; }, std::chrono::milliseconds(2000));
    const prueba::HandlePropio abierto(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, proceso.Id()));
    const double cpu0 = CpuDe(abierto.get());
    const double server0 = CpuWineserver();
    Sleep(static_cast<DWORD>(std::chrono::milliseconds(kReposo).count()));
    const double cpu1 = CpuDe(abierto.get());
    const double server1 = CpuWineserver();
    const double segundos = static_cast<double>(kReposo.count());
    Figura(nombre + "_cpu_reposo", (cpu1 - cpu0) / (segundos * 10.0), "%core");
    if (server0 >= 0 && server1 >= 0) Figura(nombre + "_wineserver_cpu_reposo", (server1 - server0) / (segundos * 10.0), "%core");
    if (const auto consumo = fiabilidad::ConsumoDe(proceso.Id())) {
        Figura(nombre + "_residente", static_cast<double>(consumo->residente) / 1024.0, "KB");
        Figura(nombre + "_handles", consumo->handles, "handles");
    }
}

// Process start to its window on screen, median of a few starts.
void MedirArranque(const std::string& nombre, const std::wstring& programa) {
    Serie serie;
    for (int i = 0; i < kArranques; ++i) {
        const auto inicio = Reloj::now();
        e2e::ProcesoTesk proceso(programa);
        for (;;) {
            bool visible = false;
            for (HWND v : proceso.Ventanas()) visible = visible || IsWindowVisible(v);
            if (visible) break;
            if (Reloj::now() - inicio > kLimite) return;
            SwitchToThread();
        }
        serie.valores.push_back(Ms(Reloj::now() - inicio).count());
        proceso.Terminar();
        prueba::EsperarHasta([] { return e2e::IconosTesk().empty(); });
    }
    FiguraSerie(nombre + "_arranque", serie);
}

}  // namespace

int wmain() {
    try {
        for (const std::size_t n : {10u, 50u, 200u}) {
            if (!MedirPasadas(n)) {
                std::fprintf(stderr, "the passes over %zu windows could not be measured\n", n);
                return 1;
            }
        }
        const std::wstring tesk = e2e::RutaDe(e2e::kVariableTesk);
        const std::wstring minimo = e2e::RutaDe(kVariableMinimo);
        MedirReposo("tesk", tesk);
        MedirReposo("minimo", minimo);
        MedirArranque("tesk", tesk);
        MedirArranque("minimo", minimo);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
