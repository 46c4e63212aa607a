#include "ui/Dpi.h"

#include "ui/Propietarios.h"

namespace tesk {

namespace {

using FuncionDpiVentana = UINT(WINAPI*)(HWND);
using FuncionMetricaDpi = int(WINAPI*)(int, UINT);

// Looked up at run time: systems older than Windows 10 lack them. user32
// is loaded only on demand (panel/CMakeLists.txt); every caller holds a
// window by then, so it is in.
template <class Funcion>
Funcion BuscarEnUser32(const char* nombre) noexcept {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    // Through void(*)(), the one function type any other converts to cleanly.
    const auto direccion = reinterpret_cast<void (*)()>(::GetProcAddress(user32, nombre));
    return reinterpret_cast<Funcion>(direccion);
}

UINT DpiDelSistema() noexcept {
    const DcVentana dc = DcDe(nullptr);
    const int dpi = dc ? ::GetDeviceCaps(dc.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDpiBase;
}

}  // namespace

UINT DpiDe(HWND ventana) noexcept {
    static const auto getDpiForWindow = BuscarEnUser32<FuncionDpiVentana>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(ventana);
        if (dpi != 0) return dpi;
    }
    return DpiDelSistema();
}

int MetricaParaDpi(int indice, UINT dpi) noexcept {
    static const auto getSystemMetricsForDpi = BuscarEnUser32<FuncionMetricaDpi>("GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi != nullptr) {
        const int valor = getSystemMetricsForDpi(indice, dpi);
        if (valor > 0) return valor;
    }
    return ::MulDiv(::GetSystemMetrics(indice), static_cast<int>(dpi), static_cast<int>(DpiDelSistema()));
}

}  // namespace tesk
