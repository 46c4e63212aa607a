#include "engine/Tecla.h"

#include <array>

namespace tesk {

namespace {

struct Paso {
    std::wstring_view nombre;
    std::int32_t codigo;
};

constexpr std::array<Paso, 7> kCiclo{{
    {L"F6", 117},
    {L"F7", 118},
    {L"F8", 119},
    {L"F9", 120},
    {L"F10", 121},
    {L"F11", 122},
    {L"F12", 123},
}};

}  // namespace

std::optional<TeclaElegida> SiguienteTecla(std::wstring_view nombre) {
    for (std::size_t i = 0; i < kCiclo.size(); ++i) {
        if (kCiclo[i].nombre == nombre) {
            const Paso& siguiente = kCiclo[(i + 1) % kCiclo.size()];
            return TeclaElegida{std::wstring(siguiente.nombre), siguiente.codigo};
        }
    }
    return std::nullopt;
}

bool DetectorPulsacion::NuevaPulsacion(std::uint16_t estado) {
    const bool abajo = (estado & kTeclaAbajo) != 0;
    const bool pulsadaEntreTicks = !abajo && (estado & kTeclaPulsada) != 0;
    const bool nueva = (abajo && !abajo_) || pulsadaEntreTicks;
    abajo_ = abajo;
    return nueva;
}

}  // namespace tesk
