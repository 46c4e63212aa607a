// Random desktops and random sequences of what a user and the other programs
// do, checked after every step against what the program promises: it hides
// only what the mode, the marks and the list select; everything it hid and
// that still exists comes back in the show state it had, arranged windows
// still arranged; what it did not hide it never shows, even when the
// window's own program hid it meanwhile; the windows it shows again end
// stacked as if shown one at a time; the shell is never hidden; the
// concealment flag and the tray icon follow each other; no pass is left
// running, even when one fails midway. And the sound, as the user hears it:
// every audio session is muted exactly when the user muted it or it plays
// for a program the current concealment hid whole (once a tick has looked
// since it opened), through every end, the watcher's included. Each process
// is, to the user, the program it was started as: a program's own
// processes, started from the shell, may have windows; the helpers a
// program starts (of its executable or another) never do.
//
// Some windows are cloaked (another virtual desktop, a suspended app), most
// of them at the back of the Z order: never listed, hidden as the windows not
// in the list are, and never the one a restore brings to the front.
//
// Some windows belong to elevated programs: the system refuses their hides,
// their shows or both, from any call of a pass on. A window whose hide was
// refused never counts as hidden; one whose show was refused stays in the
// record until it comes back, so no window the program hid is ever lost.
//
// Half the desktops hold every call until the windows' threads take them,
// in any order across windows; some windows' threads block for a while.
//
// Seeded and reproducible: TESK_SEMILLA=<n> replays from sequence n,
// TESK_SECUENCIAS=<n> sets how many run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <new>
#include <optional>
#include <random>
#include <set>
#include <unordered_map>

#include "engine/Lista.h"
#include "engine/Motor.h"
#include "engine/Titulo.h"
#include "tests/fake/AnfitrionFalso.h"
#include "tests/fake/AudioFalso.h"
#include "tests/fake/EscritorioFalso.h"
#include "tests/fake/ResguardoFalso.h"

namespace tesk::prueba {
namespace {

std::uint64_t Entorno(const char* nombre, std::uint64_t porDefecto) {
    const char* valor = std::getenv(nombre);
    return valor ? std::strtoull(valor, nullptr, 10) : porDefecto;
}

const std::vector<std::wstring>& Titulos() {
    static const std::vector<std::wstring> titulos = {
        L"", L"   ", L"\t", L"Documento", L"Documento", L"  Espacios  ", L"\tTab\t", L"Año — nuevo",
        L"文档 - 记事本", L"مستند جديد", L"מסמך", L"Notas \U0001F600", std::wstring(L"Nul\0dentro", 10),
        std::wstring(300, L'L'), std::wstring(254, L'a') + L"   b", L"Correo", L"Hoja de cálculo"};
    return titulos;
}

struct Esperado {
    std::int32_t estado = 0;
    bool acomodada = false;
};

// Thrown where the program would end at once, unwinding whatever pass was
// running: nothing after the close may be counted on.
struct FinDelPrograma {};

class Secuencia {
public:
    explicit Secuencia(std::uint64_t semilla) : rng_(semilla) {
        barra_ = escritorio_.CrearShell();
        escritorio_.ocultarLlevaAlFrente = Moneda(50);
        escritorio_.mostrarLlevaAlFrente = Moneda(50);
        escritorio_.diferir = Moneda(50);
        // Nothing is asked to hide before it is in the record; and the
        // program may die at any of its calls.
        escritorio_.alPedir = [this](Handle h, std::int32_t estado) {
            if (estado == kSwHide && !resguardo_.Contiene(h)) ++sinAnotar_;
            if (muerte_ && (*muerte_)-- == 0) throw FinDelPrograma{};
            // A window's program is elevated, or no longer is, just as it
            // is asked, or another's is.
            if (!dejarPasar_ && Moneda(2)) RechazarAlAzar(Moneda(50) ? h : AlAzar());
            // A hide the system refuses leaves the window on screen.
            if (estado == kSwHide && !(escritorio_.Existe(h) && escritorio_.Datos(h).rechazaOcultar))
                ocultadasPaso_.insert(h);
            if (estado == kSwHide && escritorio_.Existe(h) && escritorio_.Datos(h).rechazaOcultar) ++ocultarRechazado;
            if (estado == kSwHide && escritorio_.Existe(h)) encubiertaAlOcultar_[h] = escritorio_.Datos(h).encubierta;
            if (estado != kSwHide && escritorio_.Existe(h)) {
                if (escritorio_.Datos(h).rechazaMostrar)
                    mostrarRechazado_.insert(h);
                else
                    mostrarRechazado_.erase(h);
            }
        };
        // The key may be a system hot key: its WM_HOTKEY is handled at once,
        // or while a pass lets events run, or before the next tick (the
        // system puts it at the front of the queue).
        escritorio_.teclasRegistrables = Moneda(50);
        escritorio_.alTeclaRegistrada = [this] {
            if (Moneda(50))
                motor_.TeclaRegistradaPulsada();
            else
                ++atajosPendientes_;
        };
        // While the engine waits, the windows' threads take some of their
        // calls, in any order.
        anfitrion_.alEsperar = [this] {
            if (atajosPendientes_ > 0 && Moneda(30)) EntregarAtajos();
            escritorio_.Entregar([this](std::size_t n) {
                return n < 2 || Moneda(10) ? n - 1 : static_cast<std::size_t>(Azar(0, static_cast<int>(n) - 2));
            });
        };
        if (Moneda(30)) otraSuperficie_ = escritorio_.CrearOtraSuperficie(Moneda(50) ? L"" : L"Capa");
        // The shell's process and this program's; then a few programs, some
        // in several processes, some started by others.
        audio_.propio = kPropio;
        audio_.Arrancar(kShell, L"explorer.exe");
        audio_.Arrancar(kPropio, L"tesk.exe", kShell);
        programa_[kShell] = L"explorer.exe";
        programa_[kPropio] = L"tesk.exe";
        escritorio_.procesos[anfitrion_.panel] = kPropio;
        for (Handle h : escritorio_.OrdenZ())
            if (h != anfitrion_.panel) escritorio_.procesos[h] = kShell;
        for (int i = Azar(0, 8); i > 0; --i) Moneda(40) ? ArrancarAyudante() : ArrancarAlAzar();
        for (int i = Azar(0, 6); i > 0; --i) SonarAlAzar();
        // 0 to 300 windows, small desktops more often than large ones; some
        // lie in front of the panel, some behind it.
        const int r = Azar(0, 300);
        const int cuantas = r * r / 300;
        const int detras = Azar(0, cuantas);
        for (int i = 0; i < detras; ++i) AbrirAlAzar();
        escritorio_.AlFrenteDelZ(anfitrion_.panel);
        for (int i = detras; i < cuantas; ++i) AbrirAlAzar();
        Refrescar();
    }

    void Paso() {
        ocultoAntes_ = motor_.Oculto();
        falloPasada_ = false;
        ocultadasPaso_.clear();
        visiblesAntes_.clear();
        for (Handle h : escritorio_.OrdenZ())
            if (h != anfitrion_.panel && escritorio_.VisibleSegunLoPedido(h)) visiblesAntes_.push_back(h);
        ComprobarAterrizadas();
        ASSERT_EQ(sinAnotar_, 0) << "a window was asked to hide before it was in the record";
        if (::testing::Test::HasFatalFailure()) return;
        const int accion = Azar(0, 99);
        if (accion < 8) Refrescar();
        else if (accion < 22) CambiarMarcas();
        else if (accion < 27) CambiarModo();
        else if (accion < 62) Pulsar();
        else if (accion < 70) MantenerPulsada();
        else if (accion < 74) PulsarConInterrupcion();
        else if (accion < 77) PulsarConFallo();
        else if (accion < 82) MoverFrente();
        else if (accion < 85) Morir();
        else if (accion < 92) CambiarSonido();
        else CambiarEscritorio();
        if (::testing::Test::HasFatalFailure()) return;
        if (!motor_.Oculto()) {
            callados_.clear();
        } else if (!ocultoAntes_ && !falloPasada_) {
            Callados();
        }
        if (!terminado) ComprobarSiempre();
        ComprobarSonido();
    }

    // Every orderly end: what was concealed comes back, once the windows'
    // threads have taken their calls. The end of the session waits for
    // nothing, and what it leaves in the record the watcher shows once the
    // program is gone.
    void Cerrar() {
        escritorio_.OlvidarLlamadas();
        mostrarRechazado_.clear();  // the end asks again whatever refused
        if (Moneda(50)) {
            motor_.RestaurarAntesDeCerrar();
        } else {
            FinDeSesion();
        }
        Despertar();
        ComprobarRestaurado();
        DejarPasarYRecuperar();
        callados_.clear();
        ComprobarSonido();
    }

    // The WM_HOTKEY messages posted and not yet handled.
    void EntregarAtajos() {
        for (; atajosPendientes_ > 0; --atajosPendientes_) motor_.TeclaRegistradaPulsada();
    }

    bool terminado = false;
    // Times the foreground was taken back after a restore.
    std::uint64_t recuperados = 0;
    // Times the program died and the watcher brought the windows back.
    std::uint64_t muertes = 0;
    // Hides refused, and windows found hidden after a restore, kept in the
    // record, because their show was refused.
    std::uint64_t ocultarRechazado = 0;
    std::uint64_t retenidas = 0;
    // Cloaked windows hidden, and passes that hid only cloaked ones.
    std::uint64_t encubiertasOcultas = 0;
    std::uint64_t soloEncubiertas = 0;
    // Sessions found muted by the program, step by step.
    std::uint64_t calladas = 0;

private:
    int atajosPendientes_ = 0;

    int Azar(int desde, int hasta) { return std::uniform_int_distribution<int>(desde, hasta)(rng_); }
    bool Moneda(int porCiento) { return Azar(0, 99) < porCiento; }

    // A tick of the program's timer, not inside another.
    void Tick() {
        ++ticks_;
        EntregarAtajos();
        motor_.tmrTempo_Timer();
    }

    static constexpr std::uint32_t kShell = 4;
    static constexpr std::uint32_t kPropio = 8;

    std::uint32_t ProcesoAlAzar() {
        auto it = std::next(audio_.procesos.begin(), Azar(0, static_cast<int>(audio_.procesos.size()) - 1));
        return it->first;
    }

    // A program's process, of one of a few executables, started by the
    // user from the shell: the program the user knows it as is its
    // executable. Only these (and the shell's and this program's) have
    // windows.
    std::uint32_t ArrancarAlAzar() {
        const std::uint32_t id = siguienteProceso_++;
        std::wstring ejecutable = L"programa" + std::to_wstring(Azar(0, 4)) + L".exe";
        programa_[id] = ejecutable;
        audio_.Arrancar(id, std::move(ejecutable), kShell);
        return id;
    }

    // A process a program starts to work for it, which never has a window
    // (a browser's tabs and players): the same program to the user, be it
    // of the same executable or of a helper's own.
    std::uint32_t ArrancarAyudante() {
        std::vector<std::uint32_t> padres;
        for (const auto& [id, programa] : programa_)
            if (id != kShell && id != kPropio) padres.push_back(id);
        if (padres.empty()) return ArrancarAlAzar();
        const std::uint32_t padre = padres[static_cast<std::size_t>(Azar(0, static_cast<int>(padres.size()) - 1))];
        const std::uint32_t id = siguienteProceso_++;
        programa_[id] = programa_[padre];
        ayudantes_.insert(id);
        audio_.Arrancar(id, Moneda(50) ? audio_.procesos[padre].ejecutable : std::wstring(L"ayudante.exe"), padre);
        return id;
    }

    // A process that may have windows: one that runs already, or a new one.
    std::uint32_t ProcesoConVentanas() {
        std::vector<std::uint32_t> procesos;
        for (const auto& [id, programa] : programa_)
            if (!ayudantes_.count(id)) procesos.push_back(id);
        if (procesos.size() <= 2 || !Moneda(60)) return ArrancarAlAzar();
        return procesos[static_cast<std::size_t>(Azar(0, static_cast<int>(procesos.size()) - 1))];
    }

    // A process ends, and the helpers it started with it.
    void TerminarProceso(std::uint32_t proceso) {
        std::vector<std::uint32_t> suyos;
        for (std::uint32_t ayudante : ayudantes_)
            if (audio_.procesos.count(ayudante) && audio_.procesos[ayudante].padre == proceso) suyos.push_back(ayudante);
        for (std::uint32_t ayudante : suyos) TerminarProceso(ayudante);
        audio_.Terminar(proceso);
        programa_.erase(proceso);
        ayudantes_.erase(proceso);
    }

    // A session opens in some process (now and then muted from the start),
    // or for the system's sounds.
    void SonarAlAzar() {
        const std::uint32_t proceso = Moneda(10) ? 0 : ProcesoAlAzar();
        const std::wstring id = audio_.Sonar(proceso, Moneda(15));
        abiertaEn_[id] = ticks_;
        if (audio_.Silenciada(id)) delUsuario_.insert(id);
    }

    // What the programs and the user do with the sound. The user's own
    // switch, and processes ending, only while nothing is concealed (what
    // the program owes the user then is checked at the end).
    void CambiarSonido() {
        const int que = Azar(0, 9);
        if (que < 4) {
            SonarAlAzar();
        } else if (que < 6) {
            Moneda(50) ? ArrancarAyudante() : ArrancarAlAzar();
        } else if (que < 8 && !motor_.Oculto() && !audio_.sesiones.empty()) {
            auto it = std::next(audio_.sesiones.begin(), Azar(0, static_cast<int>(audio_.sesiones.size()) - 1));
            it->second.silenciada = !it->second.silenciada;
            if (it->second.silenciada)
                delUsuario_.insert(it->first);
            else
                delUsuario_.erase(it->first);
        } else if (!motor_.Oculto()) {
            // A process with no window ends, its sessions with it.
            const std::uint32_t p = ProcesoAlAzar();
            if (p == kShell || p == kPropio) return;
            for (const auto& [h, proceso] : escritorio_.procesos)
                if (proceso == p && escritorio_.Existe(h)) return;
            TerminarProceso(p);
        }
    }

    // The programs the latest hide pass concealed whole: those with a window
    // on screen before it, every one of which it asked to hide.
    void Callados() {
        std::map<std::wstring, std::pair<bool, bool>> programas;  // hidden one, left one
        for (Handle h : visiblesAntes_) {
            const auto programa = programa_.find(escritorio_.ProcesoDe(h));
            if (programa == programa_.end()) continue;
            auto& [oculta, dejada] = programas[programa->second];
            (ocultadasPaso_.count(h) ? oculta : dejada) = true;
        }
        callados_.clear();
        for (const auto& [programa, vistas] : programas)
            if (vistas.first && !vistas.second) callados_.insert(programa);
        callados_.erase(L"tesk.exe");
    }

    // Whether the process belongs to a concealed program.
    bool DeCallado(std::uint32_t proceso) {
        const auto programa = programa_.find(proceso);
        return proceso != kPropio && programa != programa_.end() && callados_.count(programa->second) != 0;
    }

    void ComprobarSonido() {
        const bool oculto = !terminado && motor_.Oculto() && !callados_.empty();
        for (const auto& [id, s] : audio_.sesiones) {
            auto abierta = abiertaEn_.find(id);
            const bool vista = abierta == abiertaEn_.end() || abierta->second < ticks_;
            if (oculto && !vista) continue;  // opened since the latest tick: the next one looks
            const bool esperada = delUsuario_.count(id) || (oculto && DeCallado(s.proceso));
            if (esperada && !delUsuario_.count(id)) ++calladas;
            ASSERT_EQ(s.silenciada, esperada) << "session " << std::string(id.begin(), id.end()) << " of process "
                                              << s.proceso << (oculto ? " while concealed" : " with nothing concealed");
        }
        if (!oculto && !terminado) {
            ASSERT_TRUE(resguardo_.sesiones.empty()) << "nothing is muted, yet the record holds sessions";
        }
        if (oculto) {
            for (const auto& [id, s] : audio_.sesiones)
                if (s.silenciada && !delUsuario_.count(id)) {
                    ASSERT_TRUE(resguardo_.sesiones.count(id)) << "a session is muted but not in the record";
                }
        }
    }

    void AbrirAlAzar() {
        const auto& titulos = Titulos();
        const std::wstring& titulo = titulos[static_cast<std::size_t>(Azar(0, static_cast<int>(titulos.size()) - 1))];
        const std::int32_t estados[] = {kSwShowNormal, kSwShowNormal, kSwShowMinimized, kSwShowMaximized};
        const std::int32_t estado = estados[Azar(0, 3)];
        const bool visible = Moneda(88);
        const bool alFrente = Moneda(80);
        const Handle h = alFrente ? escritorio_.Abrir(titulo, estado, visible)
                                  : escritorio_.AbrirAlFondo(titulo, estado, visible);
        if (estado == kSwShowNormal && Moneda(25)) escritorio_.Acomodar(h);
        if (Moneda(alFrente ? 5 : 40)) escritorio_.Encubrir(h);
        if (Moneda(5)) RechazarAlAzar(h);
        // Its process: one that runs already, or a new one.
        escritorio_.procesos[h] = ProcesoConVentanas();
    }

    // The system refuses its hides, its shows, both, or neither.
    void RechazarAlAzar(Handle h) {
        if (h == 0 || h == anfitrion_.panel || h == barra_ || h == escritorio_.Fondo() || h == otraSuperficie_) return;
        const int que = Azar(0, 3);
        escritorio_.Rechazar(h, (que & 1) != 0, (que & 2) != 0);
    }

    std::vector<Handle> Ajenas() const {
        std::vector<Handle> ajenas;
        for (Handle h : escritorio_.OrdenZ())
            if (h != anfitrion_.panel && h != barra_ && h != escritorio_.Fondo() && h != otraSuperficie_)
                ajenas.push_back(h);
        return ajenas;
    }

    Handle AlAzar() {
        auto ajenas = Ajenas();
        if (ajenas.empty()) return 0;
        return ajenas[static_cast<std::size_t>(Azar(0, static_cast<int>(ajenas.size()) - 1))];
    }

    void Refrescar() {
        motor_.ActualizarLista();
        // What the list must hold: the visible titled windows other than the
        // panel and the shell, not cloaked, front to back.
        listadas_.clear();
        for (Handle h : escritorio_.OrdenZ()) {
            if (!escritorio_.EsVisible(h) || escritorio_.Encubierta(h) || h == anfitrion_.panel || h == barra_ || h == escritorio_.FondoEscritorio() ||
                h == otraSuperficie_)
                continue;
            if (!NormalizarTitulo(escritorio_.Titulo(h)).empty()) listadas_.push_back(h);
        }
        ASSERT_EQ(motor_.VentanasLista().size(), listadas_.size() + 1);
        ASSERT_EQ(lista_.Cantidad(), static_cast<int>(listadas_.size()));
        ASSERT_EQ(lista_.CantidadMarcadas(), 0);
        for (std::size_t i = 0; i < listadas_.size(); ++i) {
            ASSERT_EQ(motor_.VentanasLista()[i + 1].hWnd, listadas_[i]);
            ASSERT_EQ(lista_.Texto(static_cast<int>(i)), motor_.VentanasLista()[i + 1].Titulo);
        }
    }

    void CambiarMarcas() {
        const int n = lista_.Cantidad();
        if (n == 0) return;
        if (Moneda(10)) {
            for (int i = 0; i < n; ++i) lista_.Marcar(i, true);
            return;
        }
        for (int veces = Azar(1, 5); veces > 0; --veces) {
            const int i = Azar(0, n - 1);
            lista_.Marcar(i, !lista_.Marcada(i));
        }
    }

    void CambiarModo() { motor_.CambiarModo(); }

    void CambiarEscritorio() {
        const int que = Azar(0, 11);
        const Handle h = AlAzar();
        if (que < 3 || h == 0) {
            AbrirAlAzar();
        } else if (que < 5) {
            escritorio_.Cerrar(h);
            ocultadas_.erase(h);
            porComprobar_.erase(h);
            suyas_.erase(h);
            bloqueadas_.erase(h);
        } else if (que < 8) {
            // The user can only act on what is on screen.
            if (escritorio_.Visible(h) && !escritorio_.EnVuelo(h)) {
                const std::int32_t estados[] = {kSwShowNormal, kSwShowMinimized, kSwShowMaximized};
                escritorio_.CambiarEstado(h, estados[Azar(0, 2)]);
            }
        } else if (que == 10) {
            RechazarAlAzar(h);
        } else if (que == 11) {
            // The user switches virtual desktops, an app is suspended or resumes.
            escritorio_.Encubrir(h, !escritorio_.Encubierta(h));
        } else if (que < 9) {
            // The window's own program hides or shows it; one that refused
            // to come back, once its program shows it, is no longer the
            // program's to bring back.
            const bool retenida = ocultadas_.count(h) && mostrarRechazado_.count(h);
            if ((!ocultadas_.count(h) || retenida) && !escritorio_.EnVuelo(h)) {
                const bool visible = !escritorio_.EsVisible(h);
                escritorio_.FijarVisible(h, visible);
                ocultadas_.erase(h);
                if (!visible && motor_.Oculto()) {
                    suyas_.insert(h);
                } else {
                    suyas_.erase(h);
                }
            }
        } else if (Moneda(50)) {
            escritorio_.AlFrenteDelZ(h);
        } else if (bloqueadas_.count(h)) {
            escritorio_.Desbloquear(h);
            bloqueadas_.erase(h);
        } else {
            // Its thread blocks inside a handler, for a while.
            escritorio_.Bloquear(h);
            bloqueadas_.insert(h);
        }
    }

    // The hide pass the rules call for, computed from the desktop as it is
    // before the press.
    std::set<Handle> DebenOcultarse() const {
        std::set<Handle> deben;
        const int n = lista_.Cantidad();
        if (n == 0 || lista_.CantidadMarcadas() == n) return deben;
        const bool objetivo = motor_.Modo() != L"Ocultar";
        std::unordered_map<Handle, bool> marca;
        for (std::size_t i = 0; i < listadas_.size(); ++i) marca[listadas_[i]] = lista_.Marcada(static_cast<int>(i));
        for (Handle h : Ajenas()) {
            // As the program sees it: a window with a call in flight counts
            // as that call will leave it.
            if (!escritorio_.VisibleSegunLoPedido(h)) continue;
            auto it = marca.find(h);
            if (it == marca.end() || it->second == objetivo) deben.insert(h);
        }
        return deben;
    }

    void AntesDePasada() {
        // A restore asks again whatever refused to come back: what is left
        // hidden after it must have refused this time.
        if (motor_.Oculto()) mostrarRechazado_.clear();
        esperadas_ = motor_.Oculto() ? std::set<Handle>{} : DebenOcultarse();
        ibaAOcultar_ = !motor_.Oculto();
        listaVacia_ = lista_.Cantidad() == 0 || lista_.CantidadMarcadas() == lista_.Cantidad();
        escritorio_.OlvidarLlamadas();
    }

    void DespuesDePasada() {
        if (ibaAOcultar_) ComprobarOcultacion();
        else ComprobarRestaurado();
    }

    void Pulsar() {
        AntesDePasada();
        const bool restaura = motor_.Oculto();
        std::set<Handle> vuelven;
        for (const auto& [h, esperado] : ocultadas_) vuelven.insert(h);
        escritorio_.Presionar(motor_.Tecla());
        if (Moneda(50)) Tick();
        escritorio_.Soltar(motor_.Tecla());
        Tick();
        if (restaura && !motor_.Oculto()) {
            ComprobarApilado(vuelven);
            EXPECT_TRUE(escritorio_.ActivadasAlMostrar().empty()) << "a restore activated the windows it showed";
            // A restore leaves in the record only what has not landed yet,
            // and what refused to come back.
            for (const auto& [h, mostrarCon] : resguardo_.entradas) {
                ASSERT_TRUE(escritorio_.Existe(h));
                ASSERT_TRUE(escritorio_.EnVuelo(h) || (ocultadas_.count(h) && !escritorio_.Visible(h)))
                    << "window " << h << " is back but still in the record";
            }
        }
        DespuesDePasada();
    }

    // A press whose pass fails midway (memory runs out while it walks the
    // desktop): the pass stops, nothing is left running, and whatever it hid
    // comes back with the next press.
    void PulsarConFallo() {
        const bool restaura = motor_.Oculto();
        escritorio_.OlvidarLlamadas();
        int faltan = Azar(0, 30);
        escritorio_.antesDeConsultar = [&faltan] {
            if (faltan-- == 0) throw std::bad_alloc();
        };
        escritorio_.Presionar(motor_.Tecla());
        Tick();
        escritorio_.antesDeConsultar = nullptr;
        falloPasada_ = faltan < 0;
        escritorio_.Soltar(motor_.Tecla());
        Tick();  // the key seen up again: the next press counts
        ASSERT_FALSE(motor_.EnPasada());
        if (!restaura) {
            RegistrarOcultadas(false);
        } else {
            // What the failed restore did show is back in its state.
            for (auto it = ocultadas_.begin(); it != ocultadas_.end();) {
                if (escritorio_.Existe(it->first) && escritorio_.EsVisible(it->first)) {
                    ComprobarVuelta(it->first, it->second);
                    it = ocultadas_.erase(it);
                } else {
                    ++it;
                }
            }
        }
        if (!motor_.Oculto()) {
            ComprobarRestaurado();
        }
    }

    // Something other than the program moves the foreground, with the
    // user's input or without (another program, the display), and a tick
    // passes. The program only ever takes it back for the window its latest
    // restore brought forward, on screen, and never after the user's input.
    void MoverFrente() {
        const bool delUsuario = Moneda(50);
        if (delUsuario) escritorio_.EntradaDelUsuario();
        escritorio_.TomarFrente(Moneda(30) ? 0 : AlAzar());
        const std::size_t antes = escritorio_.PedidosAlFrente().size();
        anfitrion_.reloj += 100;
        Tick();
        const auto& pedidos = escritorio_.PedidosAlFrente();
        for (std::size_t i = antes; i < pedidos.size(); ++i) {
            ASSERT_FALSE(delUsuario) << "the foreground was taken back from the user";
            ASSERT_EQ(pedidos[i], motor_.UltimaOculta());
            ASSERT_TRUE(escritorio_.Visible(pedidos[i]));
            ++recuperados;
        }
    }

    // The program is ended from outside (killed, or crashed) at any moment:
    // at one of the calls of a pass, or between passes. The watcher then
    // asks every recorded window to show; once the windows' threads have
    // taken every call, nothing the program hid is hidden and each window is
    // in its state, and nothing hidden by its own program was shown.
    void Morir() {
        AntesDePasada();
        estadoAntes_.clear();
        for (Handle h : escritorio_.OrdenZ()) estadoAntes_[h] = escritorio_.Datos(h).showCmd;
        if (Moneda(80)) {
            muerte_ = Azar(0, 40);
            try {
                escritorio_.Presionar(motor_.Tecla());  // its hot key may run the pass
                Tick();
            } catch (const FinDelPrograma&) {
            }
            muerte_.reset();
        }
        RegistrarOcultadas(true);
        terminado = true;
        resguardo_.Recuperar(escritorio_, audio_);
        Despertar();
        ComprobarRestaurado();
        DejarPasarYRecuperar();
        ++muertes;
    }

    // WM_QUERYENDSESSION and the end that follows: nothing is waited for,
    // the program ends, its watcher shows what the record still holds.
    void FinDeSesion() {
        const int esperas = anfitrion_.esperas;
        const std::int64_t reloj = anfitrion_.reloj;
        const int consultas = audio_.consultas;
        motor_.DevolverSinEsperar();
        EXPECT_EQ(anfitrion_.esperas, esperas) << "the end of the session waited";
        EXPECT_EQ(anfitrion_.reloj, reloj);
        EXPECT_FALSE(motor_.Oculto());
        EXPECT_EQ(audio_.consultas, consultas) << "the end of the session looked for sessions";
        resguardo_.Recuperar(escritorio_, audio_);
    }

    // What refused to come back is still in the record: once the system
    // lets it through, the watcher brings it back in its state.
    void DejarPasarYRecuperar() {
        if (ocultadas_.empty() || ::testing::Test::HasFatalFailure()) return;
        dejarPasar_ = true;
        for (Handle h : escritorio_.OrdenZ()) escritorio_.Rechazar(h, false, false);
        resguardo_.Recuperar(escritorio_);
        Despertar();
        ComprobarRestaurado();
        ASSERT_TRUE(ocultadas_.empty());
    }

    // Every blocked thread wakes and every call lands.
    void Despertar() {
        for (Handle h : bloqueadas_) escritorio_.Desbloquear(h);
        bloqueadas_.clear();
        escritorio_.EntregarTodo();
        ComprobarAterrizadas();
    }

    // Windows brought back whose calls were still in flight: those that have
    // landed since, before anything else can touch them.
    void ComprobarAterrizadas() {
        for (auto it = porComprobar_.begin(); it != porComprobar_.end();) {
            const Handle h = it->first;
            if (escritorio_.Existe(h) && escritorio_.EnVuelo(h)) {
                ++it;
                continue;
            }
            const Esperado esperado = it->second;
            it = porComprobar_.erase(it);
            if (escritorio_.Existe(h) && !ocultadas_.count(h)) ComprobarVuelta(h, esperado);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }

    // After a restore whose calls all landed: the windows it showed lie each
    // above the one before it in the record, as a restore that showed them
    // one at a time leaves them where showing raises a window; all but the
    // one brought to the front, which may come before cloaked ones.
    void ComprobarApilado(const std::set<Handle>& vuelven) {
        if (!escritorio_.mostrarLlevaAlFrente) return;
        std::unordered_map<Handle, std::size_t> altura;
        std::size_t n = 0;
        for (Handle h : escritorio_.OrdenZ()) altura[h] = n++;
        std::vector<Handle> mostradas;
        for (const Ventana& v : motor_.VentanasGuardadas()) {
            if (!vuelven.count(v.hWnd) || !escritorio_.Existe(v.hWnd) || escritorio_.EnVuelo(v.hWnd)) continue;
            if (!escritorio_.Visible(v.hWnd) || v.hWnd == motor_.UltimaOculta()) continue;
            mostradas.push_back(v.hWnd);
        }
        for (std::size_t i = 1; i < mostradas.size(); ++i) {
            ASSERT_LT(altura[mostradas[i]], altura[mostradas[i - 1]])
                << "window " << mostradas[i] << " came back below " << mostradas[i - 1];
        }
    }

    void MantenerPulsada() {
        AntesDePasada();
        escritorio_.Presionar(motor_.Tecla());
        for (int tick = Azar(2, 5); tick > 0; --tick) Tick();
        escritorio_.Soltar(motor_.Tecla());
        Tick();
        DespuesDePasada();
    }

    // A press during which something else reaches the panel: another press,
    // a refresh, the program being closed, or the session ending.
    void PulsarConInterrupcion() {
        const int que = Azar(0, 3);
        bool cerrar = false;
        auto interrumpir = [&] {
            if (que == 0) {
                escritorio_.Presionar(motor_.Tecla());
                Tick();
                escritorio_.Soltar(motor_.Tecla());
            } else if (que == 1) {
                motor_.ActualizarLista();
            } else if (que == 2) {
                cerrar = true;
                motor_.RestaurarAntesDeCerrar();
                throw FinDelPrograma{};  // the program ends at once
            } else {
                cerrar = true;
                FinDeSesion();
                throw FinDelPrograma{};
            }
        };
        bool hecho = false;
        auto unaVez = [&](Handle, std::int32_t) {
            if (!hecho && Moneda(30)) {
                hecho = true;
                interrumpir();
            }
        };
        if (Moneda(50))
            escritorio_.antesDeMostrar = unaVez;
        else
            escritorio_.despuesDeMostrar = unaVez;
        anfitrion_.cola.push_back([&] {
            if (!hecho) {
                hecho = true;
                interrumpir();
            }
        });

        const bool estabaOculto = motor_.Oculto();
        AntesDePasada();
        estadoAntes_.clear();
        for (Handle h : escritorio_.OrdenZ()) estadoAntes_[h] = escritorio_.Datos(h).showCmd;
        try {
            escritorio_.Presionar(motor_.Tecla());  // its hot key may run the pass
            Tick();
        } catch (const FinDelPrograma&) {
        }
        escritorio_.Soltar(motor_.Tecla());
        escritorio_.antesDeMostrar = nullptr;
        escritorio_.despuesDeMostrar = nullptr;
        anfitrion_.cola.clear();
        if (que == 1 && hecho) Refrescar();

        if (cerrar) {
            // The program ends here: everything it hid must be back, once
            // the calls the end of the session did not wait for have landed.
            RegistrarOcultadas(true);
            terminado = true;
            if (que == 3) Despertar();
            ComprobarRestaurado();
            Despertar();
            DejarPasarYRecuperar();
            return;
        }
        if (!estabaOculto && motor_.Oculto()) RegistrarOcultadas(false);
        // A press swallowed during the pass is seen by the next tick.
        const bool ocultoAntes = motor_.Oculto();
        escritorio_.OlvidarLlamadas();
        Tick();
        if (!motor_.Oculto()) {
            ComprobarRestaurado();
        } else if (!ocultoAntes) {
            RegistrarOcultadas(false);
        }
    }

    // The windows the program hid since the calls were last forgotten, with
    // the state each must come back in. With todas, also those already shown
    // again (their state as it was before the press).
    void RegistrarOcultadas(bool todas) {
        for (const auto& [h, estado] : escritorio_.Llamadas()) {
            if (estado != kSwHide || !escritorio_.Existe(h)) continue;
            if (todas) {
                auto antes = estadoAntes_.find(h);
                ocultadas_[h] = {antes != estadoAntes_.end() ? antes->second : escritorio_.Datos(h).showCmd,
                                 escritorio_.Datos(h).acomodada};
            } else if (!escritorio_.EsVisible(h)) {
                ocultadas_[h] = {escritorio_.Datos(h).showCmd, escritorio_.Datos(h).acomodada};
            }
        }
    }

    void ComprobarOcultacion() {
        std::set<Handle> ocultas;
        for (const auto& [h, estado] : escritorio_.Llamadas()) {
            ASSERT_EQ(estado, kSwHide) << "a hide pass only hides";
            ocultas.insert(h);
        }
        std::set<Handle> pedidas = ocultas;
        for (const auto& [h, estado] : escritorio_.Rechazos()) {
            ASSERT_EQ(estado, kSwHide) << "a hide pass only hides";
            pedidas.insert(h);
            // Refused: on screen, and never counted as hidden.
            ASSERT_TRUE(escritorio_.EsVisible(h));
            ASSERT_NE(motor_.UltimaOculta(), h) << "window " << h << " refused to hide but is the last one hidden";
            ASSERT_TRUE(!resguardo_.Contiene(h) || escritorio_.EnVuelo(h))
                << "window " << h << " refused to hide but is in the record";
        }
        ASSERT_EQ(pedidas, esperadas_) << "hidden windows differ from what the rules select";
        if (listaVacia_) {
            ASSERT_TRUE(pedidas.empty());
            return;
        }
        ASSERT_FALSE(escritorio_.EsVisible(anfitrion_.panel));
        ASSERT_EQ(motor_.Oculto(), !ocultas.empty());
        // The one to bring forward: the last hidden that was not cloaked
        // (hides are asked front to back), or none.
        Handle ultima = -1;
        for (const auto& [h, estado] : escritorio_.Llamadas()) {
            if (!encubiertaAlOcultar_[h]) ultima = h;
            else ++encubiertasOcultas;
        }
        ASSERT_EQ(motor_.UltimaOculta(), ultima);
        if (ultima == -1 && !ocultas.empty()) ++soloEncubiertas;
        RegistrarOcultadas(false);
    }

    // A window brought back: on screen (or about to be), and once its calls
    // have landed, in its state and as arranged as it was.
    void ComprobarVuelta(Handle h, const Esperado& esperado) {
        ASSERT_TRUE(escritorio_.EsVisible(h)) << "window " << h << " was not brought back";
        if (escritorio_.EnVuelo(h)) {
            porComprobar_[h] = esperado;
            return;
        }
        ASSERT_EQ(escritorio_.Datos(h).showCmd, esperado.estado) << "window " << h << " came back in another state";
        ASSERT_EQ(escritorio_.Datos(h).acomodada, esperado.acomodada)
            << "window " << h << " came back no longer arranged";
    }

    void ComprobarRestaurado() {
        for (auto it = ocultadas_.begin(); it != ocultadas_.end();) {
            const Handle h = it->first;
            if (escritorio_.Existe(h) && !escritorio_.EsVisible(h) && mostrarRechazado_.count(h)) {
                // Refused to come back: not lost while the record holds it.
                ASSERT_TRUE(resguardo_.Contiene(h)) << "window " << h << " refused to come back and left the record";
                ++retenidas;
                ++it;
                continue;
            }
            if (escritorio_.Existe(h)) ComprobarVuelta(h, it->second);
            if (::testing::Test::HasFatalFailure()) return;
            it = ocultadas_.erase(it);
        }
        for (Handle h : suyas_) {
            if (escritorio_.Existe(h)) {
                ASSERT_FALSE(escritorio_.EsVisible(h)) << "window " << h << ", hidden by its own program, was shown";
            }
        }
        suyas_.clear();
        // After an abrupt end the engine's state no longer matters.
        if (!terminado) {
            ASSERT_FALSE(motor_.Oculto());
        }
    }

    void ComprobarSiempre() {
        ASSERT_TRUE(escritorio_.EsVisible(barra_));
        ASSERT_TRUE(escritorio_.EsVisible(escritorio_.FondoEscritorio()));
        if (otraSuperficie_ != 0) {
            ASSERT_TRUE(escritorio_.EsVisible(otraSuperficie_));
        }
        ASSERT_EQ(anfitrion_.IconoPresente(), !motor_.Oculto()) << "the icon must be there exactly while nothing is concealed";
        ASSERT_FALSE(motor_.EnPasada());
        const auto& alFrente = escritorio_.PedidosAlFrente();
        for (; pedidosVistos_ < alFrente.size(); ++pedidosVistos_) {
            ASSERT_FALSE(encubiertaAlOcultar_[alFrente[pedidosVistos_]])
                << "window " << alFrente[pedidosVistos_] << ", cloaked when hidden, was brought to the front";
        }
        if (!motor_.Oculto()) {
            for (const auto& [h, estado] : ocultadas_) {
                ASSERT_TRUE(mostrarRechazado_.count(h)) << "window " << h << " is still hidden with nothing concealed";
            }
        }
        for (const auto& [h, estado] : ocultadas_) {
            if (escritorio_.Existe(h)) {
                ASSERT_FALSE(escritorio_.EsVisible(h));
                ASSERT_TRUE(resguardo_.Contiene(h)) << "window " << h << " is hidden but not in the record";
            }
        }
    }

    std::mt19937_64 rng_;
    EscritorioFalso escritorio_;
    Handle barra_ = 0;
    Handle otraSuperficie_ = 0;
    AnfitrionFalso anfitrion_{escritorio_};
    ListaMemoria lista_;
    ResguardoFalso resguardo_;
    AudioFalso audio_;
    Motor motor_{escritorio_, anfitrion_, lista_, resguardo_, audio_};
    int sinAnotar_ = 0;
    bool dejarPasar_ = false;  // the program is over: nothing refuses any more
    // Windows whose latest show was refused.
    std::set<Handle> mostrarRechazado_;
    // Whether each window was cloaked when it was last asked to hide.
    std::unordered_map<Handle, bool> encubiertaAlOcultar_;
    std::size_t pedidosVistos_ = 0;  // of the foreground requests, those checked
    std::optional<int> muerte_;  // calls left before the program dies

    std::vector<Handle> listadas_;
    // Hidden by the program, with the state to come back in.
    std::map<Handle, Esperado> ocultadas_;
    // Brought back with calls still in flight: checked once they land.
    std::map<Handle, Esperado> porComprobar_;
    // Hidden by their own program while windows were concealed.
    std::set<Handle> suyas_;
    std::set<Handle> bloqueadas_;
    std::set<Handle> esperadas_;
    std::unordered_map<Handle, std::int32_t> estadoAntes_;
    bool ibaAOcultar_ = false;
    bool listaVacia_ = false;

    std::uint32_t siguienteProceso_ = 100;
    // At the start of the step: concealed or not, what was on screen, and
    // what the step asked to hide; whether its pass failed midway.
    bool ocultoAntes_ = false;
    bool falloPasada_ = false;
    std::vector<Handle> visiblesAntes_;
    std::set<Handle> ocultadasPaso_;
    // The program each running process is to the user, fixed when it
    // starts; the helpers among them; and the programs the current
    // concealment hid whole.
    std::map<std::uint32_t, std::wstring> programa_;
    std::set<std::uint32_t> ayudantes_;
    std::set<std::wstring> callados_;
    // Ticks so far, and the count when each session opened.
    int ticks_ = 0;
    std::map<std::wstring, int> abiertaEn_;
    // Sessions the user muted.
    std::set<std::wstring> delUsuario_;
};

TEST(Modelo, NuncaSePierdeNingunaVentana) {
    const std::uint64_t primera = Entorno("TESK_SEMILLA", 20261208);
    const std::uint64_t secuencias = Entorno("TESK_SECUENCIAS", 10000);
    std::uint64_t pasos = 0;
    std::uint64_t recuperados = 0;
    std::uint64_t muertes = 0;
    std::uint64_t ocultarRechazado = 0;
    std::uint64_t retenidas = 0;
    std::uint64_t encubiertasOcultas = 0;
    std::uint64_t soloEncubiertas = 0;
    std::uint64_t calladas = 0;
    for (std::uint64_t i = 0; i < secuencias; ++i) {
        const std::uint64_t semilla = primera + i;
        SCOPED_TRACE("replay with TESK_SEMILLA=" + std::to_string(semilla) + " TESK_SECUENCIAS=1");
        Secuencia secuencia(semilla);
        if (::testing::Test::HasFatalFailure()) return;
        const int largo = 4 + static_cast<int>(semilla % 17);
        for (int p = 0; p < largo && !secuencia.terminado; ++p, ++pasos) {
            secuencia.Paso();
            if (::testing::Test::HasFatalFailure()) return;
        }
        recuperados += secuencia.recuperados;
        muertes += secuencia.muertes;
        ocultarRechazado += secuencia.ocultarRechazado;
        retenidas += secuencia.retenidas;
        encubiertasOcultas += secuencia.encubiertasOcultas;
        soloEncubiertas += secuencia.soloEncubiertas;
        calladas += secuencia.calladas;
        if (!secuencia.terminado) secuencia.Cerrar();
        if (::testing::Test::HasFatalFailure()) return;
    }
    std::printf(
        "model: %llu sequences, %llu steps, no window lost, the foreground taken back %llu times, "
        "the program killed %llu times, hides refused %llu times, windows kept after a refused show %llu times, cloaked windows hidden %llu times, "
        "passes that hid only cloaked ones %llu, sessions found muted by it %llu times\n",
        static_cast<unsigned long long>(secuencias), static_cast<unsigned long long>(pasos),
        static_cast<unsigned long long>(recuperados), static_cast<unsigned long long>(muertes),
        static_cast<unsigned long long>(ocultarRechazado), static_cast<unsigned long long>(retenidas),
        static_cast<unsigned long long>(encubiertasOcultas), static_cast<unsigned long long>(soloEncubiertas),
        static_cast<unsigned long long>(calladas));
    // The watch, the refusals, the cloaked windows and the sound had their
    // chances: otherwise the checks above prove nothing.
    EXPECT_GT(recuperados, 0u);
    EXPECT_GT(muertes, 0u);
    EXPECT_GT(ocultarRechazado, 0u);
    EXPECT_GT(retenidas, 0u);
    EXPECT_GT(encubiertasOcultas, 0u);
    EXPECT_GT(soloEncubiertas, 0u);
    EXPECT_GT(calladas, 0u);
}

}  // namespace
}  // namespace tesk::prueba
