// Binds a window to the object that handles its messages. The object passed
// as the creation parameter is stored in GWLP_USERDATA on the window's own
// WM_NCCREATE, every message then goes to its Procesar member (which must not
// throw), and the binding is cleared on WM_NCDESTROY. Any program can send a
// window WM_NCCREATE; one that comes once the window is bound is not the
// system's and changes nothing.
#pragma once

#include <windows.h>

namespace tesk {

template <class T>
LRESULT CALLBACK ProcedimientoDe(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
    if (mensaje == WM_NCCREATE) {
        if (::GetWindowLongPtrW(ventana, GWLP_USERDATA) != 0) return TRUE;
        const auto* creacion = reinterpret_cast<const CREATESTRUCTW*>(l);
        if (creacion != nullptr) {
            ::SetWindowLongPtrW(ventana, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creacion->lpCreateParams));
        }
    }
    auto* objeto = reinterpret_cast<T*>(::GetWindowLongPtrW(ventana, GWLP_USERDATA));
    if (objeto == nullptr) return ::DefWindowProcW(ventana, mensaje, w, l);
    static_assert(noexcept(objeto->Procesar(ventana, mensaje, w, l)));
    const LRESULT resultado = objeto->Procesar(ventana, mensaje, w, l);
    if (mensaje == WM_NCDESTROY) ::SetWindowLongPtrW(ventana, GWLP_USERDATA, 0);
    return resultado;
}

}  // namespace tesk
