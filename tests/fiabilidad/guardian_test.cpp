// The guardian: it waits without the DLLs windows are shown with; whatever
// way tesk.exe dies while windows are concealed (killed, crashed, at any
// moment of a hide pass), every window comes back in its state; an orderly
// end takes the guardian with it, having shown nothing twice; a guardian
// that died is replaced, concealed or not; a record that is not one as Tesk
// writes it shows nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <string>

#include "guardian/Lanzador.h"
#include "guardian/Registro.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/Finales.h"
#include "tests/soporte/IconoTesk.h"
#include "tests/soporte/Lote.h"
#include "tests/soporte/Maqueta.h"
#include "tests/soporte/RegistroPrueba.h"
#include "tests/soporte/Rutas.h"

namespace tesk::fiabilidad {
namespace {

using Reloj = std::chrono::steady_clock;

long long MsDesde(Reloj::time_point inicio) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Reloj::now() - inicio).count();
}

std::map<HWND, long> VecesMostradas(const std::vector<HWND>& ventanas) {
    std::map<HWND, long> veces;
    for (HWND v : ventanas) veces[v] = prueba::VecesMostrada(v);
    return veces;
}

class Guardian : public Lote {
protected:
    // The guardian of the running tesk.exe, once the program knows it is
    // waiting (before that, a tesk.exe killed would leave nobody to bring
    // the windows back): a tesk.exe outside the program's process tree,
    // whose parent, the copy that started it, is gone.
    prueba::HandlePropio ElGuardian() {
        std::vector<DWORD> arbol;
        DWORD listo = 0;
        EXPECT_TRUE(prueba::EsperarHasta([&] {
            listo = static_cast<DWORD>(ElPanel().Preguntar(TipoRecurso::guardian).value_or(0));
            arbol = e2e::ArbolDe(Tesk().Id());
            return listo != 0 && arbol.empty();
        })) << "the guardian known to be waiting: " << listo << "; processes below tesk.exe: " << arbol.size();
        if (listo == 0 || !arbol.empty()) return {};
        const DWORD padre = e2e::PadreDe(listo);
        EXPECT_NE(padre, Tesk().Id()) << "the guardian is tesk.exe's child";
        EXPECT_NE(padre, 0u) << "the guardian is not running";
        const prueba::HandlePropio suPadre(OpenProcess(SYNCHRONIZE, FALSE, padre));
        EXPECT_TRUE(!suPadre || e2e::Termino(suPadre.get())) << "the process that started the guardian lives on";
        idGuardian_ = listo;
        return prueba::HandlePropio(
            OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, listo));
    }

    // Kills the guardian that is up and waits until it is gone; its id, or
    // 0 when there was none.
    DWORD MatarElGuardian() {
        const prueba::HandlePropio guardian = ElGuardian();
        if (!guardian) return 0;
        TerminateProcess(guardian.get(), 1);
        EXPECT_TRUE(prueba::EsperarHasta([&] { return e2e::Termino(guardian.get()); }))
            << "the guardian outlived its kill";
        return idGuardian_;
    }

    // Once a guardian other than the one killed is up, tesk.exe is killed:
    // the new one brings every window back.
    void MatarConOtroGuardian(const std::map<HWND, e2e::EstadoVentana>& antes, DWORD muerto, const char* que) {
        const prueba::HandlePropio otro = ElGuardian();
        ASSERT_TRUE(otro);
        EXPECT_NE(idGuardian_, muerto);
        const auto inicio = Reloj::now();
        ASSERT_TRUE(Tesk().Matar());
        ComprobarDevueltas(antes, otro.get(), inicio, que);
    }

    // Opens "Foco" and the batches, starts tesk.exe (in a job with those
    // further limits), marks "Foco" and conceals the rest; the states to
    // come back to.
    std::map<HWND, e2e::EstadoVentana> Ocultas(const std::vector<std::vector<std::wstring>>& lotes,
                                               DWORD limitesTrabajo = 0) {
        AbrirConFoco();
        for (const auto& lote : lotes) AbrirLotes(lote);
        ArrancarTesk(limitesTrabajo);
        MarcarFoco();
        auto antes = e2e::EstadosDe(Todas());
        EXPECT_TRUE(OcultarLasDemas());
        return antes;
    }

    // Every window back as it was, and the guardian ended: how long each took.
    void ComprobarDevueltas(const std::map<HWND, e2e::EstadoVentana>& antes, HANDLE guardian, Reloj::time_point desde,
                            const char* que) {
        ASSERT_TRUE(EsperarEstados(antes)) << "a window was left hidden or in another state:\n" << Diferencias(antes);
        const long long vueltas = MsDesde(desde);
        ASSERT_TRUE(prueba::EsperarHasta([&] { return e2e::Termino(guardian); })) << "the guardian did not end";
        std::cout << "[ figures  ] " << que << ": " << antes.size() << " windows back " << vueltas
                  << " ms after the end of tesk.exe; the guardian gone after " << MsDesde(desde) << " ms"
                  << std::endl;
    }

    // One press with the first window opened, "Foco", in front: every other
    // one goes.
    testing::AssertionResult OcultarLasDemas() {
        const HWND foco = Todas().front();
        return Ocultar(foco, Menos(Todas(), foco));
    }

    DWORD idGuardian_ = 0;
};

TEST_F(Guardian, EsperaSinVentanasYUnaSegundaCopiaTerminaSinTocarNada) {
    AbrirConFoco(Muchas(L"Otra", 3));
    ArrancarTesk();
    const prueba::HandlePropio guardian = ElGuardian();
    ASSERT_TRUE(guardian);
    DejarPasarTicks();
    EXPECT_TRUE(e2e::VentanasDe(idGuardian_).empty()) << "the guardian has windows of its own";
    // It waits with kernel32 and the C runtime: the DLLs windows are shown
    // with come in only when there is something to bring back. The
    // program's list, which has them, says that lists can be read.
    const auto tiene = [](const std::vector<std::wstring>& modulos, const wchar_t* dll) {
        return std::find(modulos.begin(), modulos.end(), dll) != modulos.end();
    };
    const std::vector<std::wstring> delGuardian = e2e::ModulosDe(idGuardian_);
    ASSERT_TRUE(tiene(e2e::ModulosDe(Tesk().Id()), L"user32.dll")) << "the modules of tesk.exe could not be read";
    ASSERT_TRUE(tiene(delGuardian, L"kernel32.dll")) << "the guardian's modules could not be read";
    for (const wchar_t* dll : {L"user32.dll", L"gdi32.dll", L"comctl32.dll", L"shell32.dll", L"version.dll",
                               L"ole32.dll", L"mmdevapi.dll"}) {
        EXPECT_FALSE(tiene(delGuardian, dll)) << "the waiting guardian has loaded " << dll;
    }
    EXPECT_EQ(e2e::IconosTesk().size(), 1u);

    // Not a copy of the program: a copy started now ends at once.
    e2e::ProcesoTesk segunda(e2e::RutaDe(e2e::kVariableTesk));
    ASSERT_TRUE(segunda.EsperarFin(prueba::kEsperaArranque)) << "a second copy went on running";
    EXPECT_EQ(segunda.CodigoSalida(), 0u);
    EXPECT_EQ(e2e::IconosTesk().size(), 1u);
    EXPECT_FALSE(e2e::Termino(guardian.get()));

    // The first one still works.
    MarcarFoco();
    ASSERT_TRUE(OcultarLasDemas());
    ASSERT_TRUE(Restaurar(Todas().front()));
}

TEST_F(Guardian, TeskMuertoConDoscientasVentanasOcultasLasDevuelveTodasEnSuEstado) {
    // Five processes; a third of the windows minimised, a fifth maximised.
    const auto antes = Ocultas({Muchas(L"Uno", 50), Muchas(L"Dos", 50), Muchas(L"Tres", 50), Muchas(L"Cuatro", 50)});
    ASSERT_FALSE(HasFatalFailure());
    const prueba::HandlePropio guardian = ElGuardian();
    ASSERT_TRUE(guardian);
    const auto inicio = Reloj::now();
    ASSERT_TRUE(Tesk().Matar());
    ComprobarDevueltas(antes, guardian.get(), inicio, "killed while concealed");
}

// As the task manager's "End process tree" and taskkill /T do: tesk.exe and
// every live process found below it by parent id, ended at once.
TEST_F(Guardian, TerminarElArbolDeTeskConVentanasOcultasLasDevuelve) {
    const auto antes = Ocultas({Muchas(L"Oculta", 20)});
    ASSERT_FALSE(HasFatalFailure());
    const prueba::HandlePropio guardian = ElGuardian();
    ASSERT_TRUE(guardian);
    const auto inicio = Reloj::now();
    std::vector<DWORD> arbol = e2e::ArbolDe(Tesk().Id());
    for (DWORD id : arbol) {
        const prueba::HandlePropio proceso(OpenProcess(PROCESS_TERMINATE, FALSE, id));
        if (proceso) TerminateProcess(proceso.get(), 1);
    }
    ASSERT_TRUE(Tesk().Matar());
    std::cout << "[ figures  ] ended with tesk.exe: " << arbol.size() << " processes below it" << std::endl;
    ComprobarDevueltas(antes, guardian.get(), inicio, "its process tree ended while concealed");
}

// Closing a job that ends its processes when closed, and that lets them
// break away: the guardian started outside it.
TEST_F(Guardian, CerrarElTrabajoDeTeskConVentanasOcultasLasDevuelve) {
    const auto antes = Ocultas({Muchas(L"Oculta", 20)}, JOB_OBJECT_LIMIT_BREAKAWAY_OK);
    ASSERT_FALSE(HasFatalFailure());
    const prueba::HandlePropio guardian = ElGuardian();
    ASSERT_TRUE(guardian);
    const prueba::HandlePropio consulta(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, idGuardian_));
    BOOL enTrabajo = TRUE;
    ASSERT_TRUE(consulta && IsProcessInJob(consulta.get(), nullptr, &enTrabajo));
    EXPECT_FALSE(enTrabajo) << "the guardian started inside tesk.exe's job";
    const auto inicio = Reloj::now();
    ASSERT_TRUE(Tesk().CerrarTrabajo()) << "closing its job did not end tesk.exe";
    ComprobarDevueltas(antes, guardian.get(), inicio, "its job closed while concealed");
}

TEST_F(Guardian, TeskMuertoEnCualquierMomentoDeLaOcultacionNoDejaNadaOculto) {
    const HWND foco = AbrirConFoco();
    for (const wchar_t* lote : {L"Uno", L"Dos", L"Tres", L"Cuatro"}) AbrirLotes(Muchas(lote, 50));
    const std::vector<HWND> otras = Menos(Todas(), foco);
    const auto antes = e2e::EstadosDe(Todas());
    const char* variable = std::getenv("TESK_SEMILLA");
    const std::uint32_t semilla = variable ? static_cast<std::uint32_t>(std::strtoul(variable, nullptr, 10))
                                           : static_cast<std::uint32_t>(GetTickCount());
    std::cout << "[ seed     ] TESK_SEMILLA=" << semilla << std::endl;
    std::mt19937 azar(semilla);
    for (int vez = 1; vez <= 20; ++vez) {
        // Killed once that many windows are hidden: none yet, some, all.
        const auto cuantas = std::uniform_int_distribution<std::size_t>(0, otras.size())(azar);
        SCOPED_TRACE(testing::Message() << "round " << vez << ", killed after " << cuantas << " windows hidden");
        ArrancarTesk();
        ASSERT_FALSE(HasFatalFailure());
        MarcarFoco();
        const prueba::HandlePropio guardian = ElGuardian();
        ASSERT_TRUE(guardian);
        Pulsar(VK_F6, foco);
        ASSERT_TRUE(prueba::EsperarHasta([&] {
            const auto ocultas = std::count_if(otras.begin(), otras.end(), [](HWND v) { return !IsWindowVisible(v); });
            return static_cast<std::size_t>(ocultas) >= cuantas && (cuantas > 0 || e2e::IconosTesk().empty());
        })) << "the hide pass did not get that far";
        ASSERT_TRUE(Tesk().Matar());
        const auto inicio = Reloj::now();
        ComprobarDevueltas(antes, guardian.get(), inicio, "killed during the hide pass");
    }
}

TEST_F(Guardian, UnFalloDeTeskDevuelveLasVentanas) {
    const auto antes = Ocultas({Muchas(L"Oculta", 20)});
    ASSERT_FALSE(HasFatalFailure());
    const prueba::HandlePropio guardian = ElGuardian();
    ASSERT_TRUE(guardian);
    const auto inicio = Reloj::now();
    ASSERT_TRUE(Tesk().HacerFallar()) << "no faulting thread could be started in tesk.exe";
    // Back while the system still deals with the fault (under Wine its
    // debugger holds the process; the test's end stops it).
    ComprobarDevueltas(antes, guardian.get(), inicio, "crashed while concealed");
}

TEST_F(Guardian, UnGuardianMuertoSeSustituyeAntesDeLaSiguienteOcultacion) {
    ArrancarConFoco(Muchas(L"Oculta", 20));
    const auto antes = e2e::EstadosDe(Todas());
    const DWORD primero = MatarElGuardian();
    ASSERT_NE(primero, 0u);
    ASSERT_TRUE(OcultarLasDemas());
    MatarConOtroGuardian(antes, primero, "killed after its guardian was replaced");
}

// No hide pass comes while the windows are concealed: the program's timer
// replaces a guardian that died then.
TEST_F(Guardian, UnGuardianMuertoConVentanasOcultasSeSustituyeSinEsperarAOtraOcultacion) {
    ArrancarConFoco(Muchas(L"Oculta", 20));
    const auto antes = e2e::EstadosDe(Todas());
    ASSERT_TRUE(OcultarLasDemas());
    const DWORD primero = MatarElGuardian();
    ASSERT_NE(primero, 0u);
    MatarConOtroGuardian(antes, primero, "killed after its guardian was replaced while concealed");
}

TEST_F(Guardian, CadaFinOrdenadoSeLlevaAlGuardianSinMostrarNadaDosVeces) {
    const HWND foco = AbrirConFoco(Muchas(L"Oculta", 20));
    const auto antes = e2e::EstadosDe(Todas());
    const e2e::Final finales[] = {{"WM_CLOSE", e2e::CerrarDesdeFuera}, {"FinDeSesion", e2e::TerminarSesion}};
    for (const e2e::Final& final : finales) {
        SCOPED_TRACE(final.nombre);
        ArrancarTesk();
        MarcarFoco();
        const prueba::HandlePropio guardian = ElGuardian();
        ASSERT_TRUE(guardian);
        const auto veces = VecesMostradas(Todas());
        ASSERT_TRUE(OcultarLasDemas());
        final.terminar(ElPanel().Hwnd());
        ASSERT_TRUE(Tesk().EsperarFin(prueba::kEsperaMaxima)) << "the program did not end";
        const auto inicio = Reloj::now();
        ASSERT_TRUE(prueba::EsperarHasta([&] { return e2e::Termino(guardian.get()); })) << "the guardian outlived it";
        std::cout << "[ figures  ] " << final.nombre << ": the guardian gone " << MsDesde(inicio)
                  << " ms after the program" << std::endl;
        ASSERT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
        // A window is visible a moment before its program has counted the
        // showing (it counts once the change is done).
        const auto esperadas = [&](HWND v, long cuantas) { return cuantas + (v == foco ? 0 : 1); };
        prueba::EsperarHasta([&] {
            return std::all_of(veces.begin(), veces.end(), [&](const auto& par) {
                return prueba::VecesMostrada(par.first) >= esperadas(par.first, par.second);
            });
        });
        for (const auto& [v, cuantas] : veces) {
            EXPECT_EQ(prueba::VecesMostrada(v), esperadas(v, cuantas))
                << testing::PrintToString(e2e::TituloDe(v)) << " was shown more than once, or never";
        }
    }
    // With nothing concealed: the close image.
    ArrancarTesk();
    const prueba::HandlePropio guardian = ElGuardian();
    ASSERT_TRUE(guardian);
    const auto veces = VecesMostradas(Todas());
    ElPanel().ClicEn(e2e::kImCerrar);
    ASSERT_TRUE(Tesk().EsperarFin(prueba::kEsperaMaxima));
    ASSERT_TRUE(prueba::EsperarHasta([&] { return e2e::Termino(guardian.get()); })) << "the guardian outlived it";
    EXPECT_EQ(VecesMostradas(Todas()), veces) << "a window on screen was shown again";
}

TEST_F(Guardian, UnTeskNuevoTrasMatarloArrancaYFunciona) {
    const auto antes = Ocultas({Muchas(L"Oculta", 10)});
    ASSERT_FALSE(HasFatalFailure());
    {
        const prueba::HandlePropio guardian = ElGuardian();
        ASSERT_TRUE(guardian);
        ASSERT_TRUE(Tesk().Matar());
        ComprobarDevueltas(antes, guardian.get(), Reloj::now(), "killed, then started again");
    }
    ArrancarTesk();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(e2e::IconosTesk().size(), 1u);
    MarcarFoco();
    ASSERT_TRUE(OcultarLasDemas());
    ASSERT_TRUE(Restaurar(Todas().front()));
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
}

// The test plays Tesk: a section of its own, its own process to watch, and
// tesk.exe started as the guardian. A record damaged in its header shows
// nothing; the same record whole shows its window. The witness shares the
// window's thread, so once it is shown anything asked before has landed.
TEST_F(Guardian, UnRegistroDanadoNoMuestraNada) {
    AbrirLotes(Juntar(Una(L"Oculta"), Una(L"Testigo")));
    const HWND oculta = Todas()[0];
    const HWND testigo = Todas()[1];
    for (HWND v : {oculta, testigo}) {
        ShowWindow(v, SW_HIDE);
        ASSERT_TRUE(prueba::EsperarHasta([&] { return !IsWindowVisible(v); }));
    }
    const auto correr = [&](HWND ventana, bool danado) {
        SECURITY_ATTRIBUTES heredable{sizeof heredable, nullptr, TRUE};
        const prueba::HandlePropio seccion = prueba::SeccionDelRegistro();
        const prueba::HandlePropio senal(CreateEventW(&heredable, TRUE, FALSE, nullptr));
        const prueba::HandlePropio listo(CreateEventW(&heredable, TRUE, FALSE, nullptr));
        HANDLE propio = nullptr;
        DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &propio,
                        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0);
        const prueba::HandlePropio vigilado(propio);
        ASSERT_TRUE(seccion && senal && listo && vigilado);
        auto* vista = static_cast<std::byte*>(MapViewOfFile(seccion.get(), FILE_MAP_WRITE, 0, 0, 0));
        ASSERT_NE(vista, nullptr);
        auto& cabecera = *reinterpret_cast<guardian::Cabecera*>(vista);
        cabecera = prueba::CabeceraComoLaEscribeTesk();
        if (danado) cabecera.marca += 1;
        cabecera.usadas = 1;
        *reinterpret_cast<guardian::Entrada*>(vista + sizeof(guardian::Cabecera)) = prueba::EntradaDe(ventana, SW_SHOW);
        UnmapViewOfFile(vista);
        const tesk::HandleUnico lanzadera = guardian::Lanzador::Lanzar(
            e2e::RutaDe(e2e::kVariableTesk), {seccion.get(), vigilado.get(), senal.get(), listo.get()});
        ASSERT_TRUE(lanzadera);
        // The copy in between ends at once, with the guardian's id.
        ASSERT_TRUE(prueba::EsperarHasta([&] { return e2e::Termino(lanzadera.get()); })) << "the lanzadera went on";
        DWORD id = 0;
        ASSERT_TRUE(GetExitCodeProcess(lanzadera.get(), &id));
        const prueba::HandlePropio guardian(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
        ASSERT_TRUE(guardian) << "no guardian with the id the lanzadera ended with: " << id;
        // Woken only once it waits: the header names the handles whole.
        ASSERT_TRUE(prueba::EsperarHasta([&] { return WaitForSingleObject(listo.get(), 0) == WAIT_OBJECT_0; }))
            << "the guardian never said it was waiting";
        SetEvent(senal.get());
        ASSERT_TRUE(prueba::EsperarHasta([&] { return e2e::Termino(guardian.get()); })) << "the guardian did not end";
        DWORD codigo = 1;
        GetExitCodeProcess(guardian.get(), &codigo);
        EXPECT_EQ(codigo, 0u) << "it ran as something other than a guardian";
    };
    correr(oculta, true);
    correr(testigo, false);
    ASSERT_TRUE(prueba::EsperarHasta([&] { return IsWindowVisible(testigo) != FALSE; }));
    EXPECT_FALSE(IsWindowVisible(oculta)) << "a damaged record showed its window";
    EXPECT_TRUE(e2e::IconosTesk().empty()) << "the guardian ran as the program";
}

}  // namespace
}  // namespace tesk::fiabilidad
