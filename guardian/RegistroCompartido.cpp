#include "guardian/RegistroCompartido.h"

#include <atomic>
#include <new>

#include "desktop/Handles.h"

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

bool RegistroCompartido::AnotarSesion(std::uint32_t proceso, const std::wstring& id) {
    if (!vista_ || id.empty() || id.size() >= kLargoIdSesion || id.find(L'\0') != std::wstring::npos) return false;
    try {
        Cabecera& cabecera = CabeceraDe(vista_.get());
        std::uint32_t indice;
        if (auto it = posicionSesion_.find(id); it != posicionSesion_.end()) {
            indice = it->second;
        } else if (!sesionesLibres_.empty()) {
            indice = sesionesLibres_.back();
            sesionesLibres_.pop_back();
        } else if (cabecera.sesionesUsadas < kCapacidadSesiones) {
            indice = cabecera.sesionesUsadas;
            Escribir(cabecera.sesionesUsadas, indice + 1);
        } else {
            return false;  // full: the session stays audible
        }
        posicionSesion_[id] = indice;
        EntradaSesion& entrada = Sesiones()[indice];
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
    auto it = posicionSesion_.find(id);
    if (it == posicionSesion_.end()) return;
    Escribir(Sesiones()[it->second].largo, std::uint32_t{0});
    try {
        sesionesLibres_.push_back(it->second);
    } catch (const std::bad_alloc&) {
    }
    posicionSesion_.erase(it);
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
        std::uint32_t indice;
        if (auto it = posicion_.find(ventana); it != posicion_.end()) {
            indice = it->second;
        } else if (!libres_.empty()) {
            indice = libres_.back();
            libres_.pop_back();
        } else if (cabecera.usadas < kCapacidad) {
            indice = cabecera.usadas;
            Escribir(cabecera.usadas, indice + 1);
        } else {
            return false;  // full: the window stays on screen
        }
        posicion_[ventana] = indice;
        DWORD proceso = 0;
        const DWORD hilo = GetWindowThreadProcessId(HwndDe(ventana), &proceso);
        Entrada& entrada = Entradas()[indice];
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
    auto it = posicion_.find(ventana);
    if (it == posicion_.end()) return;
    Escribir(Entradas()[it->second].ventana, Handle{0});
    try {
        libres_.push_back(it->second);
    } catch (const std::bad_alloc&) {
        // The entry is free; it is only not reused.
    }
    posicion_.erase(it);
}

}  // namespace tesk::guardian
