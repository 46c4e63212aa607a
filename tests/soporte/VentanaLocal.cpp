#include "tests/soporte/VentanaLocal.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>

namespace tesk::prueba {

namespace {

constexpr wchar_t kClase[] = L"TeskVentanaLocal";
constexpr int kOrigen = 600;
constexpr int kAncho = 320;
constexpr int kAlto = 200;
constexpr UINT kFinRangoAplicacion = 0xBFFF;

void RegistrarClase(WNDPROC procedimiento) {
    static std::once_flag registrada;
    std::call_once(registrada, [&] {
        WNDCLASSEXW clase{};
        clase.cbSize = sizeof(clase);
        clase.lpfnWndProc = procedimiento;
        clase.hInstance = GetModuleHandleW(nullptr);
        clase.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        clase.lpszClassName = kClase;
        RegisterClassExW(&clase);
    });
}

}  // namespace

VentanaLocal::VentanaLocal(const std::wstring& titulo) {
    RegistrarClase(&VentanaLocal::Thunk);
    CreateWindowExW(0, kClase, titulo.c_str(), WS_OVERLAPPEDWINDOW, kOrigen, kOrigen, kAncho, kAlto, nullptr, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw std::runtime_error("the test window could not be created");
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
}

VentanaLocal::~VentanaLocal() { Destruir(); }

void VentanaLocal::Destruir() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK VentanaLocal::Thunk(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l) {
    if (mensaje == WM_NCCREATE) {
        auto* ventana = static_cast<VentanaLocal*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        ventana->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ventana));
    }
    auto* ventana = reinterpret_cast<VentanaLocal*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return ventana ? ventana->Procesar(mensaje, w, l) : DefWindowProcW(hwnd, mensaje, w, l);
}

LRESULT VentanaLocal::Procesar(UINT mensaje, WPARAM w, LPARAM l) noexcept {
    const HWND hwnd = hwnd_;
    if (mensaje >= WM_APP && mensaje <= kFinRangoAplicacion) {
        AlRecibir(mensaje, w, l);
        return 0;
    }
    switch (mensaje) {
        // Keys the tests send are only for the key state: F10 must not open
        // the window menu.
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            return 0;
        case WM_GETTEXT:
            if (tituloCrudo_) return AlPedirTitulo(w, l);
            break;
        case WM_GETTEXTLENGTH:
            if (tituloCrudo_) return static_cast<LRESULT>(tituloCrudo_->size());
            break;
        case WM_NCDESTROY:
            AlDestruirMarco();
            break;
    }
    return DefWindowProcW(hwnd, mensaje, w, l);
}

void VentanaLocal::AlRecibir(UINT mensaje, WPARAM w, LPARAM l) noexcept {
    try {
        recibidos_.push_back({mensaje, w, l});
    } catch (...) {
        // Out of memory: the message goes unrecorded and the test that waits
        // for it fails.
    }
}

LRESULT VentanaLocal::AlPedirTitulo(WPARAM capacidad, LPARAM buffer) noexcept {
    if (capacidad == 0) return 0;
    auto* destino = reinterpret_cast<wchar_t*>(buffer);
    const std::size_t copiados = std::min(tituloCrudo_->size(), static_cast<std::size_t>(capacidad) - 1);
    std::copy_n(tituloCrudo_->data(), copiados, destino);
    destino[copiados] = L'\0';
    return static_cast<LRESULT>(copiados);
}

void VentanaLocal::AlDestruirMarco() noexcept {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
}

}  // namespace tesk::prueba
