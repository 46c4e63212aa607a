// Dots per inch of a window, and the conversion from twips (1440 to the
// inch), the unit every position and size of the program's windows is kept in.
#pragma once

#include <windows.h>

namespace tesk {

inline constexpr int kTwipsPorPulgada = 1440;
inline constexpr UINT kDpiBase = 96;

// GetDpiForWindow where the system has it, else the screen's LOGPIXELSX.
UINT DpiDe(HWND ventana) noexcept;

// A system metric (SM_CXSMICON, SM_CXICON...) at a DPI: GetSystemMetricsForDpi
// where the system has it, else the metric at the system's DPI scaled.
int MetricaParaDpi(int indice, UINT dpi) noexcept;

// Twips to pixels at a DPI, rounded to the nearest pixel.
inline int APixeles(int twips, UINT dpi) noexcept { return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPorPulgada); }

// Lines one pixel thick at 96 DPI, thicker in proportion above it.
inline int GrosorLinea(UINT dpi) noexcept {
    const int grosor = static_cast<int>(dpi / kDpiBase);
    return grosor < 1 ? 1 : grosor;
}

}  // namespace tesk
