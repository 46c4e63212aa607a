// Start-up: where the panel appears and how it looks, what its list holds,
// the tray icon, and a second copy that ends at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/soporte/BandejaWine.h"
#include "tests/soporte/Escena.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/Rutas.h"

namespace tesk::e2e {
namespace {

constexpr std::chrono::milliseconds kEsperaSegundaCopia{60000};

// "Año — 文档 مستند 😀"
const std::wstring kTituloNoAscii =
    L"A\u00F1o \u2014 \u6587\u6863 \u0645\u0633\u062A\u0646\u062F \U0001F600";

using Arranque = Escena;

// Its size and place at each DPI: diseno_test.cpp.
TEST_F(Arranque, ElPanelApareceTranslucidoSinMarcoYSinEstarEncimaConSuIcono) {
    Arrancar({L"--ventana", L"Una ventana"});
    const Panel& panel = ElPanel();

    EXPECT_EQ(TituloDe(panel.Hwnd()), L"Tesk");
    EXPECT_EQ(AlfaAlAparecer(), kAlfaPanel) << "the panel was first shown at another opacity";
    EXPECT_EQ(panel.Alfa(), kAlfaPanel);
    EXPECT_FALSE(panel.SiempreEncima());

    const SIZE cliente = panel.TamanoCliente();
    const RECT rect = panel.RectVentana();
    EXPECT_EQ(rect.right - rect.left, cliente.cx) << "the panel has a frame";
    EXPECT_EQ(rect.bottom - rect.top, cliente.cy) << "the panel has a caption bar";

    const HWND icono = IconoTesk();
    ASSERT_NE(icono, nullptr);
    EXPECT_EQ(prueba::TipIcono(icono), L"Tesk");
}

TEST_F(Arranque, LaListaTieneLasVentanasVisiblesConTituloDeDelanteAAtras) {
    struct Caso {
        std::vector<std::wstring> argumentos;
        std::wstring enLista;  // empty: not listed
    };
    const std::vector<Caso> casos = {
        {{L"--ventana", L"Normal"}, L"Normal"},
        {{L"--ventana", L"  Con espacios  "}, L"Con espacios"},
        {{L"--ventana", L"\tCon tabuladores\t"}, L"\tCon tabuladores\t"},
        {{L"--ventana", L"Repetida"}, L"Repetida"},
        {{L"--ventana", L"Sin titulo", L"--sin-titulo"}, L""},
        {{L"--ventana", L"   "}, L""},
        {{L"--ventana", L"Invisible", L"--oculta"}, L""},
        {{L"--ventana", kTituloNoAscii}, kTituloNoAscii},
        {{L"--ventana", L"Minimizada", L"--min"}, L"Minimizada"},
        {{L"--ventana", L"Repetida"}, L"Repetida"},
        {{L"--ventana", L"Maximizada", L"--max"}, L"Maximizada"},
    };
    std::vector<std::wstring> argumentos;
    for (const Caso& caso : casos) argumentos.insert(argumentos.end(), caso.argumentos.begin(), caso.argumentos.end());
    Arrancar(argumentos);

    // What the list must hold of the test windows: their titles, trimmed,
    // in the window manager's order from the front.
    std::vector<std::wstring> esperadas;
    std::set<HWND> propias(Ventanas().Ventanas().begin(), Ventanas().Ventanas().end());
    for (HWND ventana : VisiblesDelante()) {
        const auto it = std::find(Ventanas().Ventanas().begin(), Ventanas().Ventanas().end(), ventana);
        if (it == Ventanas().Ventanas().end()) continue;
        const Caso& caso = casos[static_cast<std::size_t>(it - Ventanas().Ventanas().begin())];
        if (!caso.enLista.empty()) esperadas.push_back(caso.enLista);
    }
    // Any other entry is the title of a visible window of another program.
    std::multiset<std::wstring> ajenas;
    for (HWND ventana : VisiblesDelante()) {
        if (!propias.count(ventana) && ventana != ElPanel().Hwnd()) ajenas.insert(TituloDe(ventana));
    }

    std::vector<std::wstring> vistas;
    for (const std::wstring& texto : ElPanel().Textos()) {
        const bool propia = std::any_of(casos.begin(), casos.end(), [&](const Caso& c) {
            return !c.enLista.empty() && c.enLista == texto;
        });
        if (propia) {
            vistas.push_back(texto);
        } else {
            EXPECT_FALSE(texto.empty()) << "an empty entry";
            const auto ajena = ajenas.find(texto);
            EXPECT_NE(ajena, ajenas.end()) << "an entry no visible window has: " << testing::PrintToString(texto);
            if (ajena != ajenas.end()) ajenas.erase(ajena);
        }
    }
    EXPECT_EQ(vistas, esperadas);
    EXPECT_EQ(ElPanel().Marcas(), std::vector<bool>(ElPanel().Textos().size(), false)) << "entries start marked";
}

// A press of the activation key made before the program started was meant
// for some other program: the program must not conceal on it.
TEST_F(Arranque, UnaPulsacionAnteriorAlArranqueNoOculta) {
    prueba::VentanasPrueba& ventanas = AbrirPosteriores({L"--ventana", L"Antes del arranque"});
    Pulsar(VK_F6, ventanas[0]);

    ArrancarTesk();
    DejarPasarTicks();
    EXPECT_TRUE(IsWindowVisible(ventanas[0])) << "a press from before the start concealed";
    EXPECT_TRUE(ElPanel().Visible());
    EXPECT_NE(IconoTesk(), nullptr);
}

// Polls the process's windows until it ends: whether it ever had one.
bool TuvoVentanas(const ProcesoTesk& proceso) {
    bool vistas = false;
    const auto fin = std::chrono::steady_clock::now() + kEsperaSegundaCopia;
    while (proceso.Vivo() && std::chrono::steady_clock::now() < fin) {
        vistas = vistas || !proceso.Ventanas().empty();
        SwitchToThread();
    }
    return vistas;
}

// A second copy shows nothing and ends. With nothing concealed it touches
// nothing; with windows concealed, the first copy brings them back as its
// key would (the way back for a user who forgot the key).
TEST_F(Arranque, UnaSegundaCopiaTerminaEnseguidaYDevuelveLoOculto) {
    Arrancar({L"--ventana", L"Se queda", L"--ventana", L"Se oculta"});
    const HWND icono = IconoTesk();
    ASSERT_NE(icono, nullptr);

    {
        SCOPED_TRACE("while the first copy shows its panel");
        ProcesoTesk segunda(RutaDe(kVariableTesk));
        EXPECT_FALSE(TuvoVentanas(segunda));
        ASSERT_TRUE(segunda.EsperarFin(kEsperaSegundaCopia)) << "the second copy kept running";
        EXPECT_EQ(segunda.CodigoSalida(), 0u);
        EXPECT_TRUE(IsWindow(icono)) << "the first copy's icon was touched";
        EXPECT_EQ(IconosTesk(), std::vector<HWND>{icono});
        EXPECT_TRUE(ElPanel().Visible());
    }

    // Concealed: the first copy has no icon now, and must get none.
    const HWND seQueda = Ventanas()[0];
    const HWND seOculta = Ventanas()[1];
    ASSERT_GE(ElPanel().Fila(L"Se queda"), 0);
    ElPanel().Marcar(ElPanel().Fila(L"Se queda"), true);
    Pulsar(VK_F6, seQueda);
    ASSERT_TRUE(EsperarVisibles({seOculta}, false));
    ASSERT_TRUE(EsperarIcono(false));
    {
        SCOPED_TRACE("while the first copy conceals windows");
        ProcesoTesk segunda(RutaDe(kVariableTesk));
        EXPECT_FALSE(TuvoVentanas(segunda));
        ASSERT_TRUE(segunda.EsperarFin(kEsperaSegundaCopia)) << "the second copy kept running";
        EXPECT_EQ(segunda.CodigoSalida(), 0u);
        EXPECT_TRUE(EsperarVisibles({seOculta}, true)) << "the concealed window did not come back";
        EXPECT_TRUE(EsperarIcono(true)) << "the icon did not come back";
        EXPECT_TRUE(prueba::EsperarHasta([&] { return GetForegroundWindow() == seOculta; }))
            << "in front: " << testing::PrintToString(Describir(GetForegroundWindow()));
        DejarPasarTicks();
        EXPECT_FALSE(ElPanel().Visible()) << "the restore showed the panel";
        EXPECT_EQ(IconosTesk().size(), 1u);
    }
    // The key goes on as before.
    Pulsar(VK_F6, seQueda);
    EXPECT_TRUE(EsperarVisibles({seOculta}, false));
    Pulsar(VK_F6, seQueda);
    EXPECT_TRUE(EsperarVisibles({seOculta}, true));
    EXPECT_TRUE(EsperarIcono(true));
}

}  // namespace
}  // namespace tesk::e2e
