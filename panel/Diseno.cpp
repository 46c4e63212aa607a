#include "panel/Diseno.h"

#include <ranges>

#include "panel/Dpi.h"

namespace tesk::diseno {

RECT APixeles(const RectTwips& rect, UINT dpi) noexcept {
    const int izquierda = tesk::APixeles(rect.izquierda, dpi);
    const int arriba = tesk::APixeles(rect.arriba, dpi);
    return {izquierda, arriba, izquierda + tesk::APixeles(rect.ancho, dpi), arriba + tesk::APixeles(rect.alto, dpi)};
}

const ControlPanel& Datos(Control control) noexcept {
    for (const ControlPanel& datos : kControles) {
        if (datos.control == control) return datos;
    }
    return kControles.front();  // every Control is in the table
}

std::optional<Control> ControlEn(POINT punto, UINT dpi) noexcept {
    for (const ControlPanel& datos : kControles | std::views::reverse) {
        const RECT rect = APixeles(datos.rect, dpi);
        if (::PtInRect(&rect, punto)) return datos.control;
    }
    return std::nullopt;
}

}  // namespace tesk::diseno
