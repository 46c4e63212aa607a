#include "panel/InstanciaUnica.h"

#include "panel/Nombres.h"

namespace tesk {

namespace {

inline constexpr wchar_t kNombreMutex[] = L"Local\\Tesk.InstanciaUnica";

}  // namespace

std::optional<InstanciaUnica> InstanciaUnica::Tomar() {
    HandleUnico mutex(::CreateMutexW(nullptr, FALSE, kNombreMutex));
    const DWORD error = ::GetLastError();
    // No mutex at all means another copy made it where this one may not open it.
    if (!mutex || error == ERROR_ALREADY_EXISTS) return std::nullopt;
    return InstanciaUnica(std::move(mutex));
}

void InstanciaUnica::PedirRestauracion() {
    const UINT mensaje = ::RegisterWindowMessageW(kMensajeRestaurar);
    const HWND panel = ::FindWindowW(kClasePanel, kCaptionPanel);
    if (mensaje == 0 || panel == nullptr) return;
    // The user started this copy: the input is theirs, and the windows the
    // other copy brings back may take the foreground from it.
    DWORD proceso = 0;
    if (::GetWindowThreadProcessId(panel, &proceso) != 0) ::AllowSetForegroundWindow(proceso);
    ::PostMessageW(panel, mensaje, 0, 0);
}

}  // namespace tesk
