#include "engine/Motor.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "engine/Titulo.h"

namespace tesk {

namespace {

// A window recorded with no show state (its placement could not be read) is
// still brought back: showing it with "hide" would lose it.
std::int32_t EstadoAlMostrar(std::int32_t estado) { return estado == kSwHide ? kSwShow : estado; }

// The top-level windows front to back, taken before any of them is touched:
// hiding a window can move it, or another one, in the Z order, and a walk
// that followed the live order would then miss windows or meet them again.
// A window met a second time while taking the list (the order changed under
// the walk) is passed over; the step limit ends any walk the platform might
// send round in a circle.
std::vector<Handle> OrdenZ(Escritorio& escritorio, Handle desde) {
    constexpr std::size_t kPasosPorVentana = 4;
    constexpr std::size_t kPasosMinimos = 4096;
    std::vector<Handle> orden;
    std::unordered_set<Handle> vistas;
    std::size_t pasos = 0;
    for (Handle h = escritorio.PrimeraVentana(desde); h != 0; h = escritorio.SiguienteVentana(h)) {
        if (vistas.insert(h).second) orden.push_back(h);
        if (++pasos > kPasosMinimos + kPasosPorVentana * orden.size()) break;
    }
    return orden;
}

}  // namespace

Motor::Motor(Escritorio& escritorio, Anfitrion& anfitrion, Lista& lista)
    : escritorio_(escritorio), anfitrion_(anfitrion), lista_(lista) {
    EmpezarAVigilarTecla();
}

void Motor::EmpezarAVigilarTecla() {
    // A press made before the key was watched (minutes ago, or meant for
    // another program) is no press for us: read the key once, keeping only
    // whether it is down now.
    detector_.Reiniciar();
    detector_.NuevaPulsacion(escritorio_.EstadoTecla(tecla_) & kTeclaAbajo);
}

bool Motor::Shell::Contiene(Handle ventana) const {
    if (ventana == barra || ventana == fondo) return true;
    return std::find(otras.begin(), otras.end(), ventana) != otras.end();
}

Motor::Shell Motor::BuscarShell() {
    return Shell{escritorio_.BarraTareas(), escritorio_.FondoEscritorio(), escritorio_.OtrasSuperficiesShell()};
}

void Motor::ActualizarLista() {
    const Handle propia = anfitrion_.VentanaPropia();
    const Shell shell = BuscarShell();
    const std::vector<Handle> orden = OrdenZ(escritorio_, propia);

    ventanasLista_ = VentanasVacias();
    indiceLista_.clear();
    lista_.Limpiar();

    for (Handle h : orden) {
        if (!escritorio_.EsVisible(h) || h == propia || shell.Contiene(h)) continue;
        std::wstring titulo = LeerTitulo(escritorio_, h);
        const std::int32_t estado = escritorio_.EstadoMostrar(h);
        if (titulo.empty()) continue;
        lista_.Agregar(titulo);
        indiceLista_.emplace(h, ventanasLista_.size());
        ventanasLista_.push_back({h, estado, std::move(titulo)});
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

void Motor::Ocultar(Handle ventana) {
    enCurso_ = ventana;
    escritorio_.Mostrar(ventana, kSwHide);
    enCurso_ = 0;
    if (abortar_) return;  // the pass was undone while the call waited
    ultimaOculta_ = ventana;
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
    ventanasGuardadas_ = VentanasVacias();
    const bool objetivo = modo_ != kModoOcultar;

    anfitrion_.OcultarPanel();
    anfitrion_.QuitarIconoBandeja();

    const Handle propia = anfitrion_.VentanaPropia();
    const Shell shell = BuscarShell();
    const std::vector<Handle> orden = OrdenZ(escritorio_, propia);
    ultimaOculta_ = -1;

    for (Handle h : orden) {
        if (abortar_) break;
        if (!escritorio_.EsVisible(h)) continue;
        GuardarVentana(h);
        if (h == propia || shell.Contiene(h)) continue;
        if (DebeOcultarse(h, objetivo)) Ocultar(h);
    }

    if (abortar_) {
        // Closed while hiding: whatever got hidden after the close looked
        // comes back too.
        cursor_ = 1;
        RecorrerRestauracion();
        abortar_ = false;
        oculto_ = false;
    }
    pasada_ = Pasada::ninguna;
    // A pass that hid nothing leaves the program reachable through its icon.
    if (!oculto_) anfitrion_.RestaurarIconoBandeja();
}

void Motor::GuardarVentana(Handle ventana) {
    ventanasGuardadas_.push_back({ventana, 0, {}});
    try {
        Ventana& registro = ventanasGuardadas_.back();
        registro.Titulo = LeerTitulo(escritorio_, ventana);
        registro.Estado = escritorio_.EstadoMostrar(ventana);
    } catch (...) {
        // A window that cannot be read is still recorded by its handle.
    }
}

void Motor::RecorrerRestauracion() {
    while (cursor_ < ventanasGuardadas_.size()) {
        const Ventana registro = ventanasGuardadas_[cursor_++];
        // The window a hide call is still busy with will be hidden once that
        // call completes, whatever it looks like now: show it after the hide.
        if (escritorio_.EsVisible(registro.hWnd) && registro.hWnd != enCurso_) continue;
        escritorio_.Mostrar(registro.hWnd, EstadoAlMostrar(registro.Estado));
        if (pasada_ == Pasada::mostrando) anfitrion_.ProcesarEventos();
    }
}

void Motor::TerminarRestauracion() {
    if (ultimaOculta_ != -1) escritorio_.TraerAlFrente(ultimaOculta_);
    anfitrion_.RestaurarIconoBandeja();
    oculto_ = false;
    pasada_ = Pasada::ninguna;
}

void Motor::MostrarVentanas() {
    if (pasada_ == Pasada::mostrando) {
        RecorrerRestauracion();  // finish the restore that is running
        return;
    }
    if (pasada_ != Pasada::ninguna || !oculto_) return;
    if (ventanasGuardadas_.size() <= 1) return;

    pasada_ = Pasada::mostrando;
    cursor_ = 1;
    RecorrerRestauracion();
    TerminarRestauracion();
}

void Motor::RestaurarAntesDeCerrar() {
    switch (pasada_) {
        case Pasada::ninguna:
            MostrarVentanas();
            break;
        case Pasada::mostrando:
            RecorrerRestauracion();
            break;
        case Pasada::ocultando:
            abortar_ = true;
            cursor_ = 1;
            RecorrerRestauracion();
            oculto_ = false;
            break;
    }
}

void Motor::tmrTempo_Timer() {
    if (pasada_ != Pasada::ninguna) return;
    if (!detector_.NuevaPulsacion(escritorio_.EstadoTecla(tecla_))) return;
    if (oculto_)
        MostrarVentanas();
    else
        OcultarVentanas();
}

std::optional<std::wstring> Motor::AvanzarTecla(std::wstring_view nombreActual) {
    auto siguiente = SiguienteTecla(nombreActual);
    if (!siguiente) return std::nullopt;
    tecla_ = siguiente->codigo;
    EmpezarAVigilarTecla();
    return std::move(siguiente->nombre);
}

std::wstring Motor::CambiarModo() {
    if (modo_ != kModoOcultar) {
        modo_ = kModoOcultar;
        return std::wstring(kCaptionOcultarExcepto);
    }
    modo_ = kModoMostrar;
    return std::wstring(kCaptionOcultarSeleccion);
}

}  // namespace tesk
