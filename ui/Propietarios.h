// The window toolkit's owners: GDI objects, icons, cursors, windows and
// device contexts, each with the matching release call, counted with the
// kernel's owners (desktop/Propietarios.h); and the scoped selections and
// paints of a device context.
#pragma once

#include <windows.h>

#include "desktop/Propietarios.h"

namespace tesk {

namespace detalle {

struct BorrarObjetoGdi {
    static constexpr Recurso kRecurso = Recurso::gdi;
    void operator()(HGDIOBJ objeto) const noexcept { ::DeleteObject(objeto); }
};
struct DestruirIcono {
    static constexpr Recurso kRecurso = Recurso::user;
    void operator()(HICON icono) const noexcept { ::DestroyIcon(icono); }
};
struct DestruirCursor {
    static constexpr Recurso kRecurso = Recurso::user;
    void operator()(HCURSOR cursor) const noexcept { ::DestroyCursor(cursor); }
};
struct DestruirVentana {
    static constexpr Recurso kRecurso = Recurso::ninguno;
    void operator()(HWND ventana) const noexcept { ::DestroyWindow(ventana); }
};
struct LiberarDc {
    static constexpr Recurso kRecurso = Recurso::gdi;
    HWND ventana = nullptr;
    void operator()(HDC dc) const noexcept { ::ReleaseDC(ventana, dc); }
};
struct BorrarDc {
    static constexpr Recurso kRecurso = Recurso::gdi;
    void operator()(HDC dc) const noexcept { ::DeleteDC(dc); }
};

}  // namespace detalle

using FuenteUnica = detalle::Unico<HFONT, detalle::BorrarObjetoGdi>;
using BitmapUnico = detalle::Unico<HBITMAP, detalle::BorrarObjetoGdi>;
using PincelUnico = detalle::Unico<HBRUSH, detalle::BorrarObjetoGdi>;
using IconoUnico = detalle::Unico<HICON, detalle::DestruirIcono>;
using CursorUnico = detalle::Unico<HCURSOR, detalle::DestruirCursor>;
using VentanaUnica = detalle::Unico<HWND, detalle::DestruirVentana>;
using DcVentana = detalle::Unico<HDC, detalle::LiberarDc>;
using DcMemoria = detalle::Unico<HDC, detalle::BorrarDc>;

// The device context of a window's client area, released on scope exit.
inline DcVentana DcDe(HWND ventana) { return DcVentana(::GetDC(ventana), detalle::LiberarDc{ventana}); }

// Selects an object into a device context and puts the previous one back on
// scope exit.
class SeleccionGdi {
public:
    SeleccionGdi(HDC dc, HGDIOBJ objeto) : dc_(dc), anterior_(::SelectObject(dc, objeto)) {}
    ~SeleccionGdi() { ::SelectObject(dc_, anterior_); }
    SeleccionGdi(const SeleccionGdi&) = delete;
    SeleccionGdi& operator=(const SeleccionGdi&) = delete;

private:
    HDC dc_;
    HGDIOBJ anterior_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class Pintura {
public:
    explicit Pintura(HWND ventana) : ventana_(ventana), dc_(::BeginPaint(ventana, &datos_)) {}
    ~Pintura() { ::EndPaint(ventana_, &datos_); }
    Pintura(const Pintura&) = delete;
    Pintura& operator=(const Pintura&) = delete;

    HDC Dc() const noexcept { return dc_; }

private:
    HWND ventana_;
    PAINTSTRUCT datos_{};
    HDC dc_;
};

}  // namespace tesk
