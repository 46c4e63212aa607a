// The panel's layout, in twips, and its colours. Everything the panel draws
// or places is converted from here to pixels at the window's DPI.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <string_view>

#include "ui/Twips.h"

namespace tesk::diseno {

using tesk::APixeles;
using tesk::RectTwips;

// The client area, and the margins that place the panel near the bottom-right
// corner of the primary screen.
inline constexpr int kAnchoPanel = 2520;
inline constexpr int kAltoPanel = 3420;
inline constexpr int kMargenDerecho = 100;
inline constexpr int kMargenInferior = 500;

// The commands: the images and labels that react to the mouse and the
// keyboard.
enum class Control { ImAcerca, ImMinimizar, ImCerrar, LBTecla1, LBTecla0, LBLista, ImCambiar };

struct ControlPanel {
    Control control;
    RectTwips rect;
    std::wstring_view ayuda;   // tooltip, empty for none
    // What assistive technology calls it: an image's tooltip or what it
    // opens, a label's text (empty for the labels whose text changes: the
    // panel names them).
    std::wstring_view nombre;
};

inline constexpr std::wstring_view kAyudaTecla = L"Doble click para cambiar la tecla de activación";
inline constexpr std::wstring_view kTextoTecla1 = L"Activar / Desactivar con:";
// Back to front: where two rectangles overlap, the later control takes the
// mouse.
inline constexpr std::array<ControlPanel, 7> kControles{{
    {Control::ImAcerca, {100, 60, 1395, 420}, L"", L"Acerca de Tesk"},
    {Control::ImMinimizar, {2040, 0, 240, 240}, L"Ocultar", L"Ocultar"},
    {Control::ImCerrar, {2280, 30, 240, 240}, L"Cerrar", L"Cerrar"},
    {Control::LBTecla1, {120, 600, 1815, 255}, kAyudaTecla, kTextoTecla1},
    {Control::LBTecla0, {1900, 600, 495, 255}, kAyudaTecla, L""},
    {Control::LBLista, {120, 840, 2055, 255}, L"Click para actualizar la lista ", L""},
    {Control::ImCambiar, {2160, 840, 240, 240}, L"Cambiar el modo", L"Cambiar el modo"},
}};

const ControlPanel& Datos(Control control) noexcept;

// The key labels: a double-click runs them, and so do Enter and Space.
constexpr bool EsEtiquetaTecla(Control control) noexcept {
    return control == Control::LBTecla1 || control == Control::LBTecla0;
}

// Where Tab takes the keyboard focus: the labels, then the list, then the
// images from left to right; and round again.
inline constexpr std::array<Control, 7> kTabulacion{Control::LBTecla1, Control::LBTecla0, Control::LBLista,
                                                    Control::ImAcerca, Control::ImMinimizar, Control::ImCambiar,
                                                    Control::ImCerrar};
// The list box comes before this entry of kTabulacion.
inline constexpr std::size_t kListaEnTabulacion = 3;

// PB clips the list box, which is larger than PB and sits at a negative
// offset, so that PB cuts off the list box's own border.
inline constexpr RectTwips kPB{80, 1100, 2390, 2250};
inline constexpr RectTwips kLista{-10, -10, 2415, 2280};

// Line1, from (60, 540) to (2440, 540).
inline constexpr int kLine1X1 = 60;
inline constexpr int kLine1X2 = 2440;
inline constexpr int kLine1Y = 540;

// Labels: Arial 8.25 pt (kept in hundredths of a point).
inline constexpr std::wstring_view kFuenteEtiquetas = L"Arial";
inline constexpr int kCentesimasPuntoEtiquetas = 825;

inline constexpr COLORREF kColorFondo = 0x00FFFFFF;
inline constexpr COLORREF kColorBorde = 0x00E0E0E0;  // ShBorde and Line1
inline constexpr COLORREF kColorEtiquetas = 0x00FF8080;
inline constexpr COLORREF kColorTextoLista = 0x00808080;

}  // namespace tesk::diseno
