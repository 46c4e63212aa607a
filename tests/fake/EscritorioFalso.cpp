#include "tests/fake/EscritorioFalso.h"

#include <algorithm>

namespace tesk::prueba {

Handle EscritorioFalso::Nuevo(std::wstring titulo, std::int32_t showCmd, bool visible, bool alFrente) {
    const Handle h = siguiente_;
    siguiente_ += 6;
    ventanas_[h] = VentanaFalsa{std::move(titulo), visible, showCmd, 0, std::nullopt};
    posicion_[h] = alFrente ? orden_.insert(orden_.begin(), h) : orden_.insert(orden_.end(), h);
    return h;
}

Handle EscritorioFalso::Abrir(std::wstring titulo, std::int32_t showCmd, bool visible) {
    return Nuevo(std::move(titulo), showCmd, visible, true);
}

Handle EscritorioFalso::AbrirAlFondo(std::wstring titulo, std::int32_t showCmd, bool visible) {
    return Nuevo(std::move(titulo), showCmd, visible, false);
}

Handle EscritorioFalso::CrearShell() {
    barra_ = Abrir(L"", kSwShowNormal);
    fondo_ = AbrirAlFondo(L"Program Manager", kSwShowNormal);
    return barra_;
}

Handle EscritorioFalso::CrearOtraSuperficie(std::wstring titulo) {
    const Handle h = Abrir(std::move(titulo));
    otras_.push_back(h);
    return h;
}

std::vector<Handle> EscritorioFalso::OtrasSuperficiesShell() {
    std::vector<Handle> vivas;
    for (Handle h : otras_)
        if (Existe(h)) vivas.push_back(h);
    return vivas;
}

void EscritorioFalso::Cerrar(Handle ventana) {
    auto it = posicion_.find(ventana);
    if (it == posicion_.end()) return;
    orden_.erase(it->second);
    posicion_.erase(it);
    ventanas_.erase(ventana);
    enVuelo_.erase(ventana);
    bloqueadas_.erase(ventana);
    for (auto i = iconos_.begin(); i != iconos_.end();) {
        i = i->first.first == ventana ? iconos_.erase(i) : std::next(i);
    }
    if (frente_ == ventana) frente_ = 0;
}

void EscritorioFalso::AlFrenteDelZ(Handle ventana) {
    auto it = posicion_.find(ventana);
    if (it == posicion_.end()) return;
    orden_.splice(orden_.begin(), orden_, it->second);
}

void EscritorioFalso::Reordenar(const std::vector<Handle>& frenteAFondo) {
    for (auto it = frenteAFondo.rbegin(); it != frenteAFondo.rend(); ++it) AlFrenteDelZ(*it);
}

void EscritorioFalso::CambiarEstado(Handle ventana, std::int32_t showCmd) {
    if (Existe(ventana)) ventanas_[ventana].showCmd = showCmd;
}

void EscritorioFalso::CambiarTitulo(Handle ventana, std::wstring titulo) {
    if (Existe(ventana)) ventanas_[ventana].titulo = std::move(titulo);
}

void EscritorioFalso::FijarVisible(Handle ventana, bool visible) {
    if (Existe(ventana)) ventanas_[ventana].visible = visible;
}

void EscritorioFalso::Presionar(std::int32_t codigo) {
    ++entrada_;
    auto& tecla = teclas_[codigo];
    const bool nueva = !tecla.abajo;
    if (nueva) tecla.pulsada = true;
    tecla.abajo = true;
    if (nueva && teclaRegistrada_ == codigo) {
        entradaPropia_ = entrada_;  // a hot key is input delivered to the program
        if (alTeclaRegistrada) alTeclaRegistrada();
    }
}

bool EscritorioFalso::RegistrarTecla(Handle ventana, std::int32_t codigo) {
    if (!teclasRegistrables || !Existe(ventana) || teclasAjenas.count(codigo) != 0) return false;
    teclaRegistrada_ = codigo;
    return true;
}

void EscritorioFalso::LiberarTecla(Handle) { teclaRegistrada_.reset(); }

void EscritorioFalso::Soltar(std::int32_t codigo) {
    ++entrada_;
    teclas_[codigo].abajo = false;
}

Handle EscritorioFalso::PrimeraVentana(Handle desde) {
    if (!Existe(desde) || orden_.empty()) return 0;
    return orden_.front();
}

Handle EscritorioFalso::SiguienteVentana(Handle ventana) {
    if (alPedirSiguiente) alPedirSiguiente(ventana);
    auto it = posicion_.find(ventana);
    if (it == posicion_.end()) return 0;  // gone: the platform answers nothing
    auto siguiente = std::next(it->second);
    return siguiente == orden_.end() ? 0 : *siguiente;
}

bool EscritorioFalso::EsVisible(Handle ventana) {
    if (antesDeConsultar) antesDeConsultar();
    return VisibleSegunLoPedido(ventana);
}

bool EscritorioFalso::VisibleSegunLoPedido(Handle ventana) const {
    auto it = ventanas_.find(ventana);
    if (it == ventanas_.end()) return false;
    // A window with calls in flight is reported as the last of them will
    // leave it, as the boundary on Windows does.
    auto vuelo = enVuelo_.find(ventana);
    if (vuelo != enVuelo_.end()) {
        for (auto p = vuelo->second.rbegin(); p != vuelo->second.rend(); ++p)
            if (*p != kSubirFalso) return *p != kSwHide;
    }
    return it->second.visible;
}

std::wstring EscritorioFalso::Titulo(Handle ventana) {
    auto it = ventanas_.find(ventana);
    if (it == ventanas_.end()) return {};
    return it->second.titulo.substr(0, kTituloBuffer - 1);
}

std::int32_t EscritorioFalso::EstadoMostrar(Handle ventana) {
    auto it = ventanas_.find(ventana);
    if (it == ventanas_.end()) return 0;
    for (Handle h : sinPlacement_)
        if (h == ventana) return 0;
    return it->second.showCmd;
}

bool EscritorioFalso::Mostrar(Handle ventana, std::int32_t estado) {
    if (alPedir) alPedir(ventana, estado);
    auto it = ventanas_.find(ventana);
    if (it != ventanas_.end() && (estado == kSwHide ? it->second.rechazaOcultar : it->second.rechazaMostrar)) {
        // Refused when asked: nothing of it reaches the window's thread.
        rechazos_.emplace_back(ventana, estado);
        return false;
    }
    llamadas_.emplace_back(ventana, estado);
    Pedir(ventana, estado);
    return true;
}

void EscritorioFalso::Subir(Handle ventana) {
    subidas_.push_back(ventana);
    Pedir(ventana, kSubirFalso);
}

void EscritorioFalso::Pedir(Handle ventana, std::int32_t pedido) {
    if (!Existe(ventana)) return;
    if (enVuelo_.count(ventana)) {
        // The window's thread has not got to an earlier call yet: this one
        // lands after it.
        enVuelo_[ventana].push_back(pedido);
        return;
    }
    if (diferir || bloqueadas_.count(ventana)) {
        enVuelo_[ventana].push_back(pedido);
        return;
    }
    if (antesDeMostrar && pedido != kSubirFalso) {
        // Something reaches the program while the call is on its way; the
        // call lands afterwards even if the caller never returns.
        enVuelo_[ventana].push_back(pedido);
        struct Aterrizaje {
            EscritorioFalso& e;
            Handle h;
            ~Aterrizaje() { e.Aterrizar(h); }
        } aterrizaje{*this, ventana};
        antesDeMostrar(ventana, pedido);
    } else {
        Aplicar(ventana, pedido);
    }
    if (despuesDeMostrar && pedido != kSubirFalso) despuesDeMostrar(ventana, pedido);
}

void EscritorioFalso::Aterrizar(Handle ventana) {
    auto it = enVuelo_.find(ventana);
    if (it == enVuelo_.end()) return;
    const std::vector<std::int32_t> pedidos = std::move(it->second);
    enVuelo_.erase(it);
    for (std::int32_t pedido : pedidos) Aplicar(ventana, pedido);
}

bool EscritorioFalso::EnVuelo(Handle ventana) { return Existe(ventana) && enVuelo_.count(ventana) != 0; }

void EscritorioFalso::Entregar(const std::function<std::size_t(std::size_t)>& elegir) {
    // The windows' threads take their calls in any order across windows,
    // each window's in the order they were made; a blocked thread takes none.
    for (;;) {
        std::vector<Handle> listas;
        for (const auto& [h, pedidos] : enVuelo_)
            if (!bloqueadas_.count(h)) listas.push_back(h);
        if (listas.empty()) return;
        std::sort(listas.begin(), listas.end());
        const std::size_t i = elegir(listas.size() + 1);
        if (i >= listas.size()) return;  // the rest later
        const Handle h = listas[i];
        auto& pedidos = enVuelo_[h];
        const std::int32_t pedido = pedidos.front();
        pedidos.erase(pedidos.begin());
        if (pedidos.empty()) enVuelo_.erase(h);
        Aplicar(h, pedido);
    }
}

void EscritorioFalso::EntregarTodo() {
    Entregar([](std::size_t) { return std::size_t{0}; });
}

void EscritorioFalso::Bloquear(Handle ventana) { bloqueadas_.insert(ventana); }

void EscritorioFalso::Desbloquear(Handle ventana) { bloqueadas_.erase(ventana); }

void EscritorioFalso::Aplicar(Handle ventana, std::int32_t estado) {
    auto it = ventanas_.find(ventana);
    if (it == ventanas_.end()) return;
    VentanaFalsa& v = it->second;
    if (estado == kSubirFalso) {
        AlFrenteDelZ(ventana);
        return;
    }
    if (estado != kSwHide && !v.visible && mostrarLlevaAlFrente) AlFrenteDelZ(ventana);
    // The show commands that activate the window they show: it takes the
    // foreground, as the system gives it.
    if (estado == kSwShowNormal || estado == kSwShowMinimized || estado == kSwShowMaximized || estado == kSwShow ||
        estado == kSwRestore) {
        activadas_.push_back(ventana);
        frente_ = ventana;
    }
    if (estado == kSwShowNormal || estado == kSwRestore) v.acomodada = false;  // back to its own size and place
    switch (estado) {
        case kSwHide:
            v.visible = false;  // the placement is kept
            if (ocultarLlevaAlFrente) AlFrenteDelZ(ventana);
            break;
        case kSwShowNormal:
        case kSwRestore:
            v.visible = true;
            v.showCmd = kSwShowNormal;
            break;
        case kSwShowMinimized:
        case kSwMinimize:
        case kSwShowMinNoActive:
            v.visible = true;
            v.showCmd = kSwShowMinimized;
            break;
        case kSwShowMaximized:
            v.visible = true;
            v.showCmd = kSwShowMaximized;
            break;
        default:  // SW_SHOW, SW_SHOWNA, SW_SHOWNOACTIVATE: as it was
            v.visible = true;
            break;
    }
}

bool EscritorioFalso::TraerAlFrente(Handle ventana) {
    pedidosAlFrente_.push_back(ventana);
    if (negarFrente || !EsVisible(ventana)) return false;
    // The lock: a program may take the foreground from another window only
    // while the last input was its own.
    if (bloqueoFrente && frente_ != 0 && entradaPropia_ != entrada_) return false;
    frente_ = ventana;
    AlFrenteDelZ(ventana);
    return true;
}

std::uint16_t EscritorioFalso::EstadoTecla(std::int32_t codigo) {
    auto& tecla = teclas_[codigo];
    std::uint16_t estado = 0;
    if (tecla.abajo) estado |= kTeclaAbajo;
    if (tecla.pulsada) estado |= kTeclaPulsada;
    tecla.pulsada = false;
    return estado;
}

std::uint32_t EscritorioFalso::EstiloExtendido(Handle ventana) {
    auto it = ventanas_.find(ventana);
    return it == ventanas_.end() ? 0 : it->second.estiloExtendido;
}

void EscritorioFalso::FijarEstiloExtendido(Handle ventana, std::uint32_t estilo) {
    if (!Existe(ventana)) return;
    VentanaFalsa& v = ventanas_[ventana];
    v.estiloExtendido = estilo;
    if (!(estilo & kWsExLayered)) v.alfa.reset();
}

void EscritorioFalso::FijarOpacidad(Handle ventana, std::uint8_t alfa) {
    // Only a layered window takes an opacity.
    if (Existe(ventana) && (ventanas_[ventana].estiloExtendido & kWsExLayered)) ventanas_[ventana].alfa = alfa;
}

void EscritorioFalso::FijarSiempreEncima(Handle ventana) {
    if (!Existe(ventana)) return;
    ventanas_[ventana].estiloExtendido |= kWsExTopmost;
    AlFrenteDelZ(ventana);
}

bool EscritorioFalso::AgregarIcono(const IconoBandeja& icono) {
    if (!Existe(icono.hWnd)) return false;
    if (iconosNegados > 0) {
        --iconosNegados;
        return false;
    }
    return iconos_.emplace(std::make_pair(icono.hWnd, icono.uID), icono).second;
}

bool EscritorioFalso::ModificarIcono(const IconoBandeja& icono) {
    const auto presente = iconos_.find(std::make_pair(icono.hWnd, icono.uID));
    if (presente == iconos_.end()) return false;
    presente->second = icono;
    return true;
}

bool EscritorioFalso::QuitarIcono(const IconoBandeja& icono) {
    return iconos_.erase(std::make_pair(icono.hWnd, icono.uID)) != 0;
}

}  // namespace tesk::prueba
