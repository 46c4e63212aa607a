// The floor for the program's idle cost, memory and start-up: a minimal
// window program built the same way as tesk.exe, with one small window shown
// and one key read every 100 ms from a timer, and nothing else.
#include <windows.h>

namespace {

constexpr wchar_t kClase[] = L"TeskMinimo";
constexpr wchar_t kTitulo[] = L"Minimo";
constexpr UINT_PTR kTemporizador = 1;
constexpr UINT kIntervalo = 100;
constexpr int kLado = 160;

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
    WNDCLASSEXW clase{};
    clase.cbSize = sizeof clase;
    clase.lpfnWndProc = Procedimiento;
    clase.hInstance = instancia;
    clase.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    clase.lpszClassName = kClase;
    RegisterClassExW(&clase);
    const HWND ventana = CreateWindowExW(WS_EX_TOOLWINDOW, kClase, kTitulo, WS_POPUP, 0, 0, kLado, kLado, nullptr,
                                         nullptr, instancia, nullptr);
    if (ventana == nullptr) return 1;
    ShowWindow(ventana, SW_SHOWNOACTIVATE);
    SetTimer(ventana, kTemporizador, kIntervalo, nullptr);
    MSG mensaje;
    while (GetMessageW(&mensaje, nullptr, 0, 0) > 0) DispatchMessageW(&mensaje);
    return 0;
}
