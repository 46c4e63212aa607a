// The activation key: its cycle F6 to F12, and telling a new press from a
// key that is merely held.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "desktop/Escritorio.h"

namespace tesk {

inline constexpr std::int32_t kTeclaInicial = 117;  // F6
inline constexpr std::wstring_view kNombreTeclaInicial = L"F6";

// Whether the key is taken as a system hot key: every key of the cycle but
// F12, which the system keeps for its debugger (RegisterHotKey's
// documentation asks programs not to register it); F12 is only read.
constexpr bool SeRegistra(std::int32_t codigo) { return codigo != 123; }

struct TeclaElegida {
    std::wstring nombre;
    std::int32_t codigo = 0;
};

// The key after the one named, F12 wrapping to F6; nothing for a name outside
// the cycle (an exact comparison).
std::optional<TeclaElegida> SiguienteTecla(std::wstring_view nombre);

// Watches one key across timer ticks. A press counts once: when the key is
// down now and was up at the previous tick, or when it went down and up again
// between two ticks. Holding it does not count again.
class DetectorPulsacion {
public:
    // Fed with each tick's GetAsyncKeyState value; true on a new press.
    bool NuevaPulsacion(std::uint16_t estado);

    // Forget the previous tick (after the key is changed).
    void Reiniciar() { abajo_ = false; }

private:
    bool abajo_ = false;
};

}  // namespace tesk
