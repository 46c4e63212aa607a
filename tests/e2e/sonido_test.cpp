// The sound of concealed programs, through real keys, against the stand-in
// audio services of the test's prefix (AudioPrueba.h): a program whose
// windows are all concealed goes quiet, from its child too, and is heard
// again exactly as it was; one with a window on screen goes on playing;
// what the user muted stays muted; what starts playing while concealed goes
// quiet within a tick or two; and tesk.exe killed while concealed leaves
// its guardian to give the sound back. With Wine's own audio services,
// which list no sessions, concealment works as it always has.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "panel/Nombres.h"
#include "tests/soporte/AudioPrueba.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Escena.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/Rutas.h"

namespace tesk::e2e {
namespace {

namespace audio = prueba::audio;

bool Silenciada(const wchar_t* id) {
    const audio::Sesion* s = audio::Buscar(id);
    return s != nullptr && s->silenciada != 0;
}

bool EsperarSilencio(const wchar_t* id, bool silenciada) {
    return prueba::EsperarHasta([&] { return audio::Buscar(id) != nullptr && Silenciada(id) == silenciada; });
}

class Sonido : public Escena {
protected:
    void SetUp() override {
        ASSERT_NE(audio::Compartida(), nullptr);
        audio::Vaciar();
        Escena::SetUp();
    }
    void TearDown() override {
        Escena::TearDown();
        otro_.reset();
        audio::Vaciar();
    }

    // Another program: a copy of the test-window program under another
    // executable's name, started before tesk.exe.
    prueba::VentanasPrueba& OtroPrograma(const std::vector<std::wstring>& argumentos) {
        const std::filesystem::path original(RutaDe(kVariableVentanasPrueba));
        const std::filesystem::path copia = std::filesystem::temp_directory_path() / L"tesk_reproductor.exe";
        std::filesystem::copy_file(original, copia, std::filesystem::copy_options::overwrite_existing);
        otro_.emplace(copia.wstring(), argumentos);
        return *otro_;
    }

    // The program's guardian says it is waiting.
    void EsperarGuardian() {
        ASSERT_TRUE(prueba::EsperarHasta([&] { return ElPanel().Preguntar(TipoRecurso::guardian).value_or(0) != 0; }))
            << "no guardian came up";
    }

private:
    std::optional<prueba::VentanasPrueba> otro_;
};

TEST_F(Sonido, LoOcultoCallaYVuelveComoEstabaLoQueSeVeSigueSonando) {
    prueba::VentanasPrueba& reproductor = OtroPrograma({L"--sonar", L"reproductor", L"--ventana", L"Reproductor"});
    Arrancar({L"--sonar", L"navegador", L"--sonar", L"navegador-usuario", L"--sonar-hijo", L"navegador-pagina",
              L"--ventana", L"Navegador", L"--ventana", L"Navegador 2"});
    audio::Buscar(L"navegador-usuario")->silenciada = 1;  // the user muted it in the mixer
    MarcarConClic(L"Reproductor");
    const HWND navegador = Ventanas()[0];

    Pulsar(VK_F6, reproductor[0]);
    ASSERT_TRUE(EsperarVisibles({navegador, Ventanas()[1]}, false));
    EXPECT_TRUE(EsperarSilencio(L"navegador", true)) << "the concealed program still plays";
    EXPECT_TRUE(EsperarSilencio(L"navegador-pagina", true)) << "the concealed program's child still plays";

    // Started while concealed: quiet within a tick or two.
    audio::Sonar(L"navegador-tarde", Ventanas().IdProceso());
    EXPECT_TRUE(EsperarSilencio(L"navegador-tarde", true)) << "a session opened while concealed still plays";
    DejarPasarTicks();
    EXPECT_FALSE(Silenciada(L"reproductor")) << "a program with a window on screen was muted";
    EXPECT_EQ(audio::Buscar(L"reproductor")->cambios, 0);
    EXPECT_EQ(audio::Buscar(L"navegador-usuario")->cambios, 0) << "a session the user had muted was touched";

    Pulsar(VK_F6, reproductor[0]);
    ASSERT_TRUE(EsperarVisibles({navegador}, true));
    for (const wchar_t* id : {L"navegador", L"navegador-pagina", L"navegador-tarde"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(id)));
        EXPECT_TRUE(EsperarSilencio(id, false)) << "not given back";
        EXPECT_EQ(audio::Buscar(id)->nivel, 0.5f) << "its level changed";
    }
    DejarPasarTicks();
    EXPECT_TRUE(Silenciada(L"navegador-usuario")) << "the restore unmuted what the user had muted";
    EXPECT_FALSE(Silenciada(L"reproductor"));
}

TEST_F(Sonido, TeskMuertoConLoOcultoCalladoElGuardianDevuelveElSonido) {
    Arrancar({L"--sonar", L"juego", L"--ventana", L"Juego", L"--ventana", L"Otra"});
    EsperarGuardian();
    Pulsar(VK_F6, Ventanas()[1]);
    ASSERT_TRUE(EsperarVisibles({Ventanas()[0]}, false));
    ASSERT_TRUE(EsperarSilencio(L"juego", true));
    ASSERT_TRUE(Tesk().Matar());
    EXPECT_TRUE(EsperarVisibles({Ventanas()[0], Ventanas()[1]}, true));
    EXPECT_TRUE(EsperarSilencio(L"juego", false)) << "the guardian left the session muted";
}

// Wine's own mmdevapi: endpoints, but no session list (E_NOTIMPL).
using SonidoDeWine = Escena;

TEST_F(SonidoDeWine, SinListaDeSesionesLaOcultacionEsLaDeSiempre) {
    Arrancar({L"--ventana", L"Juego", L"--max", L"--ventana", L"Chat", L"--min"});
    const std::vector<HWND> juego = {Ventanas()[0], Ventanas()[1]};
    const std::map<HWND, EstadoVentana> antes = EstadosDe(juego);
    Pulsar(VK_F6, juego[0]);
    ASSERT_TRUE(EsperarVisibles(juego, false));
    // The audio services were asked (they are loaded), and answered nothing.
    EXPECT_TRUE(prueba::EsperarHasta([&] {
        for (const std::wstring& m : ModulosDe(Tesk().Id()))
            if (m == L"mmdevapi.dll") return true;
        return false;
    })) << "the hide pass never reached the audio services";
    prueba::PulsarYSoltar(VK_F6);  // nothing of the test's is left to focus
    ASSERT_TRUE(EsperarVisibles(juego, true));
    EXPECT_TRUE(prueba::EsperarHasta([&] { return EstadosDe(juego) == antes; }));
    ASSERT_TRUE(EsperarIcono(true));
}

}  // namespace
}  // namespace tesk::e2e
