// The extended style, layered opacity and the topmost band, on a window of
// the calling program as the panel uses them on its own.
#include <gtest/gtest.h>

#include "desktop/Conversiones.h"
#include "desktop/EscritorioWin32.h"
#include "tests/soporte/Recorrido.h"
#include "tests/soporte/VentanaLocal.h"
#include "tests/soporte/VentanasPrueba.h"

namespace tesk {
namespace {

constexpr std::uint8_t kAlfa = 230;

TEST(EstiloExtendido, SeLeeYSeEscribeEntero) {
    EscritorioWin32 escritorio;
    prueba::VentanaLocal propia(L"Tesk estilos");
    const Handle h = HandleDe(propia.Hwnd());

    const std::uint32_t antes = escritorio.EstiloExtendido(h);
    EXPECT_EQ(antes, static_cast<std::uint32_t>(GetWindowLongW(propia.Hwnd(), GWL_EXSTYLE)));
    EXPECT_EQ(antes & kWsExLayered, 0u);

    escritorio.FijarEstiloExtendido(h, antes | kWsExLayered);
    EXPECT_EQ(escritorio.EstiloExtendido(h), antes | kWsExLayered);
    EXPECT_EQ(static_cast<std::uint32_t>(GetWindowLongW(propia.Hwnd(), GWL_EXSTYLE)), antes | kWsExLayered);

    escritorio.FijarEstiloExtendido(h, antes);
    EXPECT_EQ(escritorio.EstiloExtendido(h), antes);
}

TEST(Opacidad, UnaVentanaEnCapasQuedaConEseAlfa) {
    EscritorioWin32 escritorio;
    prueba::VentanaLocal propia(L"Tesk opacidad");
    const Handle h = HandleDe(propia.Hwnd());
    escritorio.FijarEstiloExtendido(h, escritorio.EstiloExtendido(h) | kWsExLayered);

    for (const std::uint8_t alfa : {kAlfa, std::uint8_t{0}, std::uint8_t{255}}) {
        escritorio.FijarOpacidad(h, alfa);
        COLORREF clave = 1;
        BYTE leido = 0;
        DWORD banderas = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(propia.Hwnd(), &clave, &leido, &banderas));
        EXPECT_EQ(leido, alfa);
        EXPECT_EQ(banderas, static_cast<DWORD>(LWA_ALPHA));
        EXPECT_EQ(clave, 0u);
    }
}

TEST(SiempreEncima, EntraEnLaBandaSuperiorSinMoverseNiCambiarDeTamano) {
    EscritorioWin32 escritorio;
    prueba::VentanaLocal propia(L"Tesk encima");
    const Handle h = HandleDe(propia.Hwnd());
    RECT antes{};
    GetWindowRect(propia.Hwnd(), &antes);
    // Windows opened later start in front of it.
    prueba::VentanasPrueba otras({L"--ventana", L"Posterior", L"--ventana", L"Más posterior"});
    const std::vector<HWND> todas = {propia.Hwnd(), otras[0], otras[1]};
    ASSERT_EQ(prueba::SoloEstas(prueba::RecorridoZ(escritorio, propia.Hwnd()), todas).back(), propia.Hwnd());

    escritorio.FijarSiempreEncima(h);
    EXPECT_NE(escritorio.EstiloExtendido(h) & kWsExTopmost, 0u);
    EXPECT_EQ(prueba::SoloEstas(prueba::RecorridoZ(escritorio, propia.Hwnd()), todas).front(), propia.Hwnd());
    RECT despues{};
    GetWindowRect(propia.Hwnd(), &despues);
    EXPECT_TRUE(EqualRect(&antes, &despues));

    // It stays in front when another window is activated.
    SetForegroundWindow(otras[1]);
    SetWindowPos(otras[1], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(prueba::SoloEstas(prueba::RecorridoZ(escritorio, propia.Hwnd()), todas).front(), propia.Hwnd());
}

}  // namespace
}  // namespace tesk
