#include "panel/Dpi.h"

#include "panel/Manejadores.h"

namespace tesk {

namespace {

using FuncionDpiVentana = UINT(WINAPI*)(HWND);

// Looked up at run time: systems older than Windows 10 lack it.
FuncionDpiVentana BuscarGetDpiForWindow() noexcept {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    // Through void(*)(), the one function type any other converts to cleanly.
    const auto direccion = reinterpret_cast<void (*)()>(::GetProcAddress(user32, "GetDpiForWindow"));
    return reinterpret_cast<FuncionDpiVentana>(direccion);
}

}  // namespace

UINT DpiDe(HWND ventana) noexcept {
    static const FuncionDpiVentana getDpiForWindow = BuscarGetDpiForWindow();
    if (getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(ventana);
        if (dpi != 0) return dpi;
    }
    const DcVentana dc = DcDe(nullptr);
    const int dpi = dc ? ::GetDeviceCaps(dc.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDpiBase;
}

}  // namespace tesk
