// What the guardian does with the record once Tesk is gone: every window
// the record names that is still that window is shown in its command; one
// still on screen is shown as it is. A record that is not one as Tesk writes
// it, and an entry that names no window of its own process and thread or
// no show command, show nothing. Nothing is ever hidden, moved or waited for.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "desktop/Conversiones.h"
#include "guardian/Recuperacion.h"
#include "guardian/Registro.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/RegistroPrueba.h"
#include "tests/soporte/VentanaLocal.h"
#include "tests/soporte/VentanasPrueba.h"

namespace tesk::guardian {
namespace {

// A record in memory of the test's own, written as Tesk writes it.
class RegistroDePrueba {
public:
    RegistroDePrueba() : bytes_(kTamano) { LaCabecera() = prueba::CabeceraComoLaEscribeTesk(); }
    Cabecera& LaCabecera() { return *reinterpret_cast<Cabecera*>(bytes_.data()); }
    void Anotar(HWND ventana, std::int32_t mostrarCon) { AnotarTal(prueba::EntradaDe(ventana, mostrarCon)); }
    void AnotarTal(const Entrada& entrada) {
        auto* entradas = reinterpret_cast<Entrada*>(bytes_.data() + sizeof(Cabecera));
        entradas[LaCabecera().usadas++] = entrada;
    }
    // A session's entry as Tesk writes it: process, identifier, length last.
    EntradaSesion& AnotarSesion(std::uint32_t proceso, const std::wstring& id) {
        auto* sesiones = reinterpret_cast<EntradaSesion*>(bytes_.data() + sizeof(Cabecera) + kCapacidad * sizeof(Entrada));
        EntradaSesion& entrada = sesiones[LaCabecera().sesionesUsadas++];
        entrada.proceso = proceso;
        std::wmemcpy(entrada.id, id.c_str(), id.size() + 1);
        entrada.largo = static_cast<std::uint32_t>(id.size());
        return entrada;
    }
    Recuperadas Recuperar(std::size_t tamano = kTamano) { return guardian::Recuperar(bytes_.data(), tamano); }

private:
    std::vector<std::byte> bytes_;
};

bool Ocultar(HWND ventana) {
    ShowWindow(ventana, SW_HIDE);
    return prueba::EsperarHasta([&] { return !IsWindowVisible(ventana); });
}

UINT ComandoDe(HWND ventana) {
    WINDOWPLACEMENT colocacion{};
    colocacion.length = sizeof colocacion;
    GetWindowPlacement(ventana, &colocacion);
    return colocacion.showCmd;
}

// Windows of one thread, so that calls to them land in the order they were
// made: once the witness is shown, a show asked before it would have landed.
class Recuperacion : public testing::Test {
protected:
    Recuperacion()
        : ventanas_({L"--ventana", L"Normal", L"--ventana", L"Minimizada", L"--min", L"--ventana", L"Maximizada",
                     L"--max", L"--ventana", L"En pantalla", L"--ventana", L"Testigo"}),
          normal(ventanas_[0]),
          minimizada(ventanas_[1]),
          maximizada(ventanas_[2]),
          enPantalla(ventanas_[3]),
          testigo(ventanas_[4]) {}

    void SetUp() override {
        for (HWND v : {normal, minimizada, maximizada, testigo}) ASSERT_TRUE(Ocultar(v));
    }

    // The witness shown by a record of its own: every call made before it
    // has landed.
    void HastaElTestigo() {
        RegistroDePrueba solo;
        solo.Anotar(testigo, kSwShow);
        ASSERT_EQ(solo.Recuperar().mostradas, 1u);
        ASSERT_TRUE(prueba::EsperarHasta([&] { return IsWindowVisible(testigo) != FALSE; }));
    }

    prueba::VentanasPrueba ventanas_;
    HWND normal, minimizada, maximizada, enPantalla, testigo;
};

TEST_F(Recuperacion, MuestraCadaVentanaEnSuComandoYDejaComoEstaLaQueSigueEnPantalla) {
    RegistroDePrueba registro;
    registro.Anotar(normal, kSwShow);
    registro.Anotar(minimizada, kSwShowMinimized);
    registro.Anotar(maximizada, kSwShowMaximized);
    // On screen while its entry asks for minimised: its hide may be on its
    // way, and it must not be minimised.
    registro.Anotar(enPantalla, kSwShowMinimized);
    registro.AnotarTal({0, kSwShow, 0, 0});  // a free entry
    const Recuperadas hechas = registro.Recuperar();
    EXPECT_EQ(hechas.mostradas, 3u);
    EXPECT_EQ(hechas.enPantalla, 1u);
    EXPECT_EQ(hechas.rechazadas, 0u);

    ASSERT_TRUE(prueba::EsperarHasta([&] {
        return IsWindowVisible(normal) && IsWindowVisible(minimizada) && IsWindowVisible(maximizada);
    }));
    HastaElTestigo();
    EXPECT_EQ(ComandoDe(normal), static_cast<UINT>(SW_SHOWNORMAL));
    EXPECT_EQ(ComandoDe(minimizada), static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_EQ(ComandoDe(maximizada), static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_TRUE(IsWindowVisible(enPantalla));
    EXPECT_FALSE(IsIconic(enPantalla)) << "a window on screen was minimised";
}

TEST_F(Recuperacion, UnaEntradaQueNoNombraUnaVentanaSuyaNiUnComandoNoMuestraNada) {
    prueba::VentanaLocal local(L"Con hija");
    const HWND hija = CreateWindowExW(0, L"STATIC", L"Hija", WS_CHILD, 0, 0, 10, 10, local.Hwnd(), nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hija, nullptr);
    prueba::VentanaLocal cerrada(L"Cerrada");
    const Handle yaNoExiste = HandleDe(cerrada.Hwnd());
    cerrada.Destruir();

    DWORD proceso = 0;
    const DWORD hilo = GetWindowThreadProcessId(normal, &proceso);
    const Handle h = HandleDe(normal);
    RegistroDePrueba registro;
    registro.AnotarTal({h, kSwHide, proceso, hilo});
    registro.AnotarTal({h, 12, proceso, hilo});
    registro.AnotarTal({h, -1, proceso, hilo});
    registro.AnotarTal({h, kSwShow, proceso + 1, hilo});  // another process's
    registro.AnotarTal({h, kSwShow, proceso, hilo + 1});  // another thread's
    registro.AnotarTal({HandleDe(hija), kSwShow, GetCurrentProcessId(), GetCurrentThreadId()});
    registro.AnotarTal({yaNoExiste, kSwShow, GetCurrentProcessId(), GetCurrentThreadId()});
    registro.AnotarTal({0x7FFF1234, kSwShow, proceso, hilo});
    const Recuperadas hechas = registro.Recuperar();
    EXPECT_EQ(hechas.mostradas + hechas.enPantalla, 0u);
    EXPECT_EQ(hechas.rechazadas, 8u);

    HastaElTestigo();
    EXPECT_FALSE(IsWindowVisible(normal));
    EXPECT_FALSE(IsWindowVisible(hija));
}

TEST_F(Recuperacion, UnRegistroQueNoEsComoLoEscribeTeskNoMuestraNada) {
    const std::vector<std::function<void(RegistroDePrueba&)>> danos = {
        [](RegistroDePrueba& r) { r.LaCabecera().marca ^= 1; },
        [](RegistroDePrueba& r) { r.LaCabecera().version += 1; },
        [](RegistroDePrueba& r) { r.LaCabecera().capacidad -= 1; },
        [](RegistroDePrueba& r) { r.LaCabecera().tamanoEntrada += 4; },
        [](RegistroDePrueba& r) { r.LaCabecera().usadas = kCapacidad + 1; },
        [](RegistroDePrueba& r) { r.LaCabecera().capacidadSesiones += 1; },
        [](RegistroDePrueba& r) { r.LaCabecera().tamanoSesion -= 2; },
        [](RegistroDePrueba& r) { r.LaCabecera().sesionesUsadas = kCapacidadSesiones + 1; },
    };
    for (std::size_t i = 0; i < danos.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "damage " << i);
        RegistroDePrueba registro;
        registro.Anotar(normal, kSwShow);
        registro.AnotarSesion(GetCurrentProcessId(), L"{sesion}");
        danos[i](registro);
        const Recuperadas hechas = registro.Recuperar();
        EXPECT_EQ(hechas.mostradas + hechas.enPantalla + hechas.rechazadas, 0u);
        EXPECT_EQ(hechas.sesiones + hechas.sesionesPerdidas, 0u);
    }
    RegistroDePrueba corto;
    corto.Anotar(normal, kSwShow);
    EXPECT_EQ(corto.Recuperar(kTamano - 1).mostradas, 0u) << "a record shorter than its table was read";
    EXPECT_EQ(guardian::Recuperar(nullptr, kTamano).mostradas, 0u);

    HastaElTestigo();
    EXPECT_FALSE(IsWindowVisible(normal));
}

// A session's entry is read whole or not at all: a length beyond the
// identifier, an identifier cut short or unterminated, no process. None of
// them loads the audio services: only a session that could be one does.
TEST_F(Recuperacion, UnaSesionMalEscritaNoSeBuscaNiCargaElAudio) {
    RegistroDePrueba registro;
    registro.AnotarSesion(GetCurrentProcessId(), L"{sesion}").largo = kLargoIdSesion;
    registro.AnotarSesion(GetCurrentProcessId(), L"{sesion}").largo = 3;
    registro.AnotarSesion(GetCurrentProcessId(), L"{sesion}").id[8] = L'x';
    registro.AnotarSesion(0, L"{sistema}");
    const Recuperadas hechas = registro.Recuperar();
    EXPECT_EQ(hechas.sesiones, 0u);
    EXPECT_EQ(hechas.sesionesPerdidas, 4u);
    EXPECT_EQ(GetModuleHandleW(L"mmdevapi.dll"), nullptr) << "the audio services were loaded for no session";
}

}  // namespace
}  // namespace tesk::guardian
