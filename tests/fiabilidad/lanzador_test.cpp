// Tesk's side of the guardian, seen from the processes it starts: a copy
// that never says it is waiting is ended and replaced once its time is up,
// and never passes for one that is up; a guardian that ended is started
// again on a later tick; a real one is known to be up once it waits.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "guardian/Lanzador.h"
#include "guardian/Registro.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/ProcesoTesk.h"
#include "tests/soporte/RegistroPrueba.h"
#include "tests/soporte/Rutas.h"

namespace tesk::fiabilidad {
namespace {

class Lanzador : public testing::Test {
protected:
    void SetUp() override {
        seccion_ = prueba::SeccionDelRegistro();
        ASSERT_TRUE(seccion_);
        auto* cabecera = static_cast<guardian::Cabecera*>(MapViewOfFile(seccion_.get(), FILE_MAP_WRITE, 0, 0, 0));
        ASSERT_NE(cabecera, nullptr);
        *cabecera = prueba::CabeceraComoLaEscribeTesk();
        UnmapViewOfFile(cabecera);
    }

    // Whatever the launcher started and left running (a guardian would wait
    // for this test program to end).
    void TearDown() override {
        for (DWORD id : e2e::HijosDe(GetCurrentProcessId())) {
            const prueba::HandlePropio hijo(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
            if (hijo) TerminateProcess(hijo.get(), 1);
        }
    }

    // The one process the launcher has running, once the one before (if
    // any) is gone; ticks it on the way when told to.
    prueba::HandlePropio ElUnico(guardian::Lanzador* alTicar = nullptr, DWORD distintoDe = 0) {
        std::vector<DWORD> hijos;
        EXPECT_TRUE(prueba::EsperarHasta([&] {
            if (alTicar != nullptr) alTicar->Mantener();
            hijos = e2e::HijosDe(GetCurrentProcessId());
            return hijos.size() == 1 && hijos.front() != distintoDe;
        })) << hijos.size() << " processes running, not one new one";
        if (hijos.size() != 1) return {};
        return prueba::HandlePropio(
            OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, hijos.front()));
    }

    prueba::HandlePropio seccion_;
};

// ventanas_prueba.exe asked for no window waits for messages for ever and
// sets nothing: a guardian stuck on its way up.
TEST_F(Lanzador, UnoQueNoLlegaAEsperarNoPasaPorListoYSeSustituyeCuandoSeAcabaSuPlazo) {
    guardian::Lanzador lanzador(seccion_.get(), e2e::RutaDe(e2e::kVariableVentanasPrueba), 0);
    ASSERT_TRUE(lanzador.Asegurar());
    const prueba::HandlePropio primero = ElUnico();
    ASSERT_TRUE(primero);
    // Running, if not up: a hide pass starts no second one.
    EXPECT_TRUE(lanzador.Asegurar());
    EXPECT_EQ(e2e::HijosDe(GetCurrentProcessId()).size(), 1u);
    EXPECT_EQ(lanzador.Listo(), 0u);

    // Its time (none) is up: the next tick ends it and starts another.
    EXPECT_FALSE(lanzador.Mantener());
    ASSERT_TRUE(prueba::EsperarHasta([&] { return e2e::Termino(primero.get()); })) << "the stuck copy was left running";
    const prueba::HandlePropio segundo = ElUnico(nullptr, GetProcessId(primero.get()));
    ASSERT_TRUE(segundo);
    EXPECT_EQ(lanzador.Listo(), 0u);
}

// A real guardian is started by a copy that ends at once: it is no
// descendant of the program that started it.
// It inherits the handles the record's header names and nothing else this
// process would let a child inherit.
TEST_F(Lanzador, UnGuardianDeVerdadEstaListoAlEsperarFueraDelArbolYSiTerminaSeArrancaOtro) {
    SECURITY_ATTRIBUTES heredable{sizeof heredable, nullptr, TRUE};
    const prueba::HandlePropio ajeno(CreateEventW(&heredable, TRUE, FALSE, nullptr));
    ASSERT_TRUE(ajeno);
    guardian::Lanzador lanzador(seccion_.get(), e2e::RutaDe(e2e::kVariableTesk));
    ASSERT_TRUE(lanzador.Asegurar());
    const auto arriba = [&] {
        return prueba::EsperarHasta([&] {
            return lanzador.Mantener() && e2e::ArbolDe(GetCurrentProcessId()).empty();
        });
    };
    ASSERT_TRUE(arriba()) << "the guardian never came up, or something of its start stayed below this process";
    const DWORD primero = lanzador.Listo();
    ASSERT_NE(primero, 0u);
    const prueba::HandlePropio guardian(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_DUP_HANDLE, FALSE, primero));
    ASSERT_TRUE(guardian);
    // A handle of this process's, under the same value in the guardian:
    // the same object there only if it was inherited.
    const auto suyo = [&](HANDLE propio) {
        HANDLE copia = nullptr;
        DuplicateHandle(guardian.get(), propio, GetCurrentProcess(), &copia, 0, FALSE, DUPLICATE_SAME_ACCESS);
        return prueba::HandlePropio(copia);
    };
    {
        const prueba::HandlePropio seccion = suyo(seccion_.get());
        ASSERT_TRUE(seccion) << "the guardian has no record";
        const auto* cabecera = static_cast<const guardian::Cabecera*>(MapViewOfFile(seccion.get(), FILE_MAP_READ, 0, 0, 0));
        ASSERT_NE(cabecera, nullptr);
        EXPECT_EQ(cabecera->marca, guardian::kMarca) << "the guardian's section is not the record";
        UnmapViewOfFile(cabecera);
    }
    const auto heredado = [&](HANDLE evento) {
        const prueba::HandlePropio copia = suyo(evento);
        if (!copia) return false;
        ResetEvent(evento);
        const bool antes = WaitForSingleObject(copia.get(), 0) == WAIT_OBJECT_0;
        SetEvent(evento);
        return !antes && WaitForSingleObject(copia.get(), 0) == WAIT_OBJECT_0;
    };
    EXPECT_FALSE(heredado(ajeno.get())) << "the guardian inherited a handle that is none of its own";

    // Ended from outside: not up any more, and a later tick starts another.
    TerminateProcess(guardian.get(), 1);
    ASSERT_TRUE(prueba::EsperarHasta([&] { return e2e::Termino(guardian.get()); }));
    EXPECT_EQ(lanzador.Listo(), 0u);
    ASSERT_TRUE(arriba()) << "its replacement never came up";
    const DWORD segundo = lanzador.Listo();
    EXPECT_NE(segundo, primero);
    // It waits for this process: ended here, not left for the test's end.
    const prueba::HandlePropio otro(OpenProcess(PROCESS_TERMINATE, FALSE, segundo));
    if (otro) TerminateProcess(otro.get(), 1);
}

}  // namespace
}  // namespace tesk::fiabilidad
