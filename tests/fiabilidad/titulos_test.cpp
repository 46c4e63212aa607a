// Odd input from the desktop: titles at the extremes (very long, only
// spaces, only tabs, emoji, right-to-left and CJK scripts) are listed as
// read, trimmed of spaces and cut to the reading buffer, and their windows
// hidden and shown like any other; windows destroyed after the list was
// read leave the passes to deal with handles that no longer name a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/soporte/Esperar.h"
#include "tests/soporte/Lote.h"

namespace tesk::fiabilidad {
namespace {

// The reading buffer holds 256 characters with the terminating NUL.
constexpr std::size_t kLargoLeido = 255;
constexpr std::size_t kLargoExtremo = 10000;

struct Titulo {
    std::wstring escrito;  // as given to ventanas_prueba.exe, escapes and all
    std::wstring listado;  // the entry expected in the list; empty: not listed
};

std::wstring Largo() {
    std::wstring texto;
    while (texto.size() < kLargoExtremo) texto += L"Largo 0123456789 ";
    texto.resize(kLargoExtremo);
    return texto;
}

// What is left of a title cut to the buffer once its spaces are trimmed.
std::wstring Leido(const std::wstring& titulo) {
    std::wstring leido = titulo.substr(0, kLargoLeido);
    leido.erase(leido.find_last_not_of(L' ') + 1);
    return leido;
}

std::vector<Titulo> Extremos() {
    const std::wstring largo = Largo();
    return {
        {kFoco, kFoco},
        {largo, Leido(largo)},
        {L"      ", L""},
        {L"\t\t\t", L"\t\t\t"},
        {L"  \tTabuladores y espacios\t  ", L"\tTabuladores y espacios\t"},
        {L"Emoji \\u{1F600}\\u{1F648} \\u{2764}\\u{FE0F}", L"Emoji \U0001F600\U0001F648 \u2764\uFE0F"},
        {L"\\u{5D7}\\u{5DC}\\u{5D5}\\u{5DF} \\u{646}\\u{627}\\u{641}\\u{630}\\u{629}",
         L"\u05D7\u05DC\u05D5\u05DF \u0646\u0627\u0641\u0630\u0629"},
        {L"\\u{7A97}\\u{53E3} \\u{30A6}\\u{30A3}\\u{30F3}\\u{30C9}\\u{30A6} \\u{CC3D}",
         L"\u7A97\u53E3 \u30A6\u30A3\u30F3\u30C9\u30A6 \uCC3D"},
    };
}

using Entradas = Lote;

TEST_F(Entradas, TitulosExtremosSeListanComoSeLeenYSusVentanasVuelven) {
    const std::vector<Titulo> titulos = Extremos();
    std::vector<std::wstring> argumentos;
    for (const Titulo& titulo : titulos) argumentos = Juntar(argumentos, Una(titulo.escrito));
    AbrirLotes(argumentos);
    ArrancarTesk();

    std::vector<std::wstring> esperadas;
    for (const Titulo& titulo : titulos) {
        if (!titulo.listado.empty()) esperadas.push_back(titulo.listado);
    }
    std::vector<std::wstring> listadas = ElPanel().Textos();
    std::sort(esperadas.begin(), esperadas.end());
    std::sort(listadas.begin(), listadas.end());
    EXPECT_EQ(listadas, esperadas);

    const HWND foco = Todas().front();
    MarcarFoco();
    const auto antes = e2e::EstadosDe(Todas());
    const std::vector<HWND> seOcultan(Todas().begin() + 1, Todas().end());
    ASSERT_TRUE(Ocultar(foco, seOcultan)) << "a window with an odd title was left visible";
    ASSERT_TRUE(Restaurar(foco));
    EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
}

TEST_F(Entradas, VentanasDestruidasDespuesDeLeerLaListaNoEstorbanLasPasadas) {
    const HWND foco = ArrancarConFoco(Muchas(L"Ventana", 12));
    // A marked entry and unmarked ones whose windows are gone by the time
    // the key is pressed.
    MarcarEntrada(e2e::TituloDe(Todas()[1]));
    const std::vector<HWND> destruidas = {Todas()[1], Todas()[4], Todas()[7], Todas().back()};
    for (HWND ventana : destruidas) PostMessageW(ventana, WM_CLOSE, 0, 0);
    ASSERT_TRUE(prueba::EsperarHasta([&] {
        return std::none_of(destruidas.begin(), destruidas.end(), [](HWND v) { return IsWindow(v) != FALSE; });
    }));
    std::vector<HWND> quedan;
    for (HWND ventana : Todas()) {
        if (IsWindow(ventana)) quedan.push_back(ventana);
    }
    const auto antes = e2e::EstadosDe(quedan);

    const std::vector<HWND> seOcultan(quedan.begin() + 1, quedan.end());
    for (int vez = 1; vez <= 2; ++vez) {
        SCOPED_TRACE(testing::Message() << "pass " << vez);
        ASSERT_TRUE(Ocultar(foco, seOcultan));
        EXPECT_TRUE(IsWindowVisible(foco));
        ASSERT_TRUE(Restaurar(foco));
        EXPECT_TRUE(EsperarEstados(antes)) << Diferencias(antes);
    }
}

}  // namespace
}  // namespace tesk::fiabilidad
