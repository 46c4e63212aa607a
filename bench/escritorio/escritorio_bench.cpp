// tesk.exe on Wine's real desktop, each figure beside its floor measured in
// the same run:
//   - key press to last window hidden, and second press to last window
//     shown, for 10, 50 and 200 windows in ten programs besides the one
//     that has the key (20 presses each), beside a bare loop making the same
//     synchronous hide and show calls over the same windows, and the
//     limit: the same calls all posted at once (ShowWindowAsync), then
//     waited for until all have landed; the press to the first window
//     changed reported apart;
//   - CPU time over 60 idle seconds of tesk.exe and of the wineserver,
//     beside minimo.exe (a program with the same features: a layered window
//     with a list box, a tooltip control and a notification icon, reading
//     one key every 100 ms);
//   - resident size idle with 50 windows listed, beside minimo.exe;
//   - start-up: process start to window on screen, beside minimo.exe.
// Prints one figure per line: "name value unit". Paths come in TESK_EXE,
// TESK_VENTANAS_PRUEBA and TESK_MINIMO.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cwctype>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/escritorio/ProcLinux.h"
#include "desktop/Conversiones.h"
#include "guardian/RegistroCompartido.h"
#include "tests/soporte/AudioPrueba.h"
#include "tests/soporte/Consumo.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/IconoTesk.h"
#include "tests/soporte/Lote.h"
#include "tests/soporte/Panel.h"
#include "tests/soporte/ProcesoTesk.h"
#include "tests/soporte/Rutas.h"
#include "tests/soporte/VentanasPrueba.h"

namespace {

using namespace tesk;
using Reloj = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr int kPulsaciones = 20;
constexpr int kPulsacionesGrandes = 3;  // beyond 200 windows, each press takes seconds
constexpr std::size_t kGrande = 200;
constexpr std::size_t kProcesos = 10;
constexpr int kArranques = 5;
constexpr int kRecuperaciones = 10;
constexpr int kRecuperacionesMemoria = 3;
constexpr std::chrono::seconds kReposo{60};
constexpr std::size_t kVentanasReposo = 50;
constexpr std::chrono::milliseconds kEntrePasadas{300};
constexpr std::chrono::milliseconds kLimite{30000};
constexpr wchar_t kVariableMinimo[] = L"TESK_MINIMO";
constexpr wchar_t kVariableEspera[] = L"TESK_ESPERA";
constexpr wchar_t kTituloFoco[] = L"Foco";

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

// Any window of the process on screen: the panel, or the floor's window.
bool AlgunaVisible(const e2e::ProcesoTesk& proceso) {
    const std::vector<HWND> suyas = proceso.Ventanas();
    return std::any_of(suyas.begin(), suyas.end(), [](HWND v) { return IsWindowVisible(v) != FALSE; });
}

// Windows of ventanas_prueba.exe spread over kProcesos programs, as a
// desktop's are (a third minimised, some maximised), and one window to mark
// and type into, "Foco", in a program of its own.
struct Mesa {
    std::vector<std::unique_ptr<prueba::VentanasPrueba>> procesos;
    HWND foco = nullptr;
    std::vector<HWND> otras;
};

Mesa AbrirMesa(std::size_t n, const std::wstring& titulo, const std::wstring& programaFoco = {}) {
    const std::wstring programa = e2e::RutaDe(e2e::kVariableVentanasPrueba);
    Mesa mesa;
    mesa.procesos.push_back(std::make_unique<prueba::VentanasPrueba>(
        programaFoco.empty() ? programa : programaFoco, fiabilidad::Una(kTituloFoco)));
    mesa.foco = (*mesa.procesos.front())[0];
    for (std::size_t p = 0; p < kProcesos; ++p) {
        const std::size_t cuantas = n / kProcesos + (p < n % kProcesos ? 1 : 0);
        if (cuantas == 0) continue;
        mesa.procesos.push_back(std::make_unique<prueba::VentanasPrueba>(
            programa, fiabilidad::Muchas(titulo + L" " + std::to_wstring(p) + L" -", cuantas)));
        for (HWND v : mesa.procesos.back()->Ventanas()) mesa.otras.push_back(v);
    }
    return mesa;
}

// Key to last window hidden and shown over n windows, then the bare loop.
bool MedirPasadas(std::size_t n) {
    const int pulsaciones = n > kGrande ? kPulsacionesGrandes : kPulsaciones;
    const Mesa mesa = AbrirMesa(n, L"Banco");
    const HWND foco = mesa.foco;
    const std::vector<HWND>& otras = mesa.otras;
    // The floors show each window with the command the program shows it
    // with: as it is, without activating it (minimised ones minimised).
    std::vector<UINT> estados;
    for (HWND v : otras) estados.push_back(IsIconic(v) ? SW_SHOWMINNOACTIVE : SW_SHOWNA);
    Serie ocultar, mostrar, esperaOcultar, esperaMostrar, pasadaOcultar, pasadaMostrar;
    {
        e2e::ProcesoTesk tesk(e2e::RutaDe(e2e::kVariableTesk));
        const e2e::Panel panel = EsperarPanel(tesk);
        if (!panel) return false;
        panel.Marcar(panel.Fila(kTituloFoco), true);
        for (int i = 0; i < pulsaciones; ++i) {
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
    Serie sueloOcultar, sueloMostrar, asincronoOcultar, asincronoMostrar;
    for (int i = 0; i < pulsaciones; ++i) {
        auto inicio = Reloj::now();
        for (HWND v : otras) ShowWindow(v, SW_HIDE);
        sueloOcultar.valores.push_back(Ms(Reloj::now() - inicio).count());
        prueba::EsperarHasta([] { return false; }, kEntrePasadas);
        inicio = Reloj::now();
        for (std::size_t k = 0; k < otras.size(); ++k) ShowWindow(otras[k], static_cast<int>(estados[k]));
        sueloMostrar.valores.push_back(Ms(Reloj::now() - inicio).count());
        prueba::EsperarHasta([] { return false; }, kEntrePasadas);
    }
    // The limit: every call posted at once, then waited for until all have
    // landed, as the windows' programs take them side by side.
    for (int i = 0; i < pulsaciones; ++i) {
        for (const bool visibles : {false, true}) {
            const auto inicio = Reloj::now();
            for (std::size_t k = 0; k < otras.size(); ++k)
                ShowWindowAsync(otras[k], visibles ? static_cast<int>(estados[k]) : SW_HIDE);
            const std::optional<Cambio> cambio = Observar(otras, visibles);
            if (!cambio) return false;
            (visibles ? asincronoMostrar : asincronoOcultar).valores.push_back(Ms(cambio->ultima - inicio).count());
            prueba::EsperarHasta([] { return false; }, kEntrePasadas);
        }
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
    FiguraSerie(base + "asincrono_ocultar", asincronoOcultar);
    FiguraSerie(base + "asincrono_mostrar", asincronoMostrar);
    return true;
}

// Key to last window hidden over n windows while their programs play in
// `sesiones` sessions of the stand-in audio services (AudioPrueba.h, which
// the prefix must have installed), beside the same pass with no audio
// device at all, alternated press by press in one run of tesk.exe; and key
// to the last session muted.
bool MedirSonido(std::size_t n, std::size_t sesiones) {
    namespace audio = prueba::audio;
    if (audio::Compartida() == nullptr) return false;
    audio::Vaciar();
    // "Foco", marked, stays on screen: a program of its own (a copy under
    // another name), or the others would not be concealed whole.
    const std::filesystem::path foco = std::filesystem::temp_directory_path() / L"tesk_banco_foco.exe";
    std::filesystem::copy_file(e2e::RutaDe(e2e::kVariableVentanasPrueba), foco,
                               std::filesystem::copy_options::overwrite_existing);
    const Mesa mesa = AbrirMesa(n, L"Sonido", foco.wstring());
    const auto sonar = [&] {
        audio::Vaciar();
        for (std::size_t k = 0; k < sesiones; ++k) {
            const auto& programa = *mesa.procesos[1 + k % (mesa.procesos.size() - 1)];
            audio::Sonar(L"banco-" + std::to_wstring(k), programa.IdProceso());
        }
    };
    const auto calladas = [&](bool silencio) {
        for (std::size_t k = 0; k < sesiones; ++k) {
            const audio::Sesion* s = audio::Buscar(L"banco-" + std::to_wstring(k));
            if (s == nullptr || (s->silenciada != 0) != silencio) return false;
        }
        return true;
    };
    Serie conSonido, sinAudio, silencio;
    e2e::ProcesoTesk tesk(e2e::RutaDe(e2e::kVariableTesk));
    const e2e::Panel panel = EsperarPanel(tesk);
    if (!panel) return false;
    panel.Marcar(panel.Fila(kTituloFoco), true);
    for (int i = 0; i < 2 * kPulsaciones; ++i) {
        const bool conAudio = i % 2 == 0;
        if (conAudio) {
            sonar();
        } else {
            audio::Vaciar();
            audio::Compartida()->sinDispositivo = 1;
        }
        if (!Enfocar(mesa.foco)) return false;
        auto pulsada = Reloj::now();
        prueba::PulsarYSoltar(VK_F6);
        const std::optional<Cambio> oculta = Observar(mesa.otras, false);
        if (!oculta) return false;
        (conAudio ? conSonido : sinAudio).valores.push_back(Ms(oculta->ultima - pulsada).count());
        if (conAudio) {
            if (!prueba::EsperarHasta([&] { return calladas(true); })) return false;
            silencio.valores.push_back(Ms(Reloj::now() - pulsada).count());
        }
        prueba::EsperarHasta([] { return false; }, kEntrePasadas);
        if (!Enfocar(mesa.foco)) return false;
        prueba::PulsarYSoltar(VK_F6);
        if (!Observar(mesa.otras, true)) return false;
        if (conAudio && !prueba::EsperarHasta([&] { return calladas(false); })) return false;
        if (!prueba::EsperarHasta([] { return e2e::IconoTesk() != nullptr; })) return false;
        prueba::EsperarHasta([] { return false; }, kEntrePasadas);
    }
    audio::Vaciar();
    const std::string base = "sonido" + std::to_string(n) + "_";
    FiguraSerie(base + "tecla_a_ultima_oculta_con" + std::to_string(sesiones) + "_sesiones", conSonido);
    FiguraSerie(base + "tecla_a_ultima_oculta_sin_audio", sinAudio);
    FiguraSerie(base + "tecla_a_ultima_sesion_callada", silencio);
    return true;
}

// The Linux process of that name that belongs to this Wine prefix (its
// environment has the same WINEPREFIX), so that another prefix's programs
// running on the machine are never measured instead.
std::optional<unsigned> PidEnEstePrefijo(const std::string& nombre, bool masAntiguo = false) {
    char prefijo[MAX_PATH]{};
    const DWORD largo = GetEnvironmentVariableA("WINEPREFIX", prefijo, MAX_PATH);
    if (largo == 0 || largo >= MAX_PATH) return std::nullopt;
    return bench::PidLinux(nombre, "WINEPREFIX", prefijo, masAntiguo);
}

std::optional<unsigned> PidWineserver() {
    if (auto pid = PidEnEstePrefijo("wineserver64")) return pid;
    return PidEnEstePrefijo("wineserver");
}

// The Linux ids of tesk.exe and of its guardian (the newer of the two).
std::optional<std::pair<unsigned, unsigned>> PidsTeskYGuardian() {
    const auto programa = PidEnEstePrefijo("tesk.exe", true);
    const auto guardian = PidEnEstePrefijo("tesk.exe");
    if (!programa || !guardian || *programa == *guardian) return std::nullopt;
    return std::pair{*programa, *guardian};
}

// What each program measured idle had resident, by mapping.
std::map<std::string, std::map<std::string, std::size_t>> mapas;

// The files the program has resident and the floor does not load at all,
// and how much of each.
void FigurasSoloDe(const std::string& programa, const std::string& suelo) {
    if (!mapas.contains(programa) || !mapas.contains(suelo)) return;
    std::size_t anonima = 0;
    for (const auto& [archivo, kb] : mapas[programa]) {
        if (archivo == "[anon]") anonima = kb;
        else if (!mapas[suelo].contains(archivo)) Figura(programa + "_solo_" + archivo, static_cast<double>(kb), "KB");
    }
    Figura(programa + "_anonima", static_cast<double>(anonima), "KB");
    Figura(suelo + "_anonima", static_cast<double>(mapas[suelo]["[anon]"]), "KB");
}

// Idle CPU and resident size of a program running beside 50 listed windows.
// Wine gives no CPU times for another process, so they come from Linux, as
// does the wineserver's; the resident size is read both ways.
void MedirReposo(const std::string& nombre, const std::wstring& programa) {
    prueba::VentanasPrueba ventanas(e2e::RutaDe(e2e::kVariableVentanasPrueba),
                                    fiabilidad::Muchas(L"Reposo", kVentanasReposo));
    e2e::ProcesoTesk proceso(programa);
    if (!prueba::EsperarHasta([&] { return AlgunaVisible(proceso); })) {
        std::fprintf(stderr, "%s showed no window\n", nombre.c_str());
        return;
    }
    prueba::EsperarHasta([] { return false; }, std::chrono::milliseconds(2000));
    const std::string archivo = std::filesystem::path(programa).filename().string();
    // tesk.exe, not its guardian: the older of the two.
    const std::optional<unsigned> pid = PidEnEstePrefijo(archivo, true);
    const std::optional<unsigned> servidor = PidWineserver();
    if (!pid) std::fprintf(stderr, "no Linux process named %s\n", archivo.c_str());
    if (!servidor) std::fprintf(stderr, "no wineserver process found\n");
    const auto cpu0 = pid ? bench::CpuLinuxMs(*pid) : std::nullopt;
    const auto server0 = servidor ? bench::CpuLinuxMs(*servidor) : std::nullopt;
    const auto inicio = Reloj::now();
    Sleep(static_cast<DWORD>(std::chrono::milliseconds(kReposo).count()));
    const auto cpu1 = pid ? bench::CpuLinuxMs(*pid) : std::nullopt;
    const auto server1 = servidor ? bench::CpuLinuxMs(*servidor) : std::nullopt;
    const double ms = Ms(Reloj::now() - inicio).count();
    // ms of CPU per ms of wall time, as a percentage of one core
    if (cpu0 && cpu1) Figura(nombre + "_cpu_reposo", (*cpu1 - *cpu0) / ms * 100.0, "%core");
    if (server0 && server1) Figura(nombre + "_wineserver_cpu_reposo", (*server1 - *server0) / ms * 100.0, "%core");
    if (const auto residente = pid ? bench::ResidenteLinuxKb(*pid) : std::nullopt) {
        Figura(nombre + "_residente", static_cast<double>(*residente), "KB");
    }
    if (auto mapa = pid ? bench::ResidentePorMapaKb(*pid) : std::nullopt) mapas[nombre] = std::move(*mapa);
    if (const auto residente = fiabilidad::ResidenteDe(proceso.Id())) {
        Figura(nombre + "_residente_wine", static_cast<double>(*residente) / 1024.0, "KB");
    }
    if (const auto consumo = fiabilidad::ConsumoDe(proceso.Id())) {
        Figura(nombre + "_gdi", consumo->gdi, "objects");
        Figura(nombre + "_user", consumo->user, "objects");
        Figura(nombre + "_kernel", consumo->kernel, "handles");
    }
}

// CPU time (ms, over kReposo) and resident size of a Linux process.
void MedirProcesoQuieto(const std::string& nombre, unsigned pid) {
    const auto cpu0 = bench::CpuLinuxMs(pid);
    const auto inicio = Reloj::now();
    Sleep(static_cast<DWORD>(std::chrono::milliseconds(kReposo).count()));
    const auto cpu1 = bench::CpuLinuxMs(pid);
    const double ms = Ms(Reloj::now() - inicio).count();
    if (cpu0 && cpu1) {
        Figura(nombre + "_cpu_espera", *cpu1 - *cpu0, "ms");
        Figura(nombre + "_segundos_espera", ms / 1000.0, "s");
    }
    if (const auto residente = bench::ResidenteLinuxKb(pid)) Figura(nombre + "_residente", static_cast<double>(*residente), "KB");
    if (auto mapa = bench::ResidentePorMapaKb(pid)) mapas[nombre] = std::move(*mapa);
}

// The guardian while tesk.exe runs beside 50 listed windows, and its floor:
// a program that does nothing but wait on a handle.
void MedirGuardian() {
    {
        prueba::VentanasPrueba ventanas(e2e::RutaDe(e2e::kVariableVentanasPrueba),
                                        fiabilidad::Muchas(L"Reposo", kVentanasReposo));
        e2e::ProcesoTesk tesk(e2e::RutaDe(e2e::kVariableTesk));
        if (!EsperarPanel(tesk)) return;
        prueba::EsperarHasta([] { return false; }, std::chrono::milliseconds(2000));
        const auto pids = PidsTeskYGuardian();
        if (!pids) {
            std::fprintf(stderr, "no guardian found beside tesk.exe\n");
            return;
        }
        MedirProcesoQuieto("guardian", pids->second);
    }
    e2e::ProcesoTesk espera(e2e::RutaDe(kVariableEspera));
    prueba::EsperarHasta([] { return false; }, std::chrono::milliseconds(2000));
    if (const auto pid = PidEnEstePrefijo("espera.exe")) MedirProcesoQuieto("espera", *pid);
    FigurasSoloDe("guardian", "espera");
}

// What writing the record costs: 200 windows of ten programs written down
// (each with its process and thread looked up) and taken out again, the
// guardian apart; median of 20, beside the hide pass over as many windows.
void MedirRegistro() {
    const Mesa mesa = AbrirMesa(kGrande, L"Registro");
    const std::vector<HWND>& ventanas = mesa.otras;
    guardian::RegistroCompartido registro(false);
    Serie anotar, quitar;
    for (int i = 0; i < kPulsaciones; ++i) {
        auto inicio = Reloj::now();
        for (HWND v : ventanas) registro.Anotar(HandleDe(v), SW_SHOW);
        anotar.valores.push_back(Ms(Reloj::now() - inicio).count());
        inicio = Reloj::now();
        for (HWND v : ventanas) registro.Quitar(HandleDe(v));
        quitar.valores.push_back(Ms(Reloj::now() - inicio).count());
    }
    FiguraSerie("registro200_anotar", anotar);
    FiguraSerie("registro200_quitar", quitar);
}

// tesk.exe started beside the desktop, "Foco" marked and the other
// windows concealed; nothing if they could not be.
std::unique_ptr<e2e::ProcesoTesk> Ocultar(const Mesa& mesa) {
    auto tesk = std::make_unique<e2e::ProcesoTesk>(e2e::RutaDe(e2e::kVariableTesk));
    const e2e::Panel panel = EsperarPanel(*tesk);
    if (!panel) return nullptr;
    panel.Marcar(panel.Fila(kTituloFoco), true);
    if (!Enfocar(mesa.foco)) return nullptr;
    prueba::PulsarYSoltar(VK_F6);
    if (!Observar(mesa.otras, false)) return nullptr;
    prueba::EsperarHasta([] { return false; }, kEntrePasadas);
    return tesk;
}

// The guardian's resident size while it waits over the concealed windows,
// and the most it had before it ended, read from Linux all along its
// restore; apart from the timed kills, as those readings take the
// wineserver's time too.
bool MedirMemoriaRecuperando(const Mesa& mesa) {
    Serie esperando, recuperando;
    for (int i = 0; i < kRecuperacionesMemoria; ++i) {
        const std::unique_ptr<e2e::ProcesoTesk> tesk = Ocultar(mesa);
        if (!tesk) return false;
        const auto pids = PidsTeskYGuardian();
        const auto espera = pids ? bench::ResidenteLinuxKb(pids->second) : std::nullopt;
        if (!espera) return false;
        const unsigned guardian = pids->second;
        std::atomic<std::size_t> pico = 0;
        std::atomic<bool> seguir = true;
        std::thread vigia([&] {
            while (seguir) {
                const auto leido = bench::PicoResidenteLinuxKb(guardian);
                if (!leido) break;
                pico = *leido;
            }
        });
        const bool devueltas = tesk->Matar() && Observar(mesa.otras, true);
        const bool termino = prueba::EsperarHasta([&] { return !bench::ResidenteLinuxKb(guardian); });
        seguir = false;
        vigia.join();
        if (!devueltas || !termino) return false;
        esperando.valores.push_back(static_cast<double>(*espera));
        recuperando.valores.push_back(static_cast<double>(pico));
        prueba::EsperarHasta([] { return false; }, kEntrePasadas);
    }
    Figura("recuperacion200_guardian_residente_espera", esperando.Mediana(), "KB");
    Figura("recuperacion200_guardian_residente_pico", recuperando.Mediana(), "KB");
    return true;
}

// tesk.exe killed while 200 windows of ten programs are concealed: the
// time from its end to the last window on screen again, as its guardian
// shows them; beside the floor, the same windows shown by a bare loop of
// the same asynchronous calls. Then the guardian's memory over the same.
bool MedirRecuperacion() {
    const Mesa mesa = AbrirMesa(kGrande, L"Recuperar");
    const std::vector<HWND>& otras = mesa.otras;
    Serie guardian, suelo;
    for (int i = 0; i < kRecuperaciones; ++i) {
        const std::unique_ptr<e2e::ProcesoTesk> tesk = Ocultar(mesa);
        if (!tesk) return false;
        const auto muerte = Reloj::now();
        if (!tesk->Matar()) return false;
        const std::optional<Cambio> cambio = Observar(otras, true);
        if (!cambio) return false;
        guardian.valores.push_back(Ms(cambio->ultima - muerte).count());
        prueba::EsperarHasta([] { return false; }, kEntrePasadas);
    }
    std::vector<UINT> estados;
    for (HWND v : otras) {
        WINDOWPLACEMENT p{};
        p.length = sizeof p;
        GetWindowPlacement(v, &p);
        estados.push_back(p.showCmd == SW_SHOWNORMAL ? SW_SHOW : p.showCmd);
    }
    for (int i = 0; i < kRecuperaciones; ++i) {
        for (HWND v : otras) ShowWindow(v, SW_HIDE);
        prueba::EsperarHasta([] { return false; }, kEntrePasadas);
        const auto inicio = Reloj::now();
        for (std::size_t k = 0; k < otras.size(); ++k) ShowWindowAsync(otras[k], static_cast<int>(estados[k]));
        const std::optional<Cambio> cambio = Observar(otras, true);
        if (!cambio) return false;
        suelo.valores.push_back(Ms(cambio->ultima - inicio).count());
    }
    FiguraSerie("recuperacion200_guardian", guardian);
    FiguraSerie("recuperacion200_suelo", suelo);
    return MedirMemoriaRecuperando(mesa);
}

// Process start to its window on screen, median of a few starts.
void MedirArranque(const std::string& nombre, const std::wstring& programa) {
    Serie serie;
    for (int i = 0; i < kArranques; ++i) {
        const auto inicio = Reloj::now();
        e2e::ProcesoTesk proceso(programa);
        while (!AlgunaVisible(proceso)) {
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

// With no argument, every figure; otherwise only the parts named
// ("pasadas", "reposo", "guardian", "registro", "recuperacion", "arranque"); a number names one more window count
// for the passes. "sonido", the hide pass with sessions playing, is measured
// only when named, in a prefix with the stand-in audio services.
int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> partes(argv + 1, argv + argc);
    const auto medir = [&](const wchar_t* parte) {
        return partes.empty() || std::find(partes.begin(), partes.end(), parte) != partes.end();
    };
    try {
        std::vector<std::size_t> tamanos;
        if (medir(L"pasadas")) tamanos = {10u, 50u, 200u};
        for (const std::wstring& parte : partes) {
            if (!parte.empty() && std::iswdigit(parte[0])) tamanos.push_back(std::wcstoul(parte.c_str(), nullptr, 10));
        }
        for (const std::size_t n : tamanos) {
            if (!MedirPasadas(n)) {
                std::fprintf(stderr, "the passes over %zu windows could not be measured\n", n);
                return 1;
            }
        }
        if (std::find(partes.begin(), partes.end(), L"sonido") != partes.end() && !MedirSonido(200, 20)) {
            std::fprintf(stderr, "the hide pass with sessions playing could not be measured\n");
            return 1;
        }
        const std::wstring tesk = e2e::RutaDe(e2e::kVariableTesk);
        const std::wstring minimo = e2e::RutaDe(kVariableMinimo);
        if (medir(L"reposo")) {
            MedirReposo("tesk", tesk);
            MedirReposo("minimo", minimo);
            FigurasSoloDe("tesk", "minimo");
        }
        if (medir(L"guardian")) MedirGuardian();
        if (medir(L"registro")) MedirRegistro();
        if (medir(L"recuperacion") && !MedirRecuperacion()) {
            std::fprintf(stderr, "the guardian's restore could not be measured\n");
            return 1;
        }
        if (medir(L"arranque")) {
            MedirArranque("tesk", tesk);
            MedirArranque("minimo", minimo);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
