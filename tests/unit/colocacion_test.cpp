// The panel's place: its usual corner while that lies inside the work area,
// otherwise moved by the least that puts it inside, with the taskbar on any
// edge, at 100 % and 200 % (the panel 168 x 228 and 336 x 456 pixels, the
// margins 7 and 33, and 13 and 67 pixels).
#include "panel/Colocacion.h"

#include <gtest/gtest.h>

namespace tesk::colocacion {
namespace {

struct Escala {
    int ancho, alto, margenDerecho, margenInferior;
};
constexpr Escala k96{168, 228, 7, 33};
constexpr Escala k192{336, 456, 13, 67};
constexpr Rect kPantalla{0, 0, 1920, 1080};

Punto En(const Rect& trabajo, const Escala& e, const Rect& pantalla = kPantalla) {
    return Colocar(pantalla, trabajo, e.ancho, e.alto, e.margenDerecho, e.margenInferior);
}

TEST(Colocacion, SinBarraOConUnaBarraQueCabeEnElMargenQuedaEnSuSitio) {
    EXPECT_EQ(En(kPantalla, k96), (Punto{1920 - 168 - 7, 1080 - 228 - 33}));
    EXPECT_EQ(En(kPantalla, k192), (Punto{1920 - 336 - 13, 1080 - 456 - 67}));
    EXPECT_EQ(En({0, 0, 1920, 1050}, k96), (Punto{1745, 819}));  // a 30 px taskbar
}

TEST(Colocacion, SeApartaLoJustoDeLaBarraEnCadaBorde) {
    // Windows 10 (40 px) and 11 (48 px) at the bottom: its bottom edge on the bar.
    EXPECT_EQ(En({0, 0, 1920, 1040}, k96), (Punto{1745, 1040 - 228}));
    // At 200 % the bar is twice as tall, 96 px: more than the margin's 67.
    EXPECT_EQ(En({0, 0, 1920, 984}, k192), (Punto{1920 - 336 - 13, 984 - 456}));
    // On the right: its right edge on the bar; on the left and at the top
    // the corner is far from it.
    EXPECT_EQ(En({0, 0, 1858, 1080}, k96), (Punto{1858 - 168, 819}));
    EXPECT_EQ(En({62, 0, 1920, 1080}, k96), (Punto{1745, 819}));
    EXPECT_EQ(En({0, 48, 1920, 1080}, k96), (Punto{1745, 819}));
}

TEST(Colocacion, UnAreaMasPequenaQueElPanelLoDejaEnSuEsquinaSuperiorIzquierda) {
    EXPECT_EQ(En({100, 200, 200, 300}, k96), (Punto{100, 200}));
}

}  // namespace
}  // namespace tesk::colocacion
