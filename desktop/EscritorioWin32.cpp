#include "desktop/EscritorioWin32.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <array>

#include "desktop/Handles.h"

namespace tesk {

namespace {

constexpr wchar_t kClaseBarraTareas[] = L"Shell_TrayWnd";
constexpr wchar_t kClaseFondoEscritorio[] = L"Progman";
// The shell's further surfaces: other monitors' taskbars, the wallpaper
// layers, and the notification area Wine shows when it has no taskbar.
constexpr const wchar_t* kClasesOtrasSuperficies[] = {L"Shell_SecondaryTrayWnd", L"WorkerW",
                                                     L"__winex11_standalone_tray"};
// How long a window's thread may take to answer before it counts as not
// responding.
constexpr UINT kEsperaRespuestaMs = 100;
// Characters of the tip in the first layout of the record.
constexpr std::size_t kLargoTipV1 = 64;

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

// True when the window's thread takes messages now. Windows of this thread
// always do.
bool Responde(HWND ventana) {
    if (GetWindowThreadProcessId(ventana, nullptr) == GetCurrentThreadId()) return true;
    DWORD_PTR resultado = 0;
    return SendMessageTimeoutW(ventana, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kEsperaRespuestaMs, &resultado) != 0;
}

}  // namespace

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

bool EscritorioWin32::EsVisible(Handle ventana) {
    const HWND h = HwndDe(ventana);
    const bool visible = IsWindowVisible(h) != FALSE;
    auto pendiente = pendientes_.find(ventana);
    if (pendiente == pendientes_.end()) return visible;
    const bool prometido = pendiente->second != SW_HIDE;
    // Once the window shows what the queued call promised (or is gone), the
    // call has landed, or lands with no change.
    if (visible == prometido || !IsWindow(h)) {
        pendientes_.erase(pendiente);
        return visible;
    }
    return prometido;
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

void EscritorioWin32::Mostrar(Handle ventana, std::int32_t estado) {
    const HWND h = HwndDe(ventana);
    if (Responde(h)) {
        ShowWindow(h, estado);
        pendientes_.erase(ventana);
    } else {
        ShowWindowAsync(h, estado);
        pendientes_[ventana] = estado;
    }
}

void EscritorioWin32::TraerAlFrente(Handle ventana) {
    SetForegroundWindow(HwndDe(ventana));
}

std::uint16_t EscritorioWin32::EstadoTecla(std::int32_t codigo) {
    return static_cast<std::uint16_t>(GetAsyncKeyState(codigo));
}

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
