// Drawing helpers shared by the panel and the About box: fonts at a DPI, the
// program's pictures, and drawing them into a rectangle.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/Propietarios.h"

namespace tesk {

// A font of the given face and size (in hundredths of a point) at a DPI.
FuenteUnica CrearFuente(std::wstring_view cara, int centesimasPunto, bool negrita, UINT dpi);

// The system's message font, at a DPI.
FuenteUnica CrearFuenteInterfaz(UINT dpi);

// Resources of the program; null when missing.
IconoUnico CargarIcono(int id, int lado);
BitmapUnico CargarBitmap(int id);
// The twice-as-large drawing from 150 % scaling up, the plain one below.
BitmapUnico CargarBitmapParaDpi(int id, int idDoble, UINT dpi);
CursorUnico CargarCursor(int id);

// The bitmap filling the rectangle, smoothly scaled when the sizes differ.
void DibujarBitmap(HDC dc, HBITMAP bitmap, const RECT& destino);

// One line of text at the top of the rectangle, clipped to it, on a
// transparent background; alineacion is DT_LEFT or DT_CENTER.
void DibujarTexto(HDC dc, std::wstring_view texto, const RECT& rect, HFONT fuente, COLORREF color,
                  UINT alineacion = DT_LEFT);

// dibujar(dc) paints into an off-screen bitmap the size of `zona` (in the
// coordinates of `destino`), with the drawing's point `origen` at the
// bitmap's top-left corner; the bitmap is then copied into `zona` in one
// go, so nothing flickers.
template <class Dibujo>
void DibujarSinParpadeo(HDC destino, const RECT& zona, POINT origen, Dibujo&& dibujar) {
    const int ancho = zona.right - zona.left;
    const int alto = zona.bottom - zona.top;
    const DcMemoria memoria(::CreateCompatibleDC(destino));
    const BitmapUnico lienzo(::CreateCompatibleBitmap(destino, ancho, alto));
    if (!memoria || !lienzo) {
        POINT anterior{};
        ::SetViewportOrgEx(destino, zona.left - origen.x, zona.top - origen.y, &anterior);
        dibujar(destino);
        ::SetViewportOrgEx(destino, anterior.x, anterior.y, nullptr);
        return;
    }
    const SeleccionGdi seleccion(memoria.get(), lienzo.get());
    ::SetViewportOrgEx(memoria.get(), -origen.x, -origen.y, nullptr);
    dibujar(memoria.get());
    ::SetViewportOrgEx(memoria.get(), 0, 0, nullptr);
    ::BitBlt(destino, zona.left, zona.top, ancho, alto, memoria.get(), 0, 0, SRCCOPY);
}

// Answers WM_PAINT: dibujar(dc, client rectangle) paints the whole client
// area, off-screen first.
template <class Dibujo>
void PintarSinParpadeo(HWND ventana, Dibujo&& dibujar) {
    const Pintura pintura(ventana);
    RECT cliente{};
    ::GetClientRect(ventana, &cliente);
    DibujarSinParpadeo(pintura.Dc(), cliente, POINT{0, 0}, [&](HDC dc) { dibujar(dc, cliente); });
}

}  // namespace tesk
