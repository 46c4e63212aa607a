// The panel's commands as child windows: an owner-drawn button over each
// image and label the panel paints, which paints the very same picture (the
// panel draws it for them), so the panel looks as it always has. Being real
// controls, they take the keyboard focus, and the system's accessibility
// presents each as a button named by its window text.
//
// The keys of the panel are handled here, on the commands and on the list
// box: Tab and Shift+Tab move the focus through the tab order and round
// again, Enter and Space run the command with the focus (on a key label,
// what its double-click runs), Esc hides the panel. The list box keeps its
// own keys. The panel hears of it through the messages a dialog's controls
// send: WM_COMMAND with BN_CLICKED or BN_DOUBLECLICKED from a command,
// WM_NEXTDLGCTL, and IDCANCEL.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string_view>

#include "panel/Ayudas.h"
#include "panel/Diseno.h"

namespace tesk {

class Comandos {
public:
    // The commands of a panel and the list box it holds.
    Comandos(HWND panel, HWND lista);
    ~Comandos();
    Comandos(const Comandos&) = delete;
    Comandos& operator=(const Comandos&) = delete;

    // Places every command over its part of the panel at a DPI.
    void Colocar(UINT dpi);
    // Names a command: its window text.
    void Nombrar(diseno::Control control, std::wstring_view nombre);

    // The command a window is, if it is one; and the one a WM_COMMAND
    // names, if it names one of them truly (identifier and window agree).
    std::optional<diseno::Control> ControlDe(HWND ventana) const noexcept;
    std::optional<diseno::Control> ControlDe(WPARAM w, LPARAM l) const noexcept;

    // Moves the keyboard focus to the next stop of the tab order, or the
    // previous one, and shows where it is from then on.
    void Tabular(bool atras);
    // Moves it to that window, if it is a stop of the tab order.
    void Enfocar(HWND ventana);
    // The command that has the keyboard focus while the focus is shown.
    std::optional<diseno::Control> ConFoco() const noexcept;
    // The panel went away: the focus is not shown again until the keyboard
    // moves it.
    void OlvidarTeclado();

    // Left-button presses the commands have had.
    long Pulsaciones() const noexcept { return pulsaciones_; }
    // Takes down a tooltip being shown.
    void OcultarAyuda() { ayudas_.Ocultar(); }

private:
    static LRESULT CALLBACK Procedimiento(HWND ventana, UINT mensaje, WPARAM w, LPARAM l);
    LRESULT Procesar(HWND ventana, UINT mensaje, WPARAM w, LPARAM l);
    // A key pressed on a command or on the list box; false for one that is
    // theirs to handle.
    bool Tecla(HWND ventana, std::optional<diseno::Control> control, WPARAM tecla, LPARAM datos);
    HWND Ventana(diseno::Control control) const noexcept;
    // The stops of the tab order, the list box among them.
    std::array<HWND, diseno::kTabulacion.size() + 1> Paradas() const noexcept;
    void RepintarTodos() const;
    // Tells the panel a command ran, as a button does (BN_CLICKED or
    // BN_DOUBLECLICKED).
    void Avisar(HWND ventana, WORD aviso) const;

    HWND panel_;
    HWND lista_;
    // In the layout table's order; the panel destroys them along with
    // itself.
    std::array<HWND, diseno::kControles.size()> ventanas_{};
    WNDPROC procedimientoBoton_ = nullptr;
    WNDPROC procedimientoLista_ = nullptr;
    Ayudas ayudas_;
    bool teclado_ = false;  // the focus has moved by keyboard: it is shown
    long pulsaciones_ = 0;
};

}  // namespace tesk
