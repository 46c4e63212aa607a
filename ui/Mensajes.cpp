#include "ui/Mensajes.h"

namespace tesk {

namespace {

void Entregar(const MSG& mensaje) {
    ::TranslateMessage(&mensaje);
    ::DispatchMessageW(&mensaje);
}

// A loop below the main one met WM_QUIT: it goes back in the queue, where
// the main loop finds it.
void DevolverSalida(const MSG& mensaje) { ::PostQuitMessage(static_cast<int>(mensaje.wParam)); }

}  // namespace

int BucleMensajes() {
    MSG mensaje{};
    while (::GetMessageW(&mensaje, nullptr, 0, 0) > 0) Entregar(mensaje);
    return static_cast<int>(mensaje.wParam);
}

void BucleModal(const std::function<bool()>& abierta) {
    MSG mensaje{};
    while (abierta()) {
        const BOOL resultado = ::GetMessageW(&mensaje, nullptr, 0, 0);
        if (resultado == 0) {
            DevolverSalida(mensaje);
            return;
        }
        if (resultado < 0) return;
        Entregar(mensaje);
    }
}

void AtenderPendientes() {
    MSG mensaje{};
    while (::PeekMessageW(&mensaje, nullptr, 0, 0, PM_REMOVE)) {
        if (mensaje.message == WM_QUIT) {
            DevolverSalida(mensaje);
            return;
        }
        Entregar(mensaje);
    }
}

}  // namespace tesk
