#include "ui/Graficos.h"

#include <algorithm>

#include "ui/Modulo.h"

namespace tesk {

namespace {

inline constexpr int kCentesimasPorPulgada = 7200;  // 72 points of 100 hundredths
inline constexpr UINT kDpiDibujoDoble = 144;        // 150 %

}  // namespace

FuenteUnica CrearFuente(std::wstring_view cara, int centesimasPunto, bool negrita, UINT dpi) {
    LOGFONTW datos{};
    datos.lfHeight = -::MulDiv(centesimasPunto, static_cast<int>(dpi), kCentesimasPorPulgada);
    datos.lfWeight = negrita ? FW_BOLD : FW_NORMAL;
    datos.lfCharSet = DEFAULT_CHARSET;
    datos.lfOutPrecision = OUT_TT_PRECIS;
    datos.lfQuality = CLEARTYPE_QUALITY;
    const std::size_t largo = std::min(cara.size(), std::size(datos.lfFaceName) - 1);
    std::copy_n(cara.data(), largo, datos.lfFaceName);
    return FuenteUnica(::CreateFontIndirectW(&datos));
}

FuenteUnica CrearFuenteInterfaz(UINT dpi) {
    NONCLIENTMETRICSW metricas{};
    metricas.cbSize = sizeof metricas;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metricas, &metricas, 0)) {
        return FuenteUnica(nullptr);
    }
    // The metrics come at the system's DPI.
    const DcVentana pantalla = DcDe(nullptr);
    const int dpiSistema = pantalla ? ::GetDeviceCaps(pantalla.get(), LOGPIXELSY) : 0;
    LOGFONTW datos = metricas.lfMessageFont;
    if (dpiSistema > 0) datos.lfHeight = ::MulDiv(datos.lfHeight, static_cast<int>(dpi), dpiSistema);
    datos.lfQuality = CLEARTYPE_QUALITY;
    return FuenteUnica(::CreateFontIndirectW(&datos));
}

IconoUnico CargarIcono(int id, int lado) {
    return IconoUnico(static_cast<HICON>(
        ::LoadImageW(ModuloPropio(), MAKEINTRESOURCEW(id), IMAGE_ICON, lado, lado, LR_DEFAULTCOLOR)));
}

BitmapUnico CargarBitmap(int id) {
    return BitmapUnico(static_cast<HBITMAP>(
        ::LoadImageW(ModuloPropio(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

BitmapUnico CargarBitmapParaDpi(int id, int idDoble, UINT dpi) {
    if (dpi >= kDpiDibujoDoble) {
        if (BitmapUnico doble = CargarBitmap(idDoble)) return doble;
    }
    return CargarBitmap(id);
}

CursorUnico CargarCursor(int id) {
    return CursorUnico(
        static_cast<HCURSOR>(::LoadImageW(ModuloPropio(), MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
}

void DibujarBitmap(HDC dc, HBITMAP bitmap, const RECT& destino) {
    if (bitmap == nullptr) return;
    BITMAP datos{};
    if (::GetObjectW(bitmap, sizeof datos, &datos) == 0) return;
    const DcMemoria origen(::CreateCompatibleDC(dc));
    if (!origen) return;
    const SeleccionGdi seleccion(origen.get(), bitmap);
    const int ancho = destino.right - destino.left;
    const int alto = destino.bottom - destino.top;
    if (ancho == datos.bmWidth && alto == datos.bmHeight) {
        ::BitBlt(dc, destino.left, destino.top, ancho, alto, origen.get(), 0, 0, SRCCOPY);
        return;
    }
    const int modoAnterior = ::SetStretchBltMode(dc, HALFTONE);
    POINT origenPincel{};
    ::SetBrushOrgEx(dc, 0, 0, &origenPincel);
    ::StretchBlt(dc, destino.left, destino.top, ancho, alto, origen.get(), 0, 0, datos.bmWidth, datos.bmHeight,
                 SRCCOPY);
    ::SetBrushOrgEx(dc, origenPincel.x, origenPincel.y, nullptr);
    ::SetStretchBltMode(dc, modoAnterior);
}

void DibujarTexto(HDC dc, std::wstring_view texto, const RECT& rect, HFONT fuente, COLORREF color, UINT alineacion) {
    const SeleccionGdi seleccion(dc, fuente);
    const int modoAnterior = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF colorAnterior = ::SetTextColor(dc, color);
    RECT caja = rect;
    ::DrawTextW(dc, texto.data(), static_cast<int>(texto.size()), &caja,
                alineacion | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    ::SetTextColor(dc, colorAnterior);
    ::SetBkMode(dc, modoAnterior);
}

}  // namespace tesk
