#include "engine/Tecla.h"

#include "tests/unit/Banco.h"

namespace tesk::prueba {
namespace {

TEST(SiguienteTecla, RecorreDeF6AF12YVuelveAF6EnSietePasos) {
    std::wstring nombre = L"F6";
    std::vector<std::int32_t> codigos;
    for (int i = 0; i < 7; ++i) {
        auto siguiente = SiguienteTecla(nombre);
        ASSERT_TRUE(siguiente);
        nombre = siguiente->nombre;
        codigos.push_back(siguiente->codigo);
    }
    EXPECT_EQ(nombre, L"F6");
    EXPECT_EQ(codigos, (std::vector<std::int32_t>{118, 119, 120, 121, 122, 123, 117}));
}

TEST(SiguienteTecla, LosNombresFueraDelCicloNoCambianNada) {
    for (const wchar_t* nombre : {L"f6", L"F5", L"F13", L"", L" F6", L"F1"}) EXPECT_FALSE(SiguienteTecla(nombre)) << nombre;
}

TEST(DetectorPulsacion, CuentaCadaPulsacionUnaSolaVez) {
    DetectorPulsacion d;
    EXPECT_FALSE(d.NuevaPulsacion(0));
    EXPECT_TRUE(d.NuevaPulsacion(kTeclaAbajo | kTeclaPulsada));  // went down
    EXPECT_FALSE(d.NuevaPulsacion(kTeclaAbajo));                 // held
    EXPECT_FALSE(d.NuevaPulsacion(kTeclaAbajo | kTeclaPulsada)); // held, autorepeat
    EXPECT_FALSE(d.NuevaPulsacion(0));                           // released
    EXPECT_TRUE(d.NuevaPulsacion(kTeclaPulsada));                // down and up between ticks
    EXPECT_FALSE(d.NuevaPulsacion(0));
    EXPECT_TRUE(d.NuevaPulsacion(kTeclaAbajo));                  // down, bit already taken by another reader
}

using TeclaActivacion = Banco;

TEST_F(TeclaActivacion, UnaPulsacionOcultaYLaSiguienteRestauraAunConElPanelOculto) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    anfitrion.OcultarPanel();
    PulsarTecla();
    EXPECT_FALSE(Visible(a));
    EXPECT_TRUE(motor.Oculto());
    PulsarTecla();
    EXPECT_TRUE(Visible(a));
    EXPECT_FALSE(motor.Oculto());
}

// Another copy of the program asks for the windows back: on the next tick,
// as the key would; asked while nothing is concealed, nothing happens then
// or later; asked during a hide pass, it waits for the pass.
TEST_F(TeclaActivacion, OtraCopiaPideLaRestauracionComoLaTecla) {
    const Handle a = escritorio.Abrir(L"A");
    const Handle b = escritorio.Abrir(L"B");
    motor.ActualizarLista();
    motor.PedirRestauracion();
    motor.tmrTempo_Timer();
    EXPECT_TRUE(escritorio.Llamadas().empty());
    PulsarTecla();
    ASSERT_TRUE(motor.Oculto());
    motor.tmrTempo_Timer();
    EXPECT_TRUE(motor.Oculto()) << "a request made while nothing was concealed restored later";

    escritorio.TomarFrente(0);
    motor.PedirRestauracion();
    EXPECT_TRUE(motor.Oculto()) << "restored before the tick, from inside the message";
    motor.tmrTempo_Timer();
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(Visible(a) && Visible(b));
    EXPECT_EQ(escritorio.Frente(), motor.UltimaOculta());

    escritorio.alPedir = [&](Handle, std::int32_t estado) {
        if (estado == kSwHide) motor.PedirRestauracion();
    };
    PulsarTecla();  // hides, then the next tick restores
    escritorio.alPedir = nullptr;
    EXPECT_FALSE(motor.Oculto());
    EXPECT_TRUE(Visible(a) && Visible(b));
}

TEST_F(TeclaActivacion, UnaTeclaMantenidaEmpiezaUnaSolaPasada) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    escritorio.Presionar(motor.Tecla());
    for (int tick = 0; tick < 4; ++tick) motor.tmrTempo_Timer();  // 400 ms held
    EXPECT_FALSE(Visible(a));
    EXPECT_TRUE(motor.Oculto());
    escritorio.Soltar(motor.Tecla());
    motor.tmrTempo_Timer();
    EXPECT_TRUE(motor.Oculto());
}

TEST_F(TeclaActivacion, UnaPulsacionEntreDosTicksCuenta) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    motor.tmrTempo_Timer();
    escritorio.Presionar(motor.Tecla());
    escritorio.Soltar(motor.Tecla());
    motor.tmrTempo_Timer();
    EXPECT_FALSE(Visible(a));
}

TEST_F(TeclaActivacion, SoloCuentaLaTeclaElegida) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    EXPECT_EQ(motor.Tecla(), 117);
    EXPECT_EQ(motor.AvanzarTecla(L"F6"), L"F7");
    EXPECT_EQ(motor.Tecla(), 118);
    EXPECT_EQ(motor.AvanzarTecla(L"nada"), std::nullopt);
    EXPECT_EQ(motor.Tecla(), 118);

    escritorio.Presionar(117);
    motor.tmrTempo_Timer();
    EXPECT_TRUE(Visible(a));
    escritorio.Soltar(117);
    PulsarTecla();
    EXPECT_FALSE(Visible(a));
}

TEST_F(TeclaActivacion, UnaPulsacionAnteriorAVigilarLaTeclaNoCuenta) {
    // Pressed and released in another program before the engine existed.
    EscritorioFalso otro;
    otro.CrearShell();
    const Handle a = otro.Abrir(L"A");
    otro.Presionar(117);
    otro.Soltar(117);
    AnfitrionFalso panel(otro);
    ListaMemoria suya;
    Motor recien(otro, panel, suya);
    recien.ActualizarLista();
    recien.tmrTempo_Timer();
    EXPECT_TRUE(otro.EsVisible(a));
    EXPECT_FALSE(recien.Oculto());
}

TEST_F(TeclaActivacion, UnaPulsacionDeLaTeclaAnteriorAElegirlaNoCuenta) {
    const Handle a = escritorio.Abrir(L"A");
    motor.ActualizarLista();
    escritorio.Presionar(118);
    escritorio.Soltar(118);
    motor.tmrTempo_Timer();
    ASSERT_EQ(motor.AvanzarTecla(L"F6"), L"F7");
    motor.tmrTempo_Timer();
    EXPECT_TRUE(Visible(a));
    PulsarTecla();
    EXPECT_FALSE(Visible(a));
}

}  // namespace
}  // namespace tesk::prueba
