#include "panel/FormPrincipal.h"

#include <commctrl.h>

#include <stdexcept>

#include "desktop/Conversiones.h"
#include "panel/Colocacion.h"
#include "panel/DibujoPanel.h"
#include "panel/Inventario.h"
#include "resources/recursos.h"
#include "ui/Clase.h"
#include "ui/Dpi.h"
#include "ui/Graficos.h"
#include "ui/Mensajes.h"
#include "ui/Modulo.h"
#include "ui/ProcedimientoVentana.h"

namespace tesk {

namespace {

inline constexpr wchar_t kMensajeBarraCreada[] = L"TaskbarCreated";
inline constexpr UINT_PTR kIdTemporizador = 1;  // tmrTempo
inline constexpr UINT kIntervaloTemporizador = 100;
inline constexpr std::uint8_t kPorcentajeOpacidad = 90;
// How long a pass waiting for its calls to land sleeps between two looks.
inline constexpr DWORD kEsperaEventosMs = 5;

// PB only contains the list box; it gives it its colours.
LRESULT CALLBACK ProcedimientoMarco(HWND ventana, UINT mensaje, WPARAM w, LPARAM l) {
    if (mensaje == WM_CTLCOLORLISTBOX) {
        const auto dc = reinterpret_cast<HDC>(w);
        ::SetTextColor(dc, diseno::kColorTextoLista);
        ::SetBkColor(dc, diseno::kColorFondo);
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    return ::DefWindowProcW(ventana, mensaje, w, l);
}

void RegistrarClases() {
    const auto icono = static_cast<HICON>(
        ::LoadImageW(ModuloPropio(), MAKEINTRESOURCEW(IDI_TESK), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    RegistrarClase({kClasePanel, ProcedimientoDe<FormPrincipal>, 0, nullptr, icono});
    RegistrarClase({kClaseMarco, ProcedimientoMarco, 0, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))});
}

void Mover(HWND ventana, const RECT& rect) {
    ::MoveWindow(ventana, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

}  // namespace

FormPrincipal::FormPrincipal(Resguardo& resguardo)
    : resguardo_(resguardo),
      motor_(escritorio_, *this, lista_, resguardo, audio_),
      mano_(CargarCursor(IDC_MANO)),
      mensajeBarraCreada_(::RegisterWindowMessageW(kMensajeBarraCreada)),
      mensajeRecursos_(::RegisterWindowMessageW(kMensajeRecursos)),
      mensajeRestaurar_(::RegisterWindowMessageW(kMensajeRestaurar)) {
    const INITCOMMONCONTROLSEX controles{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controles);
    CrearVentanas();
    Form_Load();
    ::ShowWindow(ventana_.get(), SW_SHOW);
    ::UpdateWindow(ventana_.get());
    ::SetTimer(ventana_.get(), kIdTemporizador, kIntervaloTemporizador, nullptr);
}

FormPrincipal::~FormPrincipal() {
    // Reached only when the message loop ends without a close (a WM_QUIT
    // from elsewhere): nothing may stay concealed, no icon may stay behind.
    if (!ventana_) return;
    ::KillTimer(ventana_.get(), kIdTemporizador);
    try {
        motor_.RestaurarAntesDeCerrar();
    } catch (...) {
    }
    bandeja_.QuitarIconoBandeja();
}

void FormPrincipal::CrearVentanas() {
    RegistrarClases();
    // A tool window: the panel lives in the notification area, not on the
    // taskbar. Created hidden; Form_Load places it before it is first shown.
    ventana_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, kClasePanel, kCaptionPanel, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0,
                                     0, nullptr, nullptr, ModuloPropio(), this));
    if (!ventana_) throw std::runtime_error("no panel window");
    const HWND panel = ventana_.get();

    marco_ = ::CreateWindowExW(0, kClaseMarco, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, panel,
                               nullptr, ModuloPropio(), nullptr);
    cajaLista_ = ::CreateWindowExW(
        0, WC_LISTBOXW, nullptr,
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT, 0, 0, 0,
        0, marco_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdLista)), ModuloPropio(), nullptr);
    if (marco_ == nullptr || cajaLista_ == nullptr) throw std::runtime_error("no list box");
    lista_.Enlazar(cajaLista_);
    // A second copy started by the user reaches this one even when this one
    // runs elevated: the message only ever brings windows back.
    if (mensajeRestaurar_ != 0) ::ChangeWindowMessageFilterEx(panel, mensajeRestaurar_, MSGFLT_ALLOW, nullptr);
    // A shell started again while this program runs elevated still tells it
    // to put its icon back.
    if (mensajeBarraCreada_ != 0) ::ChangeWindowMessageFilterEx(panel, mensajeBarraCreada_, MSGFLT_ALLOW, nullptr);

    comandos_ = std::make_unique<Comandos>(panel, cajaLista_);
    comandos_->Nombrar(diseno::Control::LBTecla0, captionTecla_);
    comandos_->Nombrar(diseno::Control::LBLista, captionLista_);
    ultimoFoco_ = cajaLista_;
    AplicarDpi(DpiDe(panel));
}

void FormPrincipal::CargarIconos(UINT dpi) {
    // Drawn at the sizes the system uses at this DPI, so nothing scales them.
    IconoUnico grande = CargarIcono(IDI_TESK, MetricaParaDpi(SM_CXICON, dpi));
    IconoUnico pequeno = CargarIcono(IDI_TESK, MetricaParaDpi(SM_CXSMICON, dpi));
    const HWND panel = ventana_.get();
    ::SendMessageW(panel, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(grande.get()));
    ::SendMessageW(panel, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(pequeno.get()));
    // The shell keeps its own copy of the icon; the old one goes after it
    // has the new.
    bandeja_.CambiarImagen(IconoDe(pequeno.get()));
    iconoGrande_ = std::move(grande);
    iconoPequeno_ = std::move(pequeno);
}

void FormPrincipal::AplicarDpi(UINT dpi) {
    apariencia_ = std::make_unique<Apariencia>(dpi);
    CargarIconos(dpi);
    const HWND panel = ventana_.get();
    ::SetWindowPos(panel, nullptr, 0, 0, APixeles(diseno::kAnchoPanel, dpi), APixeles(diseno::kAltoPanel, dpi),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Mover(marco_, diseno::APixeles(diseno::kPB, dpi));
    Mover(cajaLista_, diseno::APixeles(diseno::kLista, dpi));
    ::SendMessageW(cajaLista_, WM_SETFONT, reinterpret_cast<WPARAM>(apariencia_->FuenteLista()), TRUE);
    comandos_->Colocar(dpi);
    ::RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void FormPrincipal::Form_Load() {
    // Oculto, Tecla and Modo hold their start-up values from the engine's
    // construction; ShBorde is drawn around the client area at every paint.
    Colocar();
    bandeja_.AgregarIconoBandeja(VentanaPropia(), IconoDe(iconoPequeno_.get()));
    // Before the first show, so the panel is translucent from its first frame.
    EstablecerTransparencia(escritorio_, VentanaPropia(), kPorcentajeOpacidad);
    motor_.ActualizarLista();
}

POINT FormPrincipal::Esquina() const {
    // Near the bottom-right corner of the primary screen, inside the part of
    // it the taskbar leaves free, on whichever edge the taskbar is.
    const UINT dpi = apariencia_->Dpi();
    const colocacion::Rect pantalla{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT libre{};
    const colocacion::Rect trabajo = ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &libre, 0) && libre.right > libre.left &&
                                             libre.bottom > libre.top
                                         ? colocacion::Rect{libre.left, libre.top, libre.right, libre.bottom}
                                         : pantalla;
    // The sum of the two, converted once, as the panel has always been placed.
    const int ancho = APixeles(diseno::kAnchoPanel, dpi);
    const int alto = APixeles(diseno::kAltoPanel, dpi);
    const int margenDerecho = APixeles(diseno::kAnchoPanel + diseno::kMargenDerecho, dpi) - ancho;
    const int margenInferior = APixeles(diseno::kAltoPanel + diseno::kMargenInferior, dpi) - alto;
    const colocacion::Punto punto = colocacion::Colocar(pantalla, trabajo, ancho, alto, margenDerecho, margenInferior);
    return {punto.x, punto.y};
}

void FormPrincipal::Colocar() {
    const POINT esquina = Esquina();
    ::SetWindowPos(ventana_.get(), nullptr, esquina.x, esquina.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPrincipal::SeguirEnSuEsquina() {
    // The user has no way to move the panel. A window manager that placed
    // it somewhere else when it was shown, another program that moved it,
    // a screen that changed size: on the next tick it is back in its
    // corner (at most one move a tick, whoever insists).
    const HWND panel = ventana_.get();
    RECT rect{};
    if (!::IsWindowVisible(panel) || !::GetWindowRect(panel, &rect)) return;
    const POINT esquina = Esquina();
    if (rect.left != esquina.x || rect.top != esquina.y) Colocar();
}

// Host operations.

Handle FormPrincipal::VentanaPropia() { return HandleDe(ventana_.get()); }

void FormPrincipal::OcultarPanel() {
    // A tooltip left up would otherwise be taken for a window to conceal.
    comandos_->OcultarAyuda();
    ::ShowWindow(ventana_.get(), SW_HIDE);
    comandos_->OlvidarTeclado();
}

void FormPrincipal::QuitarIconoBandeja() { bandeja_.QuitarIconoBandeja(); }

void FormPrincipal::RestaurarIconoBandeja() {
    bandeja_.AgregarIconoBandeja(VentanaPropia(), IconoDe(iconoPequeno_.get()));
}

void FormPrincipal::ProcesarEventos() { AtenderPendientes(); }

void FormPrincipal::EsperarEventos() {
    // Until something arrives for the program or a few milliseconds pass:
    // the windows asked to change show it in their own time.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, kEsperaEventosMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    ProcesarEventos();
}

std::int64_t FormPrincipal::Reloj() { return static_cast<std::int64_t>(::GetTickCount64()); }

// Messages.

LRESULT FormPrincipal::Despachar(UINT mensaje, WPARAM w, LPARAM l) {
    const HWND panel = ventana_.get();
    // Nothing of the panel's own runs while its children are being made.
    if (!comandos_ || !apariencia_) return ::DefWindowProcW(panel, mensaje, w, l);
    if (mensaje == mensajeBarraCreada_ && mensaje != 0) {
        // A new shell may come with another DPI: the icon is loaded again.
        CargarIconos(DpiDe(panel));
        bandeja_.ShellReiniciado();
        return 0;
    }
    if (mensaje == mensajeRecursos_ && mensaje != 0) {
        return inventario_.Responder(w, {motor_.Tecla(), resguardo_.Vigilante(), motor_.TeclaRegistrada(),
                                         comandos_->Pulsaciones()});
    }
    if (mensaje == mensajeRestaurar_ && mensaje != 0) {
        // Whatever it carries: it asks for the restore, nothing else.
        motor_.PedirRestauracion();
        return 0;
    }
    switch (mensaje) {
        case WM_PAINT:
            Form_Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_DRAWITEM:
            // Only from the program's own commands, which send it on this
            // thread: what another program sends may point anywhere.
            if (::InSendMessage() || l == 0) return FALSE;
            Form_DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
            return TRUE;
        case WM_SETCURSOR:
            if (Form_SetCursor(reinterpret_cast<HWND>(w))) return TRUE;
            break;
        case WM_LBUTTONDOWN:
            inventario_.Pulsacion();
            return 0;
        case WM_COMMAND:
            Form_Command(w, l);
            return 0;
        case WM_NEXTDLGCTL:
            // As a dialog takes it: the next or previous stop of the tab
            // order, or the window named.
            if (LOWORD(l) != 0)
                comandos_->Enfocar(reinterpret_cast<HWND>(w));
            else
                comandos_->Tabular(w != 0);
            return 0;
        case WM_ACTIVATE:
            // The focus is still where it was: it is taken back there when
            // the panel is active again.
            if (LOWORD(w) == WA_INACTIVE) {
                const HWND foco = ::GetFocus();
                if (foco != nullptr && (foco == cajaLista_ || comandos_->ControlDe(foco))) ultimoFoco_ = foco;
            }
            break;
        case kMensajeIcono:
            Icono_Aviso(w, l);
            return 0;
        case WM_HOTKEY:
            // Only the key the program registered, and only as the key it
            // watches now (one posted before a change of key is stale).
            if (w == static_cast<WPARAM>(kIdTeclaActivacion) && HIWORD(l) == static_cast<UINT>(motor_.Tecla()))
                motor_.TeclaRegistradaPulsada();
            return 0;
        case WM_TIMER:
            if (w == kIdTemporizador) {
                motor_.tmrTempo_Timer();
                // Counted only when no pass goes on below this one.
                if (!motor_.EnPasada()) {
                    SeguirEnSuEsquina();
                    bandeja_.Reintentar();
                    inventario_.Tick();
                }
            }
            return 0;
        case WM_SETFOCUS:
            Form_SetFocus();
            return 0;
        case WM_DPICHANGED:
            Form_DpiChanged();
            return 0;
        case WM_SETTINGCHANGE:
            // The taskbar moved, grew or hid: the panel follows the work
            // area at once (the tick would bring it back too).
            if (w == SPI_SETWORKAREA) Colocar();
            break;
        case WM_DISPLAYCHANGE:
            Colocar();
            break;
        case WM_CLOSE:
            Terminar();  // does not return
        case WM_QUERYENDSESSION:
            return Form_QueryEndSession();
        case WM_ENDSESSION:
            if (w) Terminar(false);  // the session ends: so does the program, at once
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(panel, mensaje, w, l);
}

void FormPrincipal::DibujarEn(HDC dc, const RECT& cliente) const {
    const TextosPanel textos{captionTecla_, captionLista_};
    DibujarPanel(dc, cliente, *apariencia_, textos, comandos_->ConFoco());
}

void FormPrincipal::Form_Paint() {
    PintarSinParpadeo(ventana_.get(), [&](HDC dc, const RECT& cliente) { DibujarEn(dc, cliente); });
}

void FormPrincipal::Form_DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON || !comandos_->ControlDe(item.hwndItem)) return;
    // The part of the panel's picture the command covers: where it sits in
    // the panel goes to the top-left corner of its own rectangle.
    const HWND panel = ventana_.get();
    RECT enPanel{};
    ::GetWindowRect(item.hwndItem, &enPanel);
    ::MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&enPanel), 2);
    RECT cliente{};
    ::GetClientRect(panel, &cliente);
    DibujarSinParpadeo(item.hDC, item.rcItem, POINT{enPanel.left, enPanel.top},
                       [&](HDC dc) { DibujarEn(dc, cliente); });
}

bool FormPrincipal::Form_SetCursor(HWND bajoCursor) {
    // The hand over everything that reacts to the mouse: the commands and
    // the list.
    if (!::IsWindowEnabled(ventana_.get())) return false;
    if (bajoCursor != cajaLista_ && !comandos_->ControlDe(bajoCursor)) return false;
    ::SetCursor(mano_ ? mano_.get() : ::LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void FormPrincipal::Form_SetFocus() {
    // The panel itself takes no keys: the focus goes where it was last, or
    // to the list.
    const HWND destino = ultimoFoco_ != nullptr && ::IsChild(ventana_.get(), ultimoFoco_) ? ultimoFoco_ : cajaLista_;
    ::SetFocus(destino);
}

void FormPrincipal::Form_DpiChanged() {
    // Any program can send WM_DPICHANGED, with any numbers and any pointer:
    // neither is read. The DPI is the one the system gives the window now,
    // and the panel goes back to its corner, which is where the suggested
    // rectangle would put it too.
    const UINT dpi = DpiDe(ventana_.get());
    if (dpi != apariencia_->Dpi()) AplicarDpi(dpi);
    Colocar();
}

}  // namespace tesk
