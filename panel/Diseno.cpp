#include "panel/Diseno.h"

namespace tesk::diseno {

const ControlPanel& Datos(Control control) noexcept {
    for (const ControlPanel& datos : kControles) {
        if (datos.control == control) return datos;
    }
    return kControles.front();  // every Control is in the table
}

}  // namespace tesk::diseno
