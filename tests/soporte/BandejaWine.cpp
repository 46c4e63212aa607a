#include "tests/soporte/BandejaWine.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "tests/soporte/Clases.h"
#include "tests/soporte/Propios.h"

namespace tesk::prueba {

namespace {

constexpr wchar_t kClaseBandeja[] = L"__winex11_standalone_tray";
constexpr wchar_t kClaseIcono[] = L"__winex11_tray_icon";
// The longest tip a tooltip hands back (INFOTIPSIZE).
constexpr std::size_t kLargoTipMaximo = 1024;
constexpr UINT kEsperaRespuesta = 2000;

struct BusquedaTooltips {
    DWORD proceso;
    std::vector<HWND> encontrados;
};

BOOL CALLBACK AnotarTooltip(HWND ventana, LPARAM datos) {
    auto* busqueda = reinterpret_cast<BusquedaTooltips*>(datos);
    DWORD proceso = 0;
    GetWindowThreadProcessId(ventana, &proceso);
    if (proceso == busqueda->proceso && EsDeClase(ventana, TOOLTIPS_CLASSW)) busqueda->encontrados.push_back(ventana);
    return TRUE;
}

BOOL CALLBACK AnotarIcono(HWND ventana, LPARAM datos) {
    if (EsDeClase(ventana, kClaseIcono) && IsWindowVisible(ventana))
        reinterpret_cast<std::vector<HWND>*>(datos)->push_back(ventana);
    return TRUE;
}

// What TTM_GETTEXTW reads and writes, laid out in the tray's process.
struct PedidoTip {
    TTTOOLINFOW herramienta;
    std::array<wchar_t, kLargoTipMaximo> texto;
};

}  // namespace

HWND BandejaWine() { return FindWindowW(kClaseBandeja, nullptr); }

std::vector<HWND> IconosBandeja() {
    std::vector<HWND> iconos;
    if (const HWND bandeja = BandejaWine()) EnumChildWindows(bandeja, AnotarIcono, reinterpret_cast<LPARAM>(&iconos));
    std::sort(iconos.begin(), iconos.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return iconos;
}

std::optional<std::wstring> TipIcono(HWND icono) {
    BusquedaTooltips busqueda{};
    GetWindowThreadProcessId(icono, &busqueda.proceso);
    const HandlePropio proceso(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, busqueda.proceso));
    if (!proceso) return std::nullopt;
    const MemoriaRemota remota(VirtualAllocEx(proceso.get(), nullptr, sizeof(PedidoTip), MEM_COMMIT | MEM_RESERVE,
                                              PAGE_READWRITE),
                               LiberarMemoriaRemota{proceso.get()});
    if (!remota) return std::nullopt;
    auto* enRemoto = static_cast<PedidoTip*>(remota.get());

    EnumWindows(AnotarTooltip, reinterpret_cast<LPARAM>(&busqueda));
    for (HWND tooltip : busqueda.encontrados) {
        PedidoTip pedido{};
        pedido.herramienta.cbSize = sizeof(pedido.herramienta);
        pedido.herramienta.hwnd = icono;
        pedido.herramienta.uId = reinterpret_cast<UINT_PTR>(icono);
        pedido.herramienta.lpszText = enRemoto->texto.data();
        if (!WriteProcessMemory(proceso.get(), enRemoto, &pedido, sizeof(pedido), nullptr)) return std::nullopt;
        DWORD_PTR resultado = 0;
        SendMessageTimeoutW(tooltip, TTM_GETTEXTW, pedido.texto.size(),
                            reinterpret_cast<LPARAM>(&enRemoto->herramienta), SMTO_ABORTIFHUNG, kEsperaRespuesta,
                            &resultado);
        if (!ReadProcessMemory(proceso.get(), enRemoto, &pedido, sizeof(pedido), nullptr)) return std::nullopt;
        pedido.texto.back() = L'\0';
        if (pedido.texto.front() != L'\0') return std::wstring(pedido.texto.data());
    }
    return std::nullopt;
}

POINT CentroIcono(HWND icono) {
    RECT rect{};
    GetWindowRect(icono, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace tesk::prueba
