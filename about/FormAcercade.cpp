#include "about/FormAcercade.h"

#include "about/Nombres.h"
#include "about/Version.h"
#include "resources/recursos.h"
#include "ui/Clase.h"
#include "ui/Dpi.h"
#include "ui/Graficos.h"
#include "ui/Mensajes.h"
#include "ui/Modulo.h"
#include "ui/ProcedimientoVentana.h"
#include "ui/Twips.h"

namespace tesk {

namespace {


// The client area, which the picture fills, and LBVer, in twips.
inline constexpr int kAncho = 4245;
inline constexpr int kAlto = 2550;
inline constexpr RectTwips kLBVer{2880, 2280, 1095, 255};
inline constexpr std::wstring_view kTextoVersionInicial = L"versión";
// LBVer: Arial 8.25 pt bold.
inline constexpr std::wstring_view kFuenteVersion = L"Arial";
inline constexpr int kCentesimasPuntoVersion = 825;
inline constexpr COLORREF kColorVersion = 0x00404040;
inline constexpr COLORREF kColorFondo = 0x00000000;

// Enter, Space and Esc close the box as a click does; a key held down
// repeats, and only its first press counts.
bool CierraLaCaja(WPARAM tecla, LPARAM datos) {
    const bool repetida = (datos & (LPARAM{1} << 30)) != 0;
    return !repetida && (tecla == VK_RETURN || tecla == VK_SPACE || tecla == VK_ESCAPE);
}

}  // namespace

void FormAcercade::MostrarModal(HWND propietario) {
    RegistrarClase(
        {kClaseAcercade, ProcedimientoDe<FormAcercade>, 0, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))});
    propietario_ = propietario;
    ventana_.reset(
        ::CreateWindowExW(0, kClaseAcercade, kCaptionAcercade, WS_POPUP, 0, 0, 0, 0, propietario, nullptr, ModuloPropio(), this));
    if (!ventana_) return;
    Form_Load();

    ::EnableWindow(propietario_, FALSE);
    ::ShowWindow(ventana_.get(), SW_SHOW);
    ::SetForegroundWindow(ventana_.get());
    ::UpdateWindow(ventana_.get());

    BucleModal([this] { return static_cast<bool>(ventana_); });
    Cerrar();
}

void FormAcercade::Form_Load() {
    const HWND ventana = ventana_.get();
    dpi_ = DpiDe(ventana);
    imagen_ = CargarBitmap(IDB_ACERCA);
    fuenteVersion_ = CrearFuente(kFuenteVersion, kCentesimasPuntoVersion, true, dpi_);
    const std::optional<NumerosVersion> version = VersionDelPrograma();
    textoVersion_ = version ? TextoVersion(*version) : std::wstring(kTextoVersionInicial);

    // Centred on the screen.
    const int ancho = APixeles(kAncho, dpi_);
    const int alto = APixeles(kAlto, dpi_);
    ::SetWindowPos(ventana, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - ancho) / 2,
                   (::GetSystemMetrics(SM_CYSCREEN) - alto) / 2, ancho, alto, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT FormAcercade::Despachar(UINT mensaje, WPARAM w, LPARAM l) {
    const HWND ventana = ventana_.get();
    switch (mensaje) {
        case WM_PAINT:
            Form_Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            presionado_ = true;
            return 0;
        case WM_LBUTTONUP:
            if (presionado_) Form_Click();
            return 0;
        case WM_KEYDOWN:
            if (CierraLaCaja(w, l)) Form_Click();
            return 0;
        case WM_CLOSE:
            Cerrar();
            return 0;
        case WM_NCDESTROY:
            // Destroyed along with its owner: nothing left to close.
            (void)ventana_.release();
            break;
        default:
            break;
    }
    return ::DefWindowProcW(ventana, mensaje, w, l);
}

void FormAcercade::Form_Paint() {
    PintarSinParpadeo(ventana_.get(), [&](HDC dc, const RECT& cliente) {
        const PincelUnico fondo(::CreateSolidBrush(kColorFondo));
        ::FillRect(dc, &cliente, fondo.get());
        DibujarBitmap(dc, imagen_.get(), cliente);
        DibujarTexto(dc, textoVersion_, APixeles(kLBVer, dpi_), fuenteVersion_.get(), kColorVersion);
    });
}

void FormAcercade::Form_Click() { Cerrar(); }

void FormAcercade::Cerrar() {
    // The owner takes input again before the box goes, so that it, not some
    // other program, becomes the active window.
    if (propietario_ != nullptr) ::EnableWindow(propietario_, TRUE);
    ventana_.reset();
}

}  // namespace tesk
