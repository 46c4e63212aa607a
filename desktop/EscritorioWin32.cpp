#include "desktop/EscritorioWin32.h"

#include <windows.h>
#include <dwmapi.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

#include "desktop/Conversiones.h"

namespace tesk {

// The boundary restates the platform's values it passes through, having no
// Windows header (Escritorio.h): one restated wrong stops the build here.
static_assert(kSwHide == SW_HIDE);
static_assert(kSwShowNormal == SW_SHOWNORMAL);
static_assert(kSwShowMinimized == SW_SHOWMINIMIZED);
static_assert(kSwShowMaximized == SW_SHOWMAXIMIZED);
static_assert(kSwShow == SW_SHOW);
static_assert(kSwMinimize == SW_MINIMIZE);
static_assert(kSwShowMinNoActive == SW_SHOWMINNOACTIVE);
static_assert(kSwShowNa == SW_SHOWNA);
static_assert(kSwRestore == SW_RESTORE);
static_assert(kWsExLayered == WS_EX_LAYERED);
static_assert(kWsExTopmost == WS_EX_TOPMOST);

namespace {

constexpr wchar_t kClaseBarraTareas[] = L"Shell_TrayWnd";
constexpr wchar_t kClaseFondoEscritorio[] = L"Progman";
// The shell's further surfaces: other monitors' taskbars, the wallpaper
// layers, and the notification area Wine shows when it has no taskbar.
constexpr const wchar_t* kClasesOtrasSuperficies[] = {L"Shell_SecondaryTrayWnd", L"WorkerW",
                                                     L"__winex11_standalone_tray"};
// Characters of the tip in the first layout of the record.
constexpr std::size_t kLargoTipV1 = 64;
static_assert(NOTIFYICONDATAW_V1_SIZE == offsetof(NOTIFYICONDATAW, szTip) + kLargoTipV1 * sizeof(WCHAR));

// The notification-area record in the platform's first layout: the fields up
// to a 64-character tip.
NOTIFYICONDATAW RegistroIcono(const IconoBandeja& icono) {
    NOTIFYICONDATAW datos{};
    datos.cbSize = NOTIFYICONDATAW_V1_SIZE;
    datos.hWnd = HwndDe(icono.hWnd);
    datos.uID = icono.uID;
    datos.uFlags = icono.uFlags;
    datos.uCallbackMessage = icono.uCallbackMessage;
    datos.hIcon = HiconDe(icono.hIcon);
    const std::size_t copiados = std::min(icono.szTip.size(), kLargoTipV1);
    std::copy_n(icono.szTip.begin(), copiados, datos.szTip);
    return datos;
}

// A window of the program's own thread: shown, hidden and raised at once.
bool Propia(HWND ventana) { return GetWindowThreadProcessId(ventana, nullptr) == GetCurrentThreadId(); }

// The show command has taken effect: the window shows the visibility it
// asks for and, for the commands that set one, its state. SW_SHOW and
// SW_SHOWNA show the window as it is, in whatever state.
bool EstadoAlcanzado(HWND ventana, std::int32_t estado) {
    const bool visible = IsWindowVisible(ventana) != FALSE;
    if (estado == SW_HIDE) return !visible;
    if (!visible) return false;
    switch (estado) {
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            return IsIconic(ventana) != FALSE;
        case SW_SHOWMAXIMIZED:
            return IsZoomed(ventana) != FALSE;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            return !IsIconic(ventana) && !IsZoomed(ventana);
        default:
            return true;
    }
}

// The window is owned by that one, directly or through its owners (a
// palette of a dialog of it). Owners form no cycles; the bound is only a
// guard.
bool PoseidaPor(HWND ventana, HWND duena) {
    constexpr int kDuenasComoMucho = 64;
    int vuelta = 0;
    for (HWND d = GetWindow(ventana, GW_OWNER); d != nullptr && vuelta < kDuenasComoMucho;
         d = GetWindow(d, GW_OWNER), ++vuelta) {
        if (d == duena) return true;
    }
    return false;
}

}  // namespace

// The window lies above every other window on screen outside the topmost
// band, but for its own owned windows, which the system always keeps above
// their owner (a tool palette, a Find box), and windows that are not drawn
// (cloaked): a raise could never get above those.
bool EscritorioWin32::EnLoAlto(Handle raiz) {
    const HWND ventana = HwndDe(raiz);
    for (HWND encima = GetWindow(ventana, GW_HWNDPREV); encima != nullptr; encima = GetWindow(encima, GW_HWNDPREV)) {
        if (!IsWindowVisible(encima) || (GetWindowLongW(encima, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) continue;
        if (PoseidaPor(encima, ventana) || Encubierta(HandleDe(encima))) continue;
        return false;
    }
    return true;
}

Handle EscritorioWin32::BarraTareas() {
    return HandleDe(FindWindowW(kClaseBarraTareas, nullptr));
}

Handle EscritorioWin32::FondoEscritorio() {
    return HandleDe(FindWindowExW(nullptr, nullptr, kClaseFondoEscritorio, nullptr));
}

std::vector<Handle> EscritorioWin32::OtrasSuperficiesShell() {
    std::vector<Handle> superficies;
    for (const wchar_t* clase : kClasesOtrasSuperficies) {
        for (HWND h = FindWindowExW(nullptr, nullptr, clase, nullptr); h != nullptr;
             h = FindWindowExW(nullptr, h, clase, nullptr)) {
            superficies.push_back(HandleDe(h));
        }
    }
    return superficies;
}

Handle EscritorioWin32::PrimeraVentana(Handle desde) {
    return HandleDe(GetWindow(HwndDe(desde), GW_HWNDFIRST));
}

Handle EscritorioWin32::SiguienteVentana(Handle ventana) {
    return HandleDe(GetWindow(HwndDe(ventana), GW_HWNDNEXT));
}

std::uint32_t EscritorioWin32::ProcesoDe(Handle ventana) {
    DWORD proceso = 0;
    return ::GetWindowThreadProcessId(HwndDe(ventana), &proceso) != 0 ? static_cast<std::uint32_t>(proceso) : 0;
}

bool EscritorioWin32::EsVisible(Handle ventana) {
    // A window with a show or hide in flight is reported as that call will
    // leave it: a restore never mistakes a window about to hide for one that
    // stayed on screen.
    auto pendiente = pendientes_.find(ventana);
    if (pendiente != pendientes_.end() && pendiente->second.estado && !Aterrizado(pendiente)) {
        return *pendiente->second.estado != SW_HIDE;
    }
    return IsWindowVisible(HwndDe(ventana)) != FALSE;
}

// DwmGetWindowAttribute, looked up once, at the first question: dwmapi.dll
// stays out of the program's imports (its guardian copy never asks), and
// systems without it, or without the attribute, answer that nothing is
// cloaked.
bool EscritorioWin32::Encubierta(Handle ventana) {
    static const auto consultar = [] {
        const HMODULE dwmapi = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        // Through void(*)(), the one function type any other converts to cleanly.
        const auto direccion =
            dwmapi ? reinterpret_cast<void (*)()>(GetProcAddress(dwmapi, "DwmGetWindowAttribute")) : nullptr;
        return reinterpret_cast<decltype(&DwmGetWindowAttribute)>(direccion);
    }();
    DWORD encubierta = 0;
    return consultar != nullptr &&
           SUCCEEDED(consultar(HwndDe(ventana), DWMWA_CLOAKED, &encubierta, sizeof encubierta)) && encubierta != 0;
}

bool EscritorioWin32::EnVuelo(Handle ventana) {
    auto pendiente = pendientes_.find(ventana);
    return pendiente != pendientes_.end() && !Aterrizado(pendiente);
}

bool EscritorioWin32::Aterrizado(std::unordered_map<Handle, Pedido>::iterator pendiente) {
    const HWND h = HwndDe(pendiente->first);
    Pedido& pedido = pendiente->second;
    if (!IsWindow(h)) {
        pendientes_.erase(pendiente);  // gone: nothing of it is in flight
        return true;
    }
    if (pedido.estado && EstadoAlcanzado(h, *pedido.estado)) pedido.estado.reset();
    if (pedido.subir && EnLoAlto(pendiente->first)) pedido.subir = false;
    if (pedido.estado || pedido.subir) return false;
    pendientes_.erase(pendiente);
    return true;
}

void EscritorioWin32::Asentar() {
    for (auto it = pendientes_.begin(); it != pendientes_.end();) {
        auto siguiente = std::next(it);
        Aterrizado(it);
        it = siguiente;
    }
}

std::wstring EscritorioWin32::Titulo(Handle ventana) {
    std::array<wchar_t, kTituloBuffer> buffer{};
    const int copiados = GetWindowTextW(HwndDe(ventana), buffer.data(), static_cast<int>(buffer.size()));
    if (copiados <= 0) return {};
    return std::wstring(buffer.data(), static_cast<std::size_t>(copiados));
}

std::int32_t EscritorioWin32::EstadoMostrar(Handle ventana) {
    WINDOWPLACEMENT colocacion{};
    colocacion.length = sizeof(colocacion);
    if (!GetWindowPlacement(HwndDe(ventana), &colocacion)) return 0;
    return static_cast<std::int32_t>(colocacion.showCmd);
}

bool EscritorioWin32::Mostrar(Handle ventana, std::int32_t estado) {
    const HWND h = HwndDe(ventana);
    if (Propia(h)) {
        ShowWindow(h, estado);  // answers the window's former visibility: always taken
        return true;
    }
    // Posted to the window's thread, never sent: ShowWindow would wait for
    // that thread, which may be busy or blocked inside its own handlers for
    // as long as it likes. Every call to another thread's window goes this
    // way, so each lands in the order it was made. The system refuses it
    // for a window of a higher integrity level: nothing is then on its way.
    if (!ShowWindowAsync(h, estado)) return !IsWindow(h);
    pendientes_[ventana].estado = estado;
    return true;
}

void EscritorioWin32::Subir(Handle ventana) {
    const HWND h = HwndDe(ventana);
    constexpr UINT kSinMoverNiActivar = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (Propia(h)) {
        SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, kSinMoverNiActivar);
        return;
    }
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, kSinMoverNiActivar | SWP_ASYNCWINDOWPOS);
    pendientes_[ventana].subir = true;
}

// Windows lets a program in the background set the foreground only in the
// cases SetForegroundWindow's documentation lists (the foreground lock): when
// no window has the foreground, when the program received the last input,
// when the lock's time-out has expired, and a few more. The activation key,
// registered as a hot key, is input delivered to Tesk, so the restore it runs
// may set the foreground. Where the key could not be registered (another
// program holds it, or it is F12) Tesk only reads it, and it does not get
// round the lock: it forges no input (a lone Alt opens menus) and does not
// join its input to the foreground thread's (AttachThreadInput would tie it
// to a thread that may hang). Where the system refuses, it flashes the
// window's taskbar button instead, and the engine does not ask again.
bool EscritorioWin32::TraerAlFrente(Handle ventana) {
    return SetForegroundWindow(HwndDe(ventana)) != FALSE;
}

Handle EscritorioWin32::VentanaAlFrente() {
    return HandleDe(GetForegroundWindow());
}

std::uint32_t EscritorioWin32::UltimaEntrada() {
    LASTINPUTINFO ultima{};
    ultima.cbSize = sizeof(ultima);
    return GetLastInputInfo(&ultima) ? ultima.dwTime : 0;
}

std::uint16_t EscritorioWin32::EstadoTecla(std::int32_t codigo) {
    return static_cast<std::uint16_t>(GetAsyncKeyState(codigo));
}

bool EscritorioWin32::RegistrarTecla(Handle ventana, std::int32_t codigo) {
    return RegisterHotKey(HwndDe(ventana), kIdTeclaActivacion, MOD_NOREPEAT, static_cast<UINT>(codigo)) != FALSE;
}

void EscritorioWin32::LiberarTecla(Handle ventana) { UnregisterHotKey(HwndDe(ventana), kIdTeclaActivacion); }

std::uint32_t EscritorioWin32::EstiloExtendido(Handle ventana) {
    return static_cast<std::uint32_t>(GetWindowLongW(HwndDe(ventana), GWL_EXSTYLE));
}

void EscritorioWin32::FijarEstiloExtendido(Handle ventana, std::uint32_t estilo) {
    SetWindowLongW(HwndDe(ventana), GWL_EXSTYLE, static_cast<LONG>(estilo));
}

void EscritorioWin32::FijarOpacidad(Handle ventana, std::uint8_t alfa) {
    SetLayeredWindowAttributes(HwndDe(ventana), 0, alfa, LWA_ALPHA);
}

void EscritorioWin32::FijarSiempreEncima(Handle ventana) {
    SetWindowPos(HwndDe(ventana), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool EscritorioWin32::AgregarIcono(const IconoBandeja& icono) {
    NOTIFYICONDATAW datos = RegistroIcono(icono);
    return Shell_NotifyIconW(NIM_ADD, &datos) != FALSE;
}

bool EscritorioWin32::ModificarIcono(const IconoBandeja& icono) {
    NOTIFYICONDATAW datos = RegistroIcono(icono);
    return Shell_NotifyIconW(NIM_MODIFY, &datos) != FALSE;
}

bool EscritorioWin32::QuitarIcono(const IconoBandeja& icono) {
    NOTIFYICONDATAW datos = RegistroIcono(icono);
    return Shell_NotifyIconW(NIM_DELETE, &datos) != FALSE;
}

}  // namespace tesk
