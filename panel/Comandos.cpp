#include "panel/Comandos.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "panel/Nombres.h"
#include "ui/Modulo.h"

namespace tesk {

namespace {

using diseno::Control;

int IdDe(std::size_t indice) { return kIdPrimerComando + static_cast<int>(indice); }

std::size_t IndiceDe(Control control) {
    const auto donde = std::ranges::find(diseno::kControles, control, &diseno::ControlPanel::control);
    return static_cast<std::size_t>(donde - diseno::kControles.begin());
}

// A key held down repeats: its first press alone runs a command.
bool Repetida(LPARAM datos) { return (datos & (LPARAM{1} << 30)) != 0; }

}  // namespace

Comandos::Comandos(HWND panel, HWND lista) : panel_(panel), lista_(lista), ayudas_(panel) {
    // Back to front as in the table, each new one put in front of the ones
    // before: where two overlap, the mouse finds the front one, as it always
    // found the control drawn last.
    for (std::size_t i = 0; i < diseno::kControles.size(); ++i) {
        const diseno::ControlPanel& datos = diseno::kControles[i];
        const std::wstring nombre(datos.nombre);
        const HWND ventana = ::CreateWindowExW(
            0, WC_BUTTONW, nombre.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_OWNERDRAW, 0, 0, 0,
            0, panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdDe(i))), ModuloPropio(), nullptr);
        if (ventana == nullptr) throw std::runtime_error("no command window");
        ventanas_[i] = ventana;
        ::SetWindowPos(ventana, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SetWindowLongPtrW(ventana, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        procedimientoBoton_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(ventana, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Comandos::Procedimiento)));
        if (!datos.ayuda.empty()) ayudas_.Agregar(ventana, datos.ayuda);
    }
    ::SetWindowLongPtrW(lista_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    procedimientoLista_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(lista_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Comandos::Procedimiento)));
}

Comandos::~Comandos() {
    // The windows may outlive this object by a moment (the panel destroys
    // them): they go back to their own procedures.
    for (const HWND ventana : ventanas_) {
        if (ventana == nullptr || !::IsWindow(ventana)) continue;
        ::SetWindowLongPtrW(ventana, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedimientoBoton_));
        ::SetWindowLongPtrW(ventana, GWLP_USERDATA, 0);
    }
    if (::IsWindow(lista_) && procedimientoLista_ != nullptr) {
        ::SetWindowLongPtrW(lista_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedimientoLista_));
        ::SetWindowLongPtrW(lista_, GWLP_USERDATA, 0);
    }
}

void Comandos::Colocar(UINT dpi) {
    for (std::size_t i = 0; i < ventanas_.size(); ++i) {
        const RECT rect = diseno::APixeles(diseno::kControles[i].rect, dpi);
        ::SetWindowPos(ventanas_[i], nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Comandos::Nombrar(Control control, std::wstring_view nombre) {
    const std::wstring texto(nombre);
    ::SetWindowTextW(Ventana(control), texto.c_str());
}

std::optional<Control> Comandos::ControlDe(HWND ventana) const noexcept {
    if (ventana == nullptr) return std::nullopt;
    for (std::size_t i = 0; i < ventanas_.size(); ++i) {
        if (ventanas_[i] == ventana) return diseno::kControles[i].control;
    }
    return std::nullopt;
}

std::optional<Control> Comandos::ControlDe(WPARAM w, LPARAM l) const noexcept {
    const std::optional<Control> control = ControlDe(reinterpret_cast<HWND>(l));
    if (!control || LOWORD(w) != IdDe(IndiceDe(*control))) return std::nullopt;
    return control;
}

HWND Comandos::Ventana(Control control) const noexcept { return ventanas_[IndiceDe(control)]; }

std::array<HWND, diseno::kTabulacion.size() + 1> Comandos::Paradas() const noexcept {
    std::array<HWND, diseno::kTabulacion.size() + 1> paradas{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < diseno::kTabulacion.size(); ++i) {
        if (i == diseno::kListaEnTabulacion) paradas[n++] = lista_;
        paradas[n++] = Ventana(diseno::kTabulacion[i]);
    }
    if (n < paradas.size()) paradas[n] = lista_;  // the list last
    return paradas;
}

void Comandos::Tabular(bool atras) {
    const auto paradas = Paradas();
    const auto actual = std::ranges::find(paradas, ::GetFocus());
    const std::size_t total = paradas.size();
    std::size_t siguiente = 0;
    if (actual == paradas.end()) {
        siguiente = atras ? total - 1 : 0;
    } else {
        const auto indice = static_cast<std::size_t>(actual - paradas.begin());
        siguiente = atras ? (indice + total - 1) % total : (indice + 1) % total;
    }
    teclado_ = true;
    ::SetFocus(paradas[siguiente]);
    RepintarTodos();
}

void Comandos::Enfocar(HWND ventana) {
    const auto paradas = Paradas();
    if (ventana == nullptr || std::ranges::find(paradas, ventana) == paradas.end()) return;
    ::SetFocus(ventana);
}

std::optional<Control> Comandos::ConFoco() const noexcept {
    if (!teclado_) return std::nullopt;
    return ControlDe(::GetFocus());
}

void Comandos::OlvidarTeclado() {
    if (!teclado_) return;
    teclado_ = false;
    RepintarTodos();
}

void Comandos::Avisar(HWND ventana, WORD aviso) const {
    ::SendMessageW(panel_, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(ventana), aviso), reinterpret_cast<LPARAM>(ventana));
}

void Comandos::RepintarTodos() const {
    // The focus is drawn in the panel's picture, which every command shows
    // its part of: where two overlap, both show it.
    for (const HWND ventana : ventanas_) ::InvalidateRect(ventana, nullptr, FALSE);
}

LRESULT CALLBACK Comandos::Procedimiento(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
    auto* comandos = reinterpret_cast<Comandos*>(::GetWindowLongPtrW(ventana, GWLP_USERDATA));
    if (comandos == nullptr) return ::DefWindowProcW(ventana, mensaje, w, l);
    const WNDPROC propio = ventana == comandos->lista_ ? comandos->procedimientoLista_ : comandos->procedimientoBoton_;
    try {
        return comandos->Procesar(ventana, mensaje, w, l);
    } catch (...) {
        return ::CallWindowProcW(propio, ventana, mensaje, w, l);
    }
}

LRESULT Comandos::Procesar(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
    const std::optional<Control> control = ControlDe(ventana);
    const WNDPROC propio = control ? procedimientoBoton_ : procedimientoLista_;
    if (control && mensaje >= WM_MOUSEFIRST && mensaje <= WM_MOUSELAST) ayudas_.Relevar(ventana, mensaje, w, l);
    switch (mensaje) {
        case WM_LBUTTONDOWN:
            if (control) ++pulsaciones_;
            break;
        case WM_LBUTTONDBLCLK:
            if (!control) break;
            ++pulsaciones_;
            // A key label runs its double-click; on every command, the
            // second press of a double-click is a press like the first, and
            // its release one more click.
            if (diseno::EsEtiquetaTecla(*control)) {
                Avisar(ventana, BN_DOUBLECLICKED);
            }
            return ::CallWindowProcW(propio, ventana, WM_LBUTTONDOWN, w, l);
        case BM_CLICK:
            // What the system's accessibility runs as a button's default
            // action: on a key label, its double-click.
            if (control && diseno::EsEtiquetaTecla(*control)) {
                Avisar(ventana, BN_DOUBLECLICKED);
                return 0;
            }
            break;
        case WM_KEYDOWN:
            if (Tecla(ventana, control, w, l)) return 0;
            break;
        case WM_KEYUP:
            if (control && (w == VK_SPACE || w == VK_RETURN)) return 0;
            break;
        case WM_CHAR:
            // The characters of the keys handled above: a list box would
            // search its entries for them.
            if (w == L'\t' || w == L'\x1b' || (control && (w == L' ' || w == L'\r'))) return 0;
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (teclado_) RepintarTodos();
            break;
        default:
            break;
    }
    return ::CallWindowProcW(propio, ventana, mensaje, w, l);
}

bool Comandos::Tecla(HWND ventana, std::optional<Control> control, WPARAM tecla, LPARAM datos) {
    switch (tecla) {
        case VK_TAB:
            ::SendMessageW(panel_, WM_NEXTDLGCTL, ::GetKeyState(VK_SHIFT) < 0 ? 1 : 0, FALSE);
            return true;
        case VK_ESCAPE:
            if (!Repetida(datos)) ::SendMessageW(panel_, WM_COMMAND, IDCANCEL, 0);
            return true;
        case VK_RETURN:
        case VK_SPACE:
            if (!control) return false;  // Space marks a row of the list
            if (!Repetida(datos)) {
                const WORD aviso = diseno::EsEtiquetaTecla(*control) ? BN_DOUBLECLICKED : BN_CLICKED;
                Avisar(ventana, aviso);
            }
            return true;
        default:
            return false;
    }
}

}  // namespace tesk
