#include "engine/Recorrido.h"

#include <algorithm>
#include <cstddef>
#include <unordered_set>

namespace tesk {

std::vector<Handle> OrdenZ(Escritorio& escritorio, Handle desde) {
    constexpr std::size_t kPasosPorVentana = 4;
    constexpr std::size_t kPasosMinimos = 4096;
    std::vector<Handle> orden;
    std::unordered_set<Handle> vistas;
    std::size_t pasos = 0;
    for (Handle h = escritorio.PrimeraVentana(desde); h != 0; h = escritorio.SiguienteVentana(h)) {
        if (vistas.insert(h).second) orden.push_back(h);
        if (++pasos > kPasosMinimos + kPasosPorVentana * orden.size()) break;
    }
    return orden;
}

bool Shell::Contiene(Handle ventana) const {
    if (ventana == barra || ventana == fondo) return true;
    return std::find(otras.begin(), otras.end(), ventana) != otras.end();
}

Shell BuscarShell(Escritorio& escritorio) {
    return Shell{escritorio.BarraTareas(), escritorio.FondoEscritorio(), escritorio.OtrasSuperficiesShell()};
}

}  // namespace tesk
