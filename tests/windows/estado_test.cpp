// The placement's show command, and hiding and showing a window again in the
// state it had.
#include <gtest/gtest.h>

#include <string>

#include "desktop/Conversiones.h"
#include "desktop/EscritorioWin32.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/VentanaLocal.h"
#include "tests/soporte/VentanasPrueba.h"

namespace tesk {
namespace {

using prueba::VentanasPrueba;

// What the window shows, told apart by the window manager's own queries.
std::int32_t EstadoVisto(HWND ventana) {
    if (IsIconic(ventana)) return kSwShowMinimized;
    if (IsZoomed(ventana)) return kSwShowMaximized;
    return kSwShowNormal;
}

TEST(EstadoMostrar, EsElDeLaColocacionSegunSeCreo) {
    EscritorioWin32 escritorio;
    VentanasPrueba otras({L"--ventana", L"Normal", L"--ventana", L"Minimizada", L"--min", L"--ventana", L"Maximizada",
                          L"--max", L"--ventana", L"Nunca mostrada", L"--oculta"});

    EXPECT_EQ(escritorio.EstadoMostrar(HandleDe(otras[0])), kSwShowNormal);
    EXPECT_EQ(escritorio.EstadoMostrar(HandleDe(otras[1])), kSwShowMinimized);
    EXPECT_EQ(escritorio.EstadoMostrar(HandleDe(otras[2])), kSwShowMaximized);
    EXPECT_EQ(escritorio.EstadoMostrar(HandleDe(otras[3])), kSwShowNormal);
}

TEST(EstadoMostrar, SigueAlMinimizarYMaximizar) {
    EscritorioWin32 escritorio;
    VentanasPrueba otras({L"--ventana", L"Cambiante"});
    const Handle h = HandleDe(otras[0]);

    escritorio.Mostrar(h, kSwMinimize);
    ASSERT_TRUE(prueba::EsperarAterrizaje(escritorio, h));
    EXPECT_TRUE(IsIconic(otras[0]));
    EXPECT_EQ(escritorio.EstadoMostrar(h), kSwShowMinimized);

    escritorio.Mostrar(h, kSwShowMaximized);
    ASSERT_TRUE(prueba::EsperarAterrizaje(escritorio, h));
    EXPECT_TRUE(IsZoomed(otras[0]));
    EXPECT_EQ(escritorio.EstadoMostrar(h), kSwShowMaximized);

    escritorio.Mostrar(h, kSwShowNormal);
    ASSERT_TRUE(prueba::EsperarAterrizaje(escritorio, h));
    EXPECT_EQ(escritorio.EstadoMostrar(h), kSwShowNormal);
    EXPECT_EQ(EstadoVisto(otras[0]), kSwShowNormal);
}

TEST(OcultarYMostrar, DevuelveCadaVentanaAlEstadoGuardado) {
    EscritorioWin32 escritorio;
    VentanasPrueba otras({L"--ventana", L"Normal", L"--ventana", L"Minimizada", L"--min", L"--ventana", L"Maximizada",
                          L"--max", L"--ventana", L"En su hilo", L"--max", L"--hilo"});

    for (HWND ventana : otras.Ventanas()) {
        SCOPED_TRACE(testing::Message() << "window " << HandleDe(ventana));
        const Handle h = HandleDe(ventana);
        const std::int32_t guardado = escritorio.EstadoMostrar(h);
        ASSERT_NE(guardado, 0);
        EXPECT_FALSE(escritorio.Encubierta(h)) << "an ordinary window on screen reported cloaked";

        // Another program's window, of the same integrity level: taken.
        EXPECT_TRUE(escritorio.Mostrar(h, kSwHide));
        EXPECT_FALSE(escritorio.EsVisible(h));  // asked for, landed or not
        ASSERT_TRUE(prueba::EsperarAterrizaje(escritorio, h));
        EXPECT_FALSE(IsWindowVisible(ventana));
        EXPECT_EQ(escritorio.EstadoMostrar(h), guardado);  // hiding keeps the placement

        EXPECT_TRUE(escritorio.Mostrar(h, guardado));
        EXPECT_TRUE(escritorio.EsVisible(h));
        ASSERT_TRUE(prueba::EsperarAterrizaje(escritorio, h));
        EXPECT_EQ(escritorio.EstadoMostrar(h), guardado);
        EXPECT_EQ(EstadoVisto(ventana), guardado);
    }
}

TEST(OcultarYMostrar, LasVentanasPropiasSiempreAceptan) {
    // ShowWindow answers whether the window was visible before, not whether
    // the call was taken: hiding a hidden window is still taken.
    EscritorioWin32 escritorio;
    prueba::VentanaLocal propia(L"Tesk propia");
    const Handle h = HandleDe(propia.Hwnd());
    EXPECT_FALSE(escritorio.Encubierta(h));
    EXPECT_TRUE(escritorio.Mostrar(h, kSwHide));
    EXPECT_FALSE(IsWindowVisible(propia.Hwnd()));
    EXPECT_TRUE(escritorio.Mostrar(h, kSwHide));
    EXPECT_TRUE(escritorio.Mostrar(h, kSwShow));
    EXPECT_TRUE(IsWindowVisible(propia.Hwnd()));
    EXPECT_FALSE(escritorio.EnVuelo(h));
}

TEST(TraerAlFrente, LaVentanaPasaAPrimerPlano) {
    EscritorioWin32 escritorio;
    VentanasPrueba otras({L"--ventana", L"Una", L"--ventana", L"Otra", L"--ventana", L"En su hilo", L"--hilo"});

    for (const std::size_t i : {0u, 1u, 2u, 0u}) {
        escritorio.TraerAlFrente(HandleDe(otras[i]));
        EXPECT_TRUE(prueba::EsperarHasta([&] { return GetForegroundWindow() == otras[i]; })) << "window " << i;
    }
}

}  // namespace
}  // namespace tesk
