#include "panel/Inventario.h"

#include "ui/Propietarios.h"

namespace tesk {

namespace {

BOOL CALLBACK ContarHija(HWND, LPARAM cuenta) noexcept {
    ++*reinterpret_cast<long*>(cuenta);
    return TRUE;
}

BOOL CALLBACK ContarVentana(HWND ventana, LPARAM cuenta) noexcept {
    ++*reinterpret_cast<long*>(cuenta);
    ::EnumChildWindows(ventana, ContarHija, cuenta);  // every depth
    return TRUE;
}

// Every window of the program's one thread: top-level (the panel, the About
// box, the tooltips) and all their children.
long VentanasPropias() noexcept {
    long cuenta = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), ContarVentana, reinterpret_cast<LPARAM>(&cuenta));
    return cuenta;
}

}  // namespace

LRESULT Inventario::Responder(WPARAM tipo, const EstadoPanel& estado) const noexcept {
    switch (static_cast<TipoRecurso>(tipo)) {
        case TipoRecurso::gdi:
            return Retenidos(Recurso::gdi);
        case TipoRecurso::user:
            return Retenidos(Recurso::user) + VentanasPropias();
        case TipoRecurso::kernel:
            return Retenidos(Recurso::kernel);
        case TipoRecurso::ticks:
            return ticks_;
        case TipoRecurso::tecla:
            return estado.tecla;
        case TipoRecurso::pulsaciones:
            return pulsaciones_ + estado.pulsacionesComandos;
        case TipoRecurso::avisosIcono:
            return avisosIcono_;
        case TipoRecurso::movimientosIcono:
            return movimientosIcono_;
        case TipoRecurso::guardian:
            return static_cast<LRESULT>(estado.guardian);
        case TipoRecurso::teclaRegistrada:
            return estado.teclaRegistrada ? 1 : 0;
    }
    return -1;
}

}  // namespace tesk
