// The panel's layout, in twips, and its colours. Everything the panel draws
// or places is converted from here to pixels at the window's DPI.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
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

// The drawn controls that react to the mouse.
enum class Control { ImAcerca, ImMinimizar, ImCerrar, LBTecla1, LBTecla0, LBLista, ImCambiar };

struct ControlPanel {
    Control control;
    RectTwips rect;
    std::wstring_view ayuda;  // tooltip, empty for none
};

inline constexpr std::wstring_view kAyudaTecla = L"Doble click para cambiar la tecla de activación";

// Back to front: where two rectangles overlap, the later control takes the
// mouse.
inline constexpr std::array<ControlPanel, 7> kControles{{
    {Control::ImAcerca, {100, 60, 1395, 420}, L""},
    {Control::ImMinimizar, {2040, 0, 240, 240}, L"Ocultar"},
    {Control::ImCerrar, {2280, 30, 240, 240}, L"Cerrar"},
    {Control::LBTecla1, {120, 600, 1815, 255}, kAyudaTecla},
    {Control::LBTecla0, {1900, 600, 495, 255}, kAyudaTecla},
    {Control::LBLista, {120, 840, 2055, 255}, L"Click para actualizar la lista "},
    {Control::ImCambiar, {2160, 840, 240, 240}, L"Cambiar el modo"},
}};

const ControlPanel& Datos(Control control) noexcept;

// The frontmost control under a point of the client area, in pixels.
std::optional<Control> ControlEn(POINT punto, UINT dpi) noexcept;

// PB clips the list box, which is larger than PB and sits at a negative
// offset, so that PB cuts off the list box's own border.
inline constexpr RectTwips kPB{80, 1100, 2390, 2250};
inline constexpr RectTwips kLista{-10, -10, 2415, 2280};

// Line1, from (60, 540) to (2440, 540).
inline constexpr int kLine1X1 = 60;
inline constexpr int kLine1X2 = 2440;
inline constexpr int kLine1Y = 540;

inline constexpr std::wstring_view kTextoTecla1 = L"Activar / Desactivar con:";

// Labels: Arial 8.25 pt (kept in hundredths of a point).
inline constexpr std::wstring_view kFuenteEtiquetas = L"Arial";
inline constexpr int kCentesimasPuntoEtiquetas = 825;

inline constexpr COLORREF kColorFondo = 0x00FFFFFF;
inline constexpr COLORREF kColorBorde = 0x00E0E0E0;  // ShBorde and Line1
inline constexpr COLORREF kColorEtiquetas = 0x00FF8080;
inline constexpr COLORREF kColorTextoLista = 0x00808080;

}  // namespace tesk::diseno
