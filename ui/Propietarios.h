// One owner for every Windows handle the program creates, with the matching
// release call.
#pragma once

#include <windows.h>

#include <utility>

namespace tesk {

// What the program holds at this moment, by kind, counted by the owners
// below: Wine reports no USER or GDI object counts for a process, so the
// program keeps its own. Windows are not counted here (a parent destroys its
// children without an owner); RecursosRetenidos counts them live.
enum class Recurso { gdi, user, kernel, ninguno };

namespace detalle {

inline long retenidos[3]{};  // one UI thread

constexpr void Contar(Recurso recurso, long cambio) noexcept {
    if (recurso != Recurso::ninguno) retenidos[static_cast<int>(recurso)] += cambio;
}

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
struct CerrarHandle {
    static constexpr Recurso kRecurso = Recurso::kernel;
    void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};
struct LiberarDc {
    static constexpr Recurso kRecurso = Recurso::gdi;
    HWND ventana = nullptr;
    void operator()(HDC dc) const noexcept { ::ReleaseDC(ventana, dc); }
};
struct DesmapearVista {
    static constexpr Recurso kRecurso = Recurso::ninguno;  // memory, not a handle
    void operator()(void* vista) const noexcept { ::UnmapViewOfFile(vista); }
};
struct BorrarDc {
    static constexpr Recurso kRecurso = Recurso::gdi;
    void operator()(HDC dc) const noexcept { ::DeleteDC(dc); }
};

// Sole owner of one handle (null for none), released with Borrar and
// counted while held.
template <class H, class Borrar>
class Unico {
public:
    Unico() noexcept = default;
    explicit Unico(H handle, Borrar borrar = {}) noexcept : handle_(handle), borrar_(borrar) { Tomado(); }
    Unico(Unico&& otro) noexcept : handle_(std::exchange(otro.handle_, nullptr)), borrar_(otro.borrar_) {}
    Unico& operator=(Unico&& otro) noexcept {
        if (this != &otro) {
            reset();
            handle_ = std::exchange(otro.handle_, nullptr);
            borrar_ = otro.borrar_;
        }
        return *this;
    }
    Unico(const Unico&) = delete;
    Unico& operator=(const Unico&) = delete;
    ~Unico() { reset(); }

    H get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    void reset(H handle = nullptr) noexcept {
        if (handle_ != nullptr) {
            borrar_(handle_);
            Contar(Borrar::kRecurso, -1);
        }
        handle_ = handle;
        Tomado();
    }
    // Gives the handle up without releasing it (it is already gone).
    H release() noexcept {
        if (handle_ != nullptr) Contar(Borrar::kRecurso, -1);
        return std::exchange(handle_, nullptr);
    }

private:
    void Tomado() noexcept {
        if (handle_ != nullptr) Contar(Borrar::kRecurso, +1);
    }

    H handle_ = nullptr;
    [[no_unique_address]] Borrar borrar_{};
};

}  // namespace detalle

// How many objects of a kind the program's owners hold now.
inline long Retenidos(Recurso recurso) noexcept {
    return recurso == Recurso::ninguno ? 0 : detalle::retenidos[static_cast<int>(recurso)];
}

using FuenteUnica = detalle::Unico<HFONT, detalle::BorrarObjetoGdi>;
using BitmapUnico = detalle::Unico<HBITMAP, detalle::BorrarObjetoGdi>;
using PincelUnico = detalle::Unico<HBRUSH, detalle::BorrarObjetoGdi>;
using IconoUnico = detalle::Unico<HICON, detalle::DestruirIcono>;
using CursorUnico = detalle::Unico<HCURSOR, detalle::DestruirCursor>;
using VentanaUnica = detalle::Unico<HWND, detalle::DestruirVentana>;
using HandleUnico = detalle::Unico<HANDLE, detalle::CerrarHandle>;
using DcVentana = detalle::Unico<HDC, detalle::LiberarDc>;
using DcMemoria = detalle::Unico<HDC, detalle::BorrarDc>;
// A view of a section (MapViewOfFile).
using VistaUnica = detalle::Unico<void*, detalle::DesmapearVista>;

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
