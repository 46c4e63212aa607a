#include "guardian/RegistroCompartido.h"

#include <atomic>
#include <new>

#include "desktop/Conversiones.h"

namespace tesk::guardian {

namespace {

// Stores that reach the section in program order: if the program dies
// between two of them, the guardian finds the first and not the second.
template <class T>
void Escribir(T& campo, T valor) {
    std::atomic_ref<T>(campo).store(valor, std::memory_order_release);
}

Cabecera& CabeceraDe(void* vista) { return *static_cast<Cabecera*>(vista); }

}  // namespace

RegistroCompartido::RegistroCompartido(bool conGuardian) {
    SECURITY_ATTRIBUTES heredable{sizeof heredable, nullptr, TRUE};
    seccion_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, &heredable, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(kTamano), nullptr));
    if (!seccion_) return;
    vista_.reset(MapViewOfFile(seccion_.get(), FILE_MAP_WRITE, 0, 0, kTamano));
    if (!vista_) {
        seccion_.reset();
        return;
    }
    // A fresh section reads as zeros: every entry free.
    Cabecera& cabecera = CabeceraDe(vista_.get());
    cabecera.capacidad = kCapacidad;
    cabecera.tamanoEntrada = sizeof(Entrada);
    cabecera.version = kVersion;
    cabecera.capacidadSesiones = kCapacidadSesiones;
    cabecera.tamanoSesion = sizeof(EntradaSesion);
    Escribir(cabecera.marca, kMarca);
    if (!conGuardian) return;
    lanzador_.emplace(seccion_.get());
    lanzador_->Asegurar();
}

Entrada* RegistroCompartido::Entradas() const {
    return reinterpret_cast<Entrada*>(static_cast<std::byte*>(vista_.get()) + sizeof(Cabecera));
}

EntradaSesion* RegistroCompartido::Sesiones() const {
    return reinterpret_cast<EntradaSesion*>(reinterpret_cast<std::byte*>(Entradas() + kCapacidad));
}

template <class Clave>
std::optional<std::uint32_t> RegistroCompartido::Casillas<Clave>::Tomar(const Clave& clave, std::uint32_t& usadas,
                                                                       std::uint32_t capacidad) {
    std::uint32_t indice;
    if (auto it = posicion_.find(clave); it != posicion_.end()) {
        indice = it->second;
    } else if (!libres_.empty()) {
        indice = libres_.back();
        libres_.pop_back();
    } else if (usadas < capacidad) {
        indice = usadas;
        Escribir(usadas, indice + 1);
    } else {
        return std::nullopt;
    }
    posicion_[clave] = indice;
    return indice;
}

template <class Clave>
std::optional<std::uint32_t> RegistroCompartido::Casillas<Clave>::Soltar(const Clave& clave) {
    auto it = posicion_.find(clave);
    if (it == posicion_.end()) return std::nullopt;
    const std::uint32_t indice = it->second;
    try {
        libres_.push_back(indice);
    } catch (const std::bad_alloc&) {
        // The entry is free; it is only not reused.
    }
    posicion_.erase(it);
    return indice;
}

bool RegistroCompartido::AnotarSesion(std::uint32_t proceso, const std::wstring& id) {
    if (!vista_ || id.empty() || id.size() >= kLargoIdSesion || id.find(L'\0') != std::wstring::npos) return false;
    try {
        Cabecera& cabecera = CabeceraDe(vista_.get());
        const std::optional<std::uint32_t> indice = sesiones_.Tomar(id, cabecera.sesionesUsadas, kCapacidadSesiones);
        if (!indice) return false;  // full: the session stays audible
        EntradaSesion& entrada = Sesiones()[*indice];
        Escribir(entrada.largo, std::uint32_t{0});
        Escribir(entrada.proceso, proceso);
        for (std::size_t i = 0; i < id.size(); ++i) Escribir(entrada.id[i], id[i]);
        Escribir(entrada.id[id.size()], L'\0');
        Escribir(entrada.largo, static_cast<std::uint32_t>(id.size()));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void RegistroCompartido::QuitarSesion(const std::wstring& id) {
    if (const std::optional<std::uint32_t> indice = sesiones_.Soltar(id))
        Escribir(Sesiones()[*indice].largo, std::uint32_t{0});
}

void RegistroCompartido::Preparar() {
    if (lanzador_) lanzador_->Asegurar();
}

void RegistroCompartido::Vigilar() {
    if (lanzador_) lanzador_->Mantener();
}

std::uint32_t RegistroCompartido::Vigilante() const { return lanzador_ ? lanzador_->Listo() : 0; }

bool RegistroCompartido::Anotar(Handle ventana, std::int32_t mostrarCon) {
    if (!vista_ || ventana == 0 || !ComandoValido(mostrarCon)) return false;
    try {
        Cabecera& cabecera = CabeceraDe(vista_.get());
        const std::optional<std::uint32_t> indice = ventanas_.Tomar(ventana, cabecera.usadas, kCapacidad);
        if (!indice) return false;  // full: the window stays on screen
        DWORD proceso = 0;
        const DWORD hilo = GetWindowThreadProcessId(HwndDe(ventana), &proceso);
        Entrada& entrada = Entradas()[*indice];
        Escribir(entrada.ventana, Handle{0});
        Escribir(entrada.mostrarCon, mostrarCon);
        Escribir(entrada.proceso, static_cast<std::uint32_t>(proceso));
        Escribir(entrada.hilo, static_cast<std::uint32_t>(hilo));
        Escribir(entrada.ventana, ventana);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void RegistroCompartido::Quitar(Handle ventana) {
    if (const std::optional<std::uint32_t> indice = ventanas_.Soltar(ventana))
        Escribir(Entradas()[*indice].ventana, Handle{0});
}

}  // namespace tesk::guardian
