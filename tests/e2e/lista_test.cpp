// The candidate list on the panel: rows marked and unmarked by clicks, and
// read again from the desktop by a click on "Ocultar todo excepto".
#include <gtest/gtest.h>

#include "tests/soporte/Escena.h"
#include "tests/soporte/Esperar.h"

namespace tesk::e2e {
namespace {

using Lista = Escena;

TEST_F(Lista, UnClicEnUnaFilaLaMarcaYOtroLaDesmarca) {
    Arrancar({L"--ventana", L"Primera", L"--ventana", L"Segunda", L"--ventana", L"Tercera"});

    MarcarConClic(L"Segunda");
    MarcarConClic(L"Primera");
    const std::vector<bool> marcas = ElPanel().Marcas();
    for (std::size_t i = 0; i < marcas.size(); ++i) {
        const std::wstring texto = ElPanel().Textos()[i];
        EXPECT_EQ(marcas[i], texto == L"Segunda" || texto == L"Primera") << testing::PrintToString(texto);
    }

    const int segunda = ElPanel().Fila(L"Segunda");
    ElPanel().ClicEnFila(segunda);
    EXPECT_TRUE(prueba::EsperarHasta([&] { return !ElPanel().Marcada(segunda); }));
    EXPECT_TRUE(ElPanel().Marcada(ElPanel().Fila(L"Primera")));
}

TEST_F(Lista, UnClicEnLBListaLeeOtraVezElEscritorioYBorraLasMarcas) {
    Arrancar({L"--ventana", L"Antigua", L"--ventana", L"Se cierra"});
    MarcarConClic(L"Antigua");
    const HWND posterior = AbrirPosteriores({L"--ventana", L"Posterior"})[0];
    ShowWindow(Ventanas()[1], SW_HIDE);
    ASSERT_EQ(ElPanel().Fila(L"Posterior"), -1);

    ElPanel().ClicEn(kLBLista);
    ASSERT_TRUE(prueba::EsperarHasta([&] { return ElPanel().Fila(L"Posterior") >= 0; }))
        << "the new window is not in the list";
    EXPECT_EQ(ElPanel().Fila(L"Se cierra"), -1) << "a window no longer visible stays in the list";
    EXPECT_GE(ElPanel().Fila(L"Antigua"), 0);
    EXPECT_EQ(ElPanel().Marcas(), std::vector<bool>(ElPanel().Textos().size(), false)) << "marks survived";
    // Newest in front: the list reads the desktop from the front.
    EXPECT_LT(ElPanel().Fila(L"Posterior"), ElPanel().Fila(L"Antigua"));

    // The window read now is listed: a mark keeps it in mode "Ocultar todo
    // excepto".
    MarcarConClic(L"Posterior");
    Pulsar(VK_F6, posterior);
    EXPECT_TRUE(EsperarVisibles({Ventanas()[0]}, false));
    DejarPasarTicks();
    EXPECT_TRUE(IsWindowVisible(posterior));
    Pulsar(VK_F6, posterior);
    EXPECT_TRUE(EsperarVisibles({Ventanas()[0]}, true));
}

}  // namespace
}  // namespace tesk::e2e
