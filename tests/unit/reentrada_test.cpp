// What may run inside a pass: events let through by the restore, and messages
// sent to the panel while a hide or show call waits.
#include "tests/unit/Banco.h"

namespace tesk::prueba {
namespace {

class Reentrada : public Banco {
protected:
    Reentrada() {
        for (int i = 0; i < 5; ++i) ventanas.push_back(escritorio.Abrir(L"V" + std::to_wstring(i), kSwShowMaximized));
        motor.ActualizarLista();
    }
    void Ocultar() {
        motor.OcultarVentanas();
        ASSERT_TRUE(motor.Oculto());
    }
    void TodasVisibles() {
        for (Handle h : ventanas) {
            EXPECT_TRUE(Visible(h)) << h;
            EXPECT_EQ(escritorio.Datos(h).showCmd, kSwShowMaximized);
        }
    }
    std::vector<Handle> ventanas;
};

TEST_F(Reentrada, UnaPulsacionDuranteUnaRestauracionNoEmpiezaNingunaPasada) {
    Ocultar();
    anfitrion.cola.push_back([&] {
        escritorio.Presionar(motor.Tecla());
        motor.tmrTempo_Timer();
        motor.OcultarVentanas();
        escritorio.Soltar(motor.Tecla());
    });
    motor.MostrarVentanas();
    TodasVisibles();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(anfitrion.IconoPresente());
    // The press made during the restore is seen by the first tick after it.
    motor.tmrTempo_Timer();
    EXPECT_TRUE(motor.Oculto());
}

TEST_F(Reentrada, UnaRestauracionPedidaDuranteUnaRestauracionLaTermina) {
    Ocultar();
    bool todasAlVolver = false;
    anfitrion.cola.push_back([&] {
        motor.RestaurarAntesDeCerrar();  // a close clicked while windows come back
        todasAlVolver = std::all_of(ventanas.begin(), ventanas.end(), [&](Handle h) { return Visible(h); });
        motor.MostrarVentanas();
    });
    motor.MostrarVentanas();
    EXPECT_TRUE(todasAlVolver);
    TodasVisibles();
    // Each window was shown once.
    EXPECT_EQ(escritorio.Llamadas().size(), ventanas.size() * 2);
    EXPECT_FALSE(motor.Oculto());
    EXPECT_EQ(escritorio.Frente(), ventanas.front());
}

TEST_F(Reentrada, OtrosClicsDuranteUnaRestauracionNoPierdenNada) {
    Ocultar();
    anfitrion.cola.push_back([&] {
        motor.ActualizarLista();
        motor.CambiarModo();
        motor.AvanzarTecla(L"F6");
    });
    motor.MostrarVentanas();
    TodasVisibles();
}

TEST_F(Reentrada, UnCierreMientrasEsperaUnaLlamadaDeOcultarDeshaceLaPasada) {
    // The program is told to close while it waits for the third window to
    // hide: the hide lands after the close has looked at the window.
    int ocultadas = 0;
    bool todasAlVolver = false;
    escritorio.antesDeMostrar = [&](Handle, std::int32_t estado) {
        if (estado != kSwHide || ++ocultadas != 3) return;
        motor.RestaurarAntesDeCerrar();
        todasAlVolver = true;
        for (Handle h : ventanas) todasAlVolver = todasAlVolver && Visible(h);
    };
    motor.OcultarVentanas();
    escritorio.antesDeMostrar = nullptr;

    EXPECT_TRUE(todasAlVolver);
    TodasVisibles();
    EXPECT_EQ(ocultadas, 3);  // nothing further was hidden after the close
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(anfitrion.IconoPresente());
}

TEST_F(Reentrada, UnCierreTrasUnaOcultacionYaHechaVuelveAMostrarLaVentana) {
    bool cerrado = false;
    escritorio.despuesDeMostrar = [&](Handle, std::int32_t estado) {
        if (estado != kSwHide || cerrado) return;
        cerrado = true;
        motor.RestaurarAntesDeCerrar();
    };
    motor.OcultarVentanas();
    escritorio.despuesDeMostrar = nullptr;
    TodasVisibles();
    EXPECT_FALSE(motor.Oculto());
}

TEST_F(Reentrada, LosTicksYLasRestauracionesQueLleganDuranteUnaPasadaDeOcultacionSeIgnoran) {
    escritorio.antesDeMostrar = [&](Handle, std::int32_t estado) {
        if (estado != kSwHide) return;
        escritorio.Presionar(motor.Tecla());
        motor.tmrTempo_Timer();
        motor.MostrarVentanas();
        motor.OcultarVentanas();
    };
    motor.OcultarVentanas();
    escritorio.antesDeMostrar = nullptr;
    for (Handle h : ventanas) EXPECT_FALSE(Visible(h));
    EXPECT_TRUE(motor.Oculto());
    escritorio.Soltar(motor.Tecla());
    motor.tmrTempo_Timer();  // sees the press made during the pass
    TodasVisibles();
    motor.tmrTempo_Timer();
    EXPECT_FALSE(motor.Oculto());
}

}  // namespace
}  // namespace tesk::prueba
