#include "panel/Diseno.h"

#include <ranges>


namespace tesk::diseno {

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
