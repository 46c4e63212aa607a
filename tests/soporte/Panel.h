// The panel as another program sees it: found by its title among the
// program's windows, read through the window manager and its list box, and
// clicked where its controls are drawn.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "panel/Nombres.h"

#include "tests/soporte/Maqueta.h"

namespace tesk::e2e {

// Where rows are clicked, in pixels from the list's left edge, unless told.
inline constexpr int kMargenFila = 12;
// A click lost on its way (on the panel or its icon) is sent again, up to
// this many times in all.
inline constexpr int kIntentosClic = 3;

class Panel {
public:
    // The panel of the program running as that process, or a null panel.
    static Panel DelProceso(DWORD proceso);

    explicit Panel(HWND ventana = nullptr);

    HWND Hwnd() const { return ventana_; }
    explicit operator bool() const { return ventana_ != nullptr; }

    bool Visible() const { return IsWindowVisible(ventana_) != FALSE; }
    bool SiempreEncima() const;
    // The opacity byte of a layered panel; -1 when the panel is not layered.
    int Alfa() const;
    RECT RectVentana() const;
    SIZE TamanoCliente() const;
    // The DPI the panel was laid out for: the screen's.
    UINT Dpi() const;

    // What the program answers to kMensajeRecursos: a count of that kind, or
    // nothing when the panel does not answer within a few seconds.
    std::optional<long> Preguntar(TipoRecurso tipo) const;
    // The ticks of its timer handled to the end so far.
    std::optional<long> Ticks() const { return Preguntar(TipoRecurso::ticks); }
    // The activation key it watches (a virtual-key code).
    std::optional<long> Tecla() const { return Preguntar(TipoRecurso::tecla); }

    // The list box and the picture box that clips it: children of the panel.
    HWND CajaLista() const { return caja_; }
    HWND Marco() const { return GetParent(caja_); }

    std::vector<std::wstring> Textos() const;
    // The position of the first entry with that text, or -1.
    int Fila(const std::wstring& texto) const;
    std::vector<bool> Marcas() const;
    bool Marcada(int indice) const;
    void Marcar(int indice, bool marcada) const;
    void MarcarTodas(bool marcadas) const;
    // A real click on a row of the list, which toggles its mark; it returns
    // once the mark has changed, and a click lost on its way is sent again.
    // Like every click here, it moves the mouse out of the way afterwards,
    // so that no tooltip comes up.
    // The click lands that many pixels in from the row's left edge: two
    // clicks on the same row a few pixels apart are two clicks, not a
    // double-click.
    void ClicEnFila(int indice, int desdeIzquierda = kMargenFila) const;

    // The screen point in the middle of a control.
    POINT PuntoDe(const RectTwips& control) const;
    // A real click (or double-click) in the middle of a control, which
    // returns once the panel has had its presses. A click lost on its way
    // (the panel's timer says so) is sent again, so that it is never taken
    // for one the program ignored. Fails the calling test when something
    // else covers that point.
    void ClicEn(const RectTwips& control) const;
    void DobleClicEn(const RectTwips& control) const;
    // A click there that the panel must not take (a box of its own is in
    // front of it): sent once, not awaited.
    void ClicQueNoLlega(const RectTwips& control) const;

private:
    // Where a click on that row lands, on the screen.
    POINT PuntoDeFila(int indice, int desdeIzquierda) const;
    // That many presses in the middle of a control, sent again while lost.
    void Pulsar(const RectTwips& control, long presiones) const;
    // Clicks the point `donde` gives, and again at the point it gives then
    // when the panel's own timer shows the click was lost on its way:
    // `llego` says it got there, `nadaLlego` that nothing of it did. Fails
    // the calling test when something else covers the point (it must reach
    // `destino`), when part of the click arrived, or when it was lost three
    // times.
    void HastaQueLlegue(HWND destino, const std::function<POINT()>& donde, const std::function<void(POINT)>& enviar,
                        const std::function<bool()>& llego, const std::function<bool()>& nadaLlego) const;

    HWND ventana_ = nullptr;
    HWND caja_ = nullptr;
};

// Where the mouse rests when it is not clicking: over no window of the tests
// and over no tray icon, so no tooltip comes up.
void ApartarRaton();

// What is at a point of the screen, and who holds the mouse and the
// foreground: said when a click did not get where it was sent.
std::string LoQueHayEn(POINT punto);

// Whether the point reaches this window, or a child of it, and nothing in
// front of it.
bool Alcanza(HWND ventana, POINT punto);

// The same, waited for (a window manager may place a window a moment after
// it maps it): punto is where donde() last said. Fails the calling test,
// saying what covers the point, when it never reaches the window.
bool EsperarQueAlcance(HWND ventana, const std::function<POINT()>& donde, POINT& punto);

}  // namespace tesk::e2e
