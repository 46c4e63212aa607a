#include "engine/Motor.h"

#include <exception>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/Recorrido.h"
#include "engine/Titulo.h"

namespace tesk {

namespace {

// How long a pass waits for its calls to land before it lets them land on
// their own.
constexpr std::int64_t kEsperaAterrizajeMs = 2000;

// The command that shows a recorded window again, without activating it:
// only the window the restore brings forward is activated, by the
// foreground call, so the focus does not hop across every window as each
// program takes its call. A window hidden with SW_HIDE keeps its minimised
// or maximised style, so showing it as it is (SW_SHOWNA) brings it back
// normal, snapped or maximised; SW_SHOWNORMAL would undo a window arranged
// (snapped) to half the screen, whose placement also says normal, and
// Windows has no maximise that does not activate. A minimised window is
// shown minimised without activation. A window recorded with no show state
// (its placement could not be read) is still brought back: showing it with
// "hide" would lose it.
std::int32_t EstadoAlMostrar(std::int32_t estado) {
    return estado == kSwShowMinimized || estado == kSwMinimize || estado == kSwShowMinNoActive ? kSwShowMinNoActive
                                                                                                 : kSwShowNa;
}

}  // namespace

Resguardo& Motor::NingunResguardo() {
    static SinResguardo ninguno;
    return ninguno;
}

Audio& Motor::NingunAudio() {
    static SinAudio ninguno;
    return ninguno;
}

Motor::Motor(Escritorio& escritorio, Anfitrion& anfitrion, Lista& lista, Resguardo& resguardo, Audio& audio)
    : escritorio_(escritorio),
      anfitrion_(anfitrion),
      lista_(lista),
      resguardo_(resguardo),
      silencio_(audio, resguardo),
      guardia_(escritorio, anfitrion) {
    EmpezarAVigilarTecla();
}

void Motor::EmpezarAVigilarTecla() {
    // A press made before the key was watched (minutes ago, or meant for
    // another program) is no press for us: read the key once, keeping only
    // whether it is down now.
    detector_.Reiniciar();
    detector_.NuevaPulsacion(escritorio_.EstadoTecla(tecla_) & kTeclaAbajo);
}

void Motor::ActualizarLista() {
    const Handle propia = anfitrion_.VentanaPropia();
    const Shell shell = BuscarShell(escritorio_);
    const std::vector<Handle> orden = OrdenZ(escritorio_, propia);

    ventanasLista_ = VentanasVacias();
    indiceLista_.clear();
    lista_.Limpiar();

    try {
        for (Handle h : orden) {
            if (!escritorio_.EsVisible(h) || h == propia || shell.Contiene(h) || escritorio_.Encubierta(h)) continue;
            std::wstring titulo = LeerTitulo(escritorio_, h);
            const std::int32_t estado = escritorio_.EstadoMostrar(h);
            if (titulo.empty()) continue;
            ventanasLista_.push_back({h, estado, titulo});
            indiceLista_.emplace(h, ventanasLista_.size() - 1);
            lista_.Agregar(titulo);
        }
    } catch (const std::exception&) {
        // A refresh that fails leaves an empty list rather than entries and
        // records that no longer match.
        ventanasLista_ = VentanasVacias();
        indiceLista_.clear();
        lista_.Limpiar();
    }
}

bool Motor::DebeOcultarse(Handle ventana, bool objetivo) const {
    const auto [desde, hasta] = indiceLista_.equal_range(ventana);
    if (desde == hasta) return true;  // not in the list: hidden in either mode
    for (auto it = desde; it != hasta; ++it) {
        // Entry k of the list belongs to record k + 1.
        if (lista_.Marcada(static_cast<int>(it->second) - 1) == objetivo) return true;
    }
    return false;
}

void Motor::Ocultar(Handle ventana, bool encubierta) {
    // Written down before it is asked, with the command that brings it back
    // (its record was appended just before): however the program ends from
    // here on, the window comes back. One that cannot be written down is
    // left on screen.
    if (!resguardo_.Anotar(ventana, EstadoAlMostrar(ventanasGuardadas_.back().Estado))) return;
    const std::size_t registro = ventanasGuardadas_.size() - 1;
    // Marked before it is asked: whatever runs from here on (a close) knows
    // the window is the program's to bring back.
    ocultadas_[registro] = true;
    pedidas_.push_back(ventana);
    if (!escritorio_.Mostrar(ventana, kSwHide)) {
        // Refused (an elevated program's window), with nothing run meanwhile:
        // it stays on screen, so it is not ours to bring back or to wait for,
        // and its entry goes, unless a show of its is still on its way.
        ocultadas_[registro] = false;
        pedidas_.pop_back();
        if (!porConfirmar_.count(ventana)) resguardo_.Quitar(ventana);
        return;
    }
    if (abortar_) return;  // the pass was undone meanwhile
    porConfirmar_.erase(ventana);  // hidden again before an earlier show landed: its entry stays
    if (!encubierta) ultimaOculta_ = ventana;
    oculto_ = true;
}

void Motor::OcultarVentanas() {
    // A second hide pass while windows are concealed would drop the records
    // needed to bring them back.
    if (pasada_ != Pasada::ninguna || oculto_) return;
    const int entradas = lista_.Cantidad();
    if (entradas == 0 || lista_.CantidadMarcadas() == entradas) return;

    pasada_ = Pasada::ocultando;
    abortar_ = false;
    recorrida_ = false;
    guardia_.Terminar();
    try {
        RecorrerOcultacion();
    } catch (const std::exception&) {
        // Out of memory, say: the pass stops here. What it hid is recorded
        // (every record comes before its window is hidden), so the next
        // press brings it back.
    }
    if (abortar_) {
        // Closed while hiding: whatever got hidden after the close looked
        // comes back too.
        cursor_ = 1;
        try {
            RecorrerRestauracion();
        } catch (const std::exception&) {
        }
        abortar_ = false;
        oculto_ = false;
    }
    pasada_ = Pasada::ninguna;
    // A pass that hid nothing leaves the program reachable through its icon.
    if (!oculto_) anfitrion_.RestaurarIconoBandeja();
    if (oculto_ && recorrida_) Silenciar();
}

void Motor::Silenciar() {
    std::vector<Silencio::VentanaVista> vistas;
    try {
        vistas.reserve(ventanasGuardadas_.size());
        const Handle propia = anfitrion_.VentanaPropia();
        for (std::size_t i = 1; i < ventanasGuardadas_.size() && i < ocultadas_.size(); ++i) {
            const Handle h = ventanasGuardadas_[i].hWnd;
            if (h == propia) continue;
            vistas.push_back({escritorio_.ProcesoDe(h), static_cast<bool>(ocultadas_[i])});
        }
    } catch (const std::exception&) {
        return;  // the windows stay concealed, the sound as it is
    }
    silencio_.AlOcultar(vistas);
}

void Motor::DevolverSonido() {
    if (silencio_.Activo()) silencio_.Devolver();
}

void Motor::RecorrerOcultacion() {
    resguardo_.Preparar();
    escritorio_.Asentar();
    ventanasGuardadas_ = VentanasVacias();
    ocultadas_.assign(1, false);
    pedidas_.clear();
    const bool objetivo = modo_ != kModoOcultar;

    anfitrion_.OcultarPanel();
    anfitrion_.QuitarIconoBandeja();

    const Handle propia = anfitrion_.VentanaPropia();
    const Shell shell = BuscarShell(escritorio_);
    const std::vector<Handle> orden = OrdenZ(escritorio_, propia);
    ultimaOculta_ = -1;

    for (Handle h : orden) {
        if (abortar_) return;
        if (!escritorio_.EsVisible(h)) continue;
        // One that refused to come back, shown since by its own program: back.
        if (!rechazadas_.empty() && rechazadas_.erase(h) != 0) resguardo_.Quitar(h);
        GuardarVentana(h);
        if (h == propia || shell.Contiene(h)) continue;
        // A cloaked window is never listed, so it is hidden as the windows
        // not in the list are: one of another virtual desktop must not be
        // there when the user switches to it. Nobody sees it, so it is not
        // the one brought to the front.
        if (DebeOcultarse(h, objetivo)) Ocultar(h, escritorio_.Encubierta(h));
    }
    recorrida_ = !abortar_;
    EsperarAterrizaje(pedidas_);
}

void Motor::GuardarVentana(Handle ventana) {
    ventanasGuardadas_.push_back({ventana, 0, {}});
    ocultadas_.push_back(false);
    try {
        Ventana& registro = ventanasGuardadas_.back();
        registro.Titulo = LeerTitulo(escritorio_, ventana);
        registro.Estado = escritorio_.EstadoMostrar(ventana);
    } catch (...) {
        // A window that cannot be read is still recorded by its handle.
    }
}

bool Motor::EsperarAterrizaje(const std::vector<Handle>& ventanas, bool hastaElFinal) {
    const std::int64_t limite = anfitrion_.Reloj() + kEsperaAterrizajeMs;
    std::size_t aterrizadas = 0;  // calls land in order for each window, not across windows
    for (;;) {
        while (aterrizadas < ventanas.size() && !escritorio_.EnVuelo(ventanas[aterrizadas])) ++aterrizadas;
        if (aterrizadas == ventanas.size()) return true;
        if ((abortar_ && !hastaElFinal) || anfitrion_.Reloj() >= limite) return false;
        anfitrion_.EsperarEventos();
    }
}

void Motor::RecorrerRestauracion() {
    while (cursor_ < ventanasGuardadas_.size()) {
        const std::size_t i = cursor_++;
        if (i >= ocultadas_.size() || !ocultadas_[i]) continue;  // left alone by the hide pass
        const Handle h = ventanasGuardadas_[i].hWnd;
        // Visible as far as the boundary knows: a window whose hide is still
        // in flight counts as hidden, and its show lands after that hide.
        const bool visible = escritorio_.EsVisible(h);
        porConfirmar_.insert(h);  // its entry goes once it is back
        if (visible) continue;
        const std::int32_t mostrarCon = EstadoAlMostrar(ventanasGuardadas_[i].Estado);
        if (!escritorio_.Mostrar(h, mostrarCon)) {
            // Refused, with nothing run meanwhile: it stays written down, for
            // the watcher, and is asked again later.
            porConfirmar_.erase(h);
            rechazadas_[h] = mostrarCon;
            ocultadas_[i] = false;
            continue;
        }
        // Given back: if its program hides it again before a restore that
        // failed midway is tried again, that is its program's doing.
        ocultadas_[i] = false;
        pedidas_.push_back(h);
        if (pasada_ == Pasada::mostrando) anfitrion_.ProcesarEventos();
    }
}

void Motor::PedirOtraVezRechazadas() {
    // Each leaves the list only once it is back or on its way, so that a
    // pass that fails midway forgets none. Walked over a copy: a close that
    // arrives while one is asked asks the rest itself.
    const std::vector<std::pair<Handle, std::int32_t>> rechazadas(rechazadas_.begin(), rechazadas_.end());
    for (const auto& [h, mostrarCon] : rechazadas) {
        if (rechazadas_.count(h) == 0) continue;  // asked meanwhile
        if (!escritorio_.EsVisible(h)) {          // on screen: its own program showed it
            if (!escritorio_.Mostrar(h, mostrarCon)) continue;  // refused again: stays written down
            pedidas_.push_back(h);
        }
        porConfirmar_.insert(h);  // its entry goes once it is back
        rechazadas_.erase(h);
    }
}

void Motor::Apilar() {
    // Those shown again that are on screen now, in record order; a restore
    // that showed them one at a time would have left the last one on top.
    std::vector<Handle> mostradas;
    for (Handle h : pedidas_)
        if (escritorio_.EsVisible(h) && !escritorio_.EnVuelo(h)) mostradas.push_back(h);
    if (mostradas.size() < 2) return;
    // Their calls landed in whatever order the programs took them. The
    // longest run from the first on that already lies each above the one
    // before stays; the rest are raised one at a time, in order.
    std::unordered_map<Handle, std::size_t> altura;  // 0 at the front
    for (Handle h : OrdenZ(escritorio_, anfitrion_.VentanaPropia())) altura.emplace(h, altura.size());
    std::size_t bien = 1;
    while (bien < mostradas.size() && altura.count(mostradas[bien]) && altura.count(mostradas[bien - 1]) &&
           altura[mostradas[bien]] < altura[mostradas[bien - 1]]) {
        ++bien;
    }
    for (std::size_t i = bien; i < mostradas.size(); ++i) {
        escritorio_.Subir(mostradas[i]);
        if (!EsperarAterrizaje({mostradas[i]})) break;  // a window that stopped answering: the rest stay
    }
}

void Motor::TerminarRestauracion() {
    EsperarAterrizaje(pedidas_);
    Apilar();
    ConfirmarVueltas();
    TraerUltimaAlFrente();
    anfitrion_.RestaurarIconoBandeja();
    oculto_ = false;
}

void Motor::TraerUltimaAlFrente() {
    guardia_.Terminar();
    if (ultimaOculta_ == -1 || rechazadas_.count(ultimaOculta_) != 0) return;  // none, or it stayed hidden
    guardia_.Empezar(ultimaOculta_, teclaAbajo_);
}

void Motor::ConfirmarVueltas() {
    for (auto it = porConfirmar_.begin(); it != porConfirmar_.end();) {
        if (escritorio_.EnVuelo(*it)) {
            ++it;
            continue;
        }
        resguardo_.Quitar(*it);
        it = porConfirmar_.erase(it);
    }
}

void Motor::MostrarVentanas() {
    if (pasada_ == Pasada::mostrando) {
        RecorrerRestauracion();  // finish the restore that is running
        return;
    }
    if (pasada_ != Pasada::ninguna || !oculto_) return;
    if (ventanasGuardadas_.size() <= 1) return;

    pasada_ = Pasada::mostrando;
    try {
        escritorio_.Asentar();
        cursor_ = 1;
        pedidas_.clear();
        PedirOtraVezRechazadas();
        RecorrerRestauracion();
        TerminarRestauracion();
    } catch (const std::exception&) {
        // The pass stops here; the windows not yet shown stay recorded, and
        // the next press shows them.
    }
    pasada_ = Pasada::ninguna;
    if (!oculto_) DevolverSonido();
}

void Motor::DevolverEnPasada() {
    if (pasada_ == Pasada::mostrando) {
        RecorrerRestauracion();  // the running restore goes on after this
        return;
    }
    abortar_ = true;
    cursor_ = 1;
    RecorrerRestauracion();
    oculto_ = false;
}

void Motor::RestaurarAntesDeCerrar() {
    if (pasada_ == Pasada::ninguna)
        MostrarVentanas();
    else
        DevolverEnPasada();
    PedirOtraVezRechazadas();
    // The program ends next: its calls are given their time to land first,
    // so that every window is back, or on its way, before it goes. What has
    // not landed stays in the record, for the watcher to show again.
    EsperarAterrizaje(pedidas_, true);
    ConfirmarVueltas();
    DevolverSonido();
}

void Motor::DevolverSinEsperar() {
    const bool estabaOculto = oculto_;
    try {
        if (pasada_ != Pasada::ninguna) {
            DevolverEnPasada();
        } else if (oculto_) {
            guardia_.Terminar();
            cursor_ = 1;
            pedidas_.clear();
            RecorrerRestauracion();
        }
        PedirOtraVezRechazadas();
    } catch (const std::exception&) {
        // What was not asked stays in the record.
    }
    oculto_ = false;
    if (estabaOculto && pasada_ == Pasada::ninguna) anfitrion_.RestaurarIconoBandeja();
    ConfirmarVueltas();
    // Only what the latest look holds, without looking again: the rest
    // stays in the record, for the watcher.
    if (silencio_.Activo()) silencio_.DevolverSinEsperar();
}

void Motor::tmrTempo_Timer() {
    if (pasada_ != Pasada::ninguna) return;
    resguardo_.Vigilar();
    MantenerTeclaRegistrada();
    const std::uint16_t estado = escritorio_.EstadoTecla(tecla_);
    teclaAbajo_ = (estado & kTeclaAbajo) != 0;
    guardia_.Vigilar(teclaAbajo_);
    if (!porConfirmar_.empty()) ConfirmarVueltas();
    // The sessions the concealed programs opened since the last look; and
    // whatever ended the concealment, its sound back.
    if (oculto_)
        silencio_.Vigilar();
    else
        DevolverSonido();
    const bool pulsada = detector_.NuevaPulsacion(estado);
    if (std::exchange(restauracionPedida_, false) && oculto_) {
        MostrarVentanas();
        return;
    }
    if (pulsada) Alternar();
}

void Motor::TeclaRegistradaPulsada() {
    // During a pass the press waits: the key's state keeps it, and the
    // next tick sees it, as it sees a press the key is only read for.
    if (pasada_ != Pasada::ninguna) return;
    // The system says it was pressed; the key's state, read by the same
    // detector as the tick reads it, says whether this press is new or was
    // already counted (by a tick that read the key first, or as a key held
    // that repeats where the system repeats hot keys). A state that does not
    // show the press yet leaves it to the next tick.
    const std::uint16_t estado = escritorio_.EstadoTecla(tecla_);
    teclaAbajo_ = (estado & kTeclaAbajo) != 0;
    if (detector_.NuevaPulsacion(estado)) Alternar();
}

void Motor::Alternar() {
    if (oculto_)
        MostrarVentanas();
    else
        OcultarVentanas();
}

void Motor::MantenerTeclaRegistrada() {
    if (teclaRegistrada_ || !SeRegistra(tecla_) || ++ticksSinRegistrar_ < kTicksEntreRegistros) return;
    ticksSinRegistrar_ = 0;
    teclaRegistrada_ = escritorio_.RegistrarTecla(anfitrion_.VentanaPropia(), tecla_);
}

void Motor::PedirRestauracion() {
    if (oculto_ || pasada_ == Pasada::ocultando) restauracionPedida_ = true;
}

std::optional<std::wstring> Motor::AvanzarTecla(std::wstring_view nombreActual) {
    auto siguiente = SiguienteTecla(nombreActual);
    if (!siguiente) return std::nullopt;
    tecla_ = siguiente->codigo;
    EmpezarAVigilarTecla();
    // The registration moves to the new key: the old one goes back to the
    // programs, and the new one is taken now, or on a later tick.
    if (teclaRegistrada_) escritorio_.LiberarTecla(anfitrion_.VentanaPropia());
    teclaRegistrada_ = false;
    ticksSinRegistrar_ = kTicksEntreRegistros;
    MantenerTeclaRegistrada();
    return std::move(siguiente->nombre);
}

const std::wstring& Motor::CambiarModo() {
    modo_ = modo_ != kModoOcultar ? kModoOcultar : kModoMostrar;
    return modo_;
}

}  // namespace tesk
