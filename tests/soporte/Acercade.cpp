#include "tests/soporte/Acercade.h"

#include "about/Nombres.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"

namespace tesk::e2e {

HWND AbrirAcercade(const Panel& panel, const ProcesoTesk& tesk) {
    panel.ClicEn(kImAcerca);
    HWND caja = nullptr;
    const bool abierta = prueba::EsperarHasta([&] {
        caja = tesk.VentanaDeClase(kClaseAcercade);
        return caja != nullptr && IsWindowVisible(caja);
    });
    return abierta ? caja : nullptr;
}

bool CerrarAcercade(HWND caja) {
    RECT rect{};
    GetWindowRect(caja, &rect);
    prueba::Clic({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    ApartarRaton();
    return prueba::EsperarHasta([&] { return !IsWindow(caja) || !IsWindowVisible(caja); });
}

}  // namespace tesk::e2e
