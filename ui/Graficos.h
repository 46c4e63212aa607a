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

// Answers WM_PAINT: dibujar(dc, client rectangle) paints into an off-screen
// bitmap that is then copied to the window in one go, so nothing flickers.
template <class Dibujo>
void PintarSinParpadeo(HWND ventana, Dibujo&& dibujar) {
    const Pintura pintura(ventana);
    RECT cliente{};
    ::GetClientRect(ventana, &cliente);
    const DcMemoria memoria(::CreateCompatibleDC(pintura.Dc()));
    const BitmapUnico lienzo(::CreateCompatibleBitmap(pintura.Dc(), cliente.right, cliente.bottom));
    if (!memoria || !lienzo) {
        dibujar(pintura.Dc(), cliente);
        return;
    }
    const SeleccionGdi seleccion(memoria.get(), lienzo.get());
    dibujar(memoria.get(), cliente);
    ::BitBlt(pintura.Dc(), 0, 0, cliente.right, cliente.bottom, memoria.get(), 0, 0, SRCCOPY);
}

}  // namespace tesk
