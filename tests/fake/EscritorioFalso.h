// A stand-in desktop that behaves, for what Tesk relies on, like the window
// manager: a Z order walked front to back, the visible style, titles returned
// as the platform returns them, the placement's show command and how
// ShowWindow changes it, the foreground window, the shell's own windows,
// windows that close at any moment, windows of elevated programs that refuse
// to be shown or hidden, cloaked windows, the key state with its two bits,
// tray icons keyed by window and identifier, layered opacity and the topmost
// band.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "desktop/Escritorio.h"

namespace tesk::prueba {

struct VentanaFalsa {
    std::wstring titulo;  // as the window holds it: NULs, any length
    bool visible = true;
    std::int32_t showCmd = kSwShowNormal;  // normal, minimised or maximised
    std::uint32_t estiloExtendido = 0;
    std::optional<std::uint8_t> alfa;  // set once the window is layered
    // Arranged (snapped) to part of the screen: the placement still says
    // normal; SW_SHOWNORMAL and SW_RESTORE put it back to its own size.
    bool acomodada = false;
    // Of a program at a higher integrity level: the system refuses to hide
    // it, or to show it, for Tesk.
    bool rechazaOcultar = false;
    bool rechazaMostrar = false;
    // Visible but not drawn: on another virtual desktop, a suspended app's
    // frame. Showing and hiding leave it so.
    bool encubierta = false;
};

class EscritorioFalso final : public Escritorio {
public:
    // Windows come in at the front of the Z order, or at the back.
    Handle Abrir(std::wstring titulo, std::int32_t showCmd = kSwShowNormal, bool visible = true);
    Handle AbrirAlFondo(std::wstring titulo, std::int32_t showCmd = kSwShowNormal, bool visible = true);
    void Cerrar(Handle ventana);
    void AlFrenteDelZ(Handle ventana);
    // Sets the whole Z order, front to back (every window, each once).
    void Reordenar(const std::vector<Handle>& frenteAFondo);
    // From now on the window's placement cannot be read.
    void FallarPlacement(Handle ventana) { sinPlacement_.push_back(ventana); }
    // What the user does to a window on screen: placement changes, visibility not.
    void CambiarEstado(Handle ventana, std::int32_t showCmd);
    void CambiarTitulo(Handle ventana, std::wstring titulo);
    // The application itself shows or hides its window.
    void FijarVisible(Handle ventana, bool visible);
    // The window is cloaked, or drawn again (the user switches virtual
    // desktops, a suspended app resumes).
    void Encubrir(Handle ventana, bool encubierta = true) {
        if (Existe(ventana)) ventanas_[ventana].encubierta = encubierta;
    }

    // The shell's taskbar and desktop window, at the front and at the back.
    Handle CrearShell();
    // A further shell surface (a second monitor's taskbar, a wallpaper layer).
    Handle CrearOtraSuperficie(std::wstring titulo);

    bool Existe(Handle ventana) const { return ventanas_.count(ventana) != 0; }
    bool Visible(Handle ventana) const { return Existe(ventana) && ventanas_.at(ventana).visible; }
    // Visible as the calls in flight will leave it: what EsVisible answers.
    bool VisibleSegunLoPedido(Handle ventana) const;
    Handle Fondo() const { return fondo_; }
    const VentanaFalsa& Datos(Handle ventana) const { return ventanas_.at(ventana); }
    std::vector<Handle> OrdenZ() const { return {orden_.begin(), orden_.end()}; }
    Handle Frente() const { return frente_; }
    std::size_t Cantidad() const { return ventanas_.size(); }

    // The foreground taken without the user: by another program, or by the
    // display reporting an old focus late (0: no window at all).
    void TomarFrente(Handle ventana) { frente_ = ventana; }
    // The user does something: a key, the mouse (what GetLastInputInfo sees).
    void EntradaDelUsuario() { ++entrada_; }
    // The system refuses SetForegroundWindow, as the foreground lock does.
    bool negarFrente = false;
    // Windows' foreground lock: with it, the foreground moves from another
    // window only for a program that received the last input (its hot key).
    bool bloqueoFrente = false;
    // Every SetForegroundWindow asked for.
    const std::vector<Handle>& PedidosAlFrente() const { return pedidosAlFrente_; }

    // Keyboard: a press sets both bits; a release clears the down bit only;
    // both are the user's input.
    void Presionar(std::int32_t codigo);
    void Soltar(std::int32_t codigo);

    // Notification-area icons by (window, identifier).
    const std::map<std::pair<Handle, std::uint32_t>, IconoBandeja>& Iconos() const { return iconos_; }
    // A shell busy at sign-in: refuses that many adds to come.
    int iconosNegados = 0;

    // System hot keys: none is granted unless the test allows them; a key
    // another program holds is refused. A press of the registered key (not
    // of a key already down: MOD_NOREPEAT) is handed to alTeclaRegistrada,
    // which stands for the WM_HOTKEY the system posts; the key's state is
    // kept as for any other key.
    bool teclasRegistrables = false;
    std::set<std::int32_t> teclasAjenas;
    std::optional<std::int32_t> TeclaRegistrada() const { return teclaRegistrada_; }
    std::function<void()> alTeclaRegistrada;
    bool Encima(Handle ventana) const { return (Datos(ventana).estiloExtendido & kWsExTopmost) != 0; }

    // Every show or hide the system took, in order, and every raise; every
    // show or hide it refused.
    const std::vector<std::pair<Handle, std::int32_t>>& Llamadas() const { return llamadas_; }
    const std::vector<Handle>& Subidas() const { return subidas_; }
    const std::vector<std::pair<Handle, std::int32_t>>& Rechazos() const { return rechazos_; }
    void OlvidarLlamadas() {
        llamadas_.clear();
        subidas_.clear();
        rechazos_.clear();
        activadas_.clear();
    }
    // The windows a show activated as it landed (SW_SHOWNORMAL, SW_SHOW and
    // the other commands that activate), since the calls were last forgotten.
    const std::vector<Handle>& ActivadasAlMostrar() const { return activadas_; }
    // From now on the system refuses (or takes again) the window's hides and
    // its shows: it belongs to an elevated program, or no longer does.
    void Rechazar(Handle ventana, bool ocultar, bool mostrar) {
        if (!Existe(ventana)) return;
        ventanas_[ventana].rechazaOcultar = ocultar;
        ventanas_[ventana].rechazaMostrar = mostrar;
    }
    // The user arranges a window to half the screen.
    void Acomodar(Handle ventana) {
        if (Existe(ventana)) ventanas_[ventana].acomodada = true;
    }

    // Calls land at once unless they are held: all of them (diferir), or
    // those of a window whose thread is blocked. Held calls land when
    // delivered: Entregar takes them one at a time, elegir(n) picking which
    // window's next call lands among the n - 1 that have one (n - 1 for
    // none yet); each window's calls land in the order they were made.
    bool diferir = false;
    void Bloquear(Handle ventana);
    void Desbloquear(Handle ventana);
    void Entregar(const std::function<std::size_t(std::size_t)>& elegir);
    void EntregarTodo();
    // Showing a hidden window brings it to the front of the Z order, as Wine
    // does.
    bool mostrarLlevaAlFrente = false;
    // Run each time a window's visibility is asked: a test makes it throw to
    // see a pass fail midway.
    std::function<void()> antesDeConsultar;

    // Run as each show or hide is asked for, before anything of it happens
    // (before the system takes or refuses it).
    std::function<void(Handle, std::int32_t)> alPedir;
    // Run inside each show or hide asked for, before and after it lands:
    // what reaches the program while the call is on its way. Calls made
    // meanwhile to the same window land after it.
    std::function<void(Handle, std::int32_t)> antesDeMostrar;
    std::function<void(Handle, std::int32_t)> despuesDeMostrar;
    // Hiding a window brings it to the front of the Z order, as Wine does.
    bool ocultarLlevaAlFrente = false;
    // The process each window belongs to (none: 0).
    std::unordered_map<Handle, std::uint32_t> procesos;
    // Run when the walk asks for the window after this one.
    std::function<void(Handle)> alPedirSiguiente;

    // Escritorio
    Handle BarraTareas() override { return barra_; }
    Handle FondoEscritorio() override { return fondo_; }
    std::vector<Handle> OtrasSuperficiesShell() override;
    Handle PrimeraVentana(Handle desde) override;
    Handle SiguienteVentana(Handle ventana) override;
    bool EsVisible(Handle ventana) override;
    bool Encubierta(Handle ventana) override { return Existe(ventana) && ventanas_.at(ventana).encubierta; }
    std::uint32_t ProcesoDe(Handle ventana) override {
        auto it = procesos.find(ventana);
        return Existe(ventana) && it != procesos.end() ? it->second : 0;
    }
    std::wstring Titulo(Handle ventana) override;
    std::int32_t EstadoMostrar(Handle ventana) override;
    bool Mostrar(Handle ventana, std::int32_t estado) override;
    void Subir(Handle ventana) override;
    bool EnVuelo(Handle ventana) override;
    bool TraerAlFrente(Handle ventana) override;
    Handle VentanaAlFrente() override { return frente_; }
    std::uint32_t UltimaEntrada() override { return entrada_; }
    std::uint16_t EstadoTecla(std::int32_t codigo) override;
    bool RegistrarTecla(Handle ventana, std::int32_t codigo) override;
    void LiberarTecla(Handle ventana) override;
    std::uint32_t EstiloExtendido(Handle ventana) override;
    void FijarEstiloExtendido(Handle ventana, std::uint32_t estilo) override;
    void FijarOpacidad(Handle ventana, std::uint8_t alfa) override;
    void FijarSiempreEncima(Handle ventana) override;
    bool AgregarIcono(const IconoBandeja& icono) override;
    bool ModificarIcono(const IconoBandeja& icono) override;
    bool QuitarIcono(const IconoBandeja& icono) override;

private:
    Handle Nuevo(std::wstring titulo, std::int32_t showCmd, bool visible, bool alFrente);
    static constexpr std::int32_t kSubirFalso = -1;  // a raise, queued like a show
    void Pedir(Handle ventana, std::int32_t pedido);
    void Aterrizar(Handle ventana);
    void Aplicar(Handle ventana, std::int32_t estado);

    Handle siguiente_ = 0x10010;
    std::unordered_map<Handle, VentanaFalsa> ventanas_;
    std::list<Handle> orden_;  // front to back
    std::unordered_map<Handle, std::list<Handle>::iterator> posicion_;
    Handle barra_ = 0;
    Handle fondo_ = 0;
    std::vector<Handle> otras_;
    Handle frente_ = 0;
    std::uint32_t entrada_ = 0;
    std::vector<Handle> pedidosAlFrente_;
    struct EstadoTeclaFalsa {
        bool abajo = false;
        bool pulsada = false;
    };
    std::unordered_map<std::int32_t, EstadoTeclaFalsa> teclas_;
    std::optional<std::int32_t> teclaRegistrada_;
    std::uint32_t entradaPropia_ = static_cast<std::uint32_t>(-1);  // the last input delivered to the program
    std::map<std::pair<Handle, std::uint32_t>, IconoBandeja> iconos_;
    std::vector<std::pair<Handle, std::int32_t>> llamadas_;
    std::vector<std::pair<Handle, std::int32_t>> rechazos_;
    std::vector<Handle> sinPlacement_;
    std::vector<Handle> subidas_;
    std::vector<Handle> activadas_;
    // Windows with calls that have not landed yet, in the order they land.
    std::unordered_map<Handle, std::vector<std::int32_t>> enVuelo_;
    std::set<Handle> bloqueadas_;
};

}  // namespace tesk::prueba
