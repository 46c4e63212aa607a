// Binds a window to the object that handles its messages. The object passed
// as the creation parameter is stored in GWLP_USERDATA on the window's own
// WM_NCCREATE and the binding is cleared on WM_NCDESTROY. Any program can
// send a window WM_NCCREATE; one that comes once the window is bound is not
// the system's and changes nothing.
//
// The object answers Hwnd(), the window it owns, and Despachar(mensaje, w,
// l). Nothing of the object's own runs until it holds the window (while the
// window is being created, Hwnd() is still null), and a message it fails to
// handle (an exception) gets the system's default answer: no exception
// crosses the system's code.
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
    LRESULT resultado = 0;
    if (objeto == nullptr || objeto->Hwnd() != ventana) {
        resultado = ::DefWindowProcW(ventana, mensaje, w, l);
    } else {
        try {
            resultado = objeto->Despachar(mensaje, w, l);
        } catch (...) {
            resultado = ::DefWindowProcW(ventana, mensaje, w, l);
        }
    }
    if (mensaje == WM_NCDESTROY) ::SetWindowLongPtrW(ventana, GWLP_USERDATA, 0);
    return resultado;
}

}  // namespace tesk
