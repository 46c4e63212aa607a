// The floor for the program's idle cost, memory and start-up: a window
// program built the same way as tesk.exe and with the same features, and
// nothing else: one small layered window holding a list box, a tooltip
// control and a notification-area icon, reading one key every 100 ms from a
// timer. Like the panel, the window is shown active with the focus in its
// list: under Wine, activating it brings in ole32, combase and rpcrt4
// (shown without activation, this program loads none of them).
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

namespace {

constexpr wchar_t kClase[] = L"TeskMinimo";
constexpr wchar_t kTitulo[] = L"Minimo";
constexpr UINT_PTR kTemporizador = 1;
constexpr UINT kIntervalo = 100;
constexpr int kLado = 160;
constexpr BYTE kAlfa = 230;
constexpr UINT kIdIcono = 1;
constexpr UINT kMensajeIcono = WM_APP + 1;

LRESULT CALLBACK Procedimiento(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) noexcept {
    switch (mensaje) {
        case WM_TIMER:
            (void)GetAsyncKeyState(VK_F6);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(ventana, mensaje, w, l);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instancia, HINSTANCE, PWSTR, int) {
    const INITCOMMONCONTROLSEX controles{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controles);
    WNDCLASSEXW clase{};
    clase.cbSize = sizeof clase;
    clase.lpfnWndProc = Procedimiento;
    clase.hInstance = instancia;
    clase.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    clase.lpszClassName = kClase;
    RegisterClassExW(&clase);
    const HWND ventana = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_LAYERED, kClase, kTitulo, WS_POPUP, 0, 0, kLado,
                                         kLado, nullptr, nullptr, instancia, nullptr);
    if (ventana == nullptr) return 1;
    SetLayeredWindowAttributes(ventana, 0, kAlfa, LWA_ALPHA);
    const HWND lista = CreateWindowExW(0, WC_LISTBOXW, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_MULTIPLESEL,
                                       0, 0, kLado, kLado, ventana, nullptr, instancia, nullptr);
    const HWND ayuda = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                       ventana, nullptr, instancia, nullptr);
    TTTOOLINFOW herramienta{};
    herramienta.cbSize = sizeof herramienta;
    herramienta.hwnd = ventana;
    herramienta.uId = 1;
    herramienta.rect = {0, 0, kLado, kLado};
    herramienta.lpszText = const_cast<wchar_t*>(kTitulo);
    SendMessageW(ayuda, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&herramienta));
    NOTIFYICONDATAW icono{};
    icono.cbSize = NOTIFYICONDATAW_V1_SIZE;
    icono.hWnd = ventana;
    icono.uID = kIdIcono;
    icono.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icono.uCallbackMessage = kMensajeIcono;
    icono.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(icono.szTip, kTitulo, 64);
    Shell_NotifyIconW(NIM_ADD, &icono);
    ShowWindow(ventana, SW_SHOW);
    SetFocus(lista);
    SetTimer(ventana, kTemporizador, kIntervalo, nullptr);
    MSG mensaje;
    while (GetMessageW(&mensaje, nullptr, 0, 0) > 0) DispatchMessageW(&mensaje);
    Shell_NotifyIconW(NIM_DELETE, &icono);
    return 0;
}
