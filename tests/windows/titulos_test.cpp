// Titles as the boundary reads them: any script, at most 255 characters,
// nothing trimmed, NULs kept, and read from another program's window without
// waiting for it to answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/Conversiones.h"
#include "desktop/EscritorioWin32.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/VentanaLocal.h"
#include "tests/soporte/VentanasPrueba.h"

namespace tesk {
namespace {

using prueba::Colgada;
using prueba::VentanasPrueba;

constexpr std::size_t kLargoLeido = kTituloBuffer - 1;

std::wstring Largo(std::size_t cuantos) {
    std::wstring texto;
    for (std::size_t i = 0; texto.size() < cuantos; ++i) texto += std::to_wstring(i % 10);
    return texto;
}

TEST(Titulos, SeLeenEnCualquierEscritura) {
    EscritorioWin32 escritorio;
    const std::vector<std::wstring> titulos = {
        L"Bloc de notas",
        L"Canción de otoño — Año nuevo: ¿qué pasó? ¡Ñandú!",
        L"文字化けテスト 中文标题 한국어",
        L"مرحبا بالعالم — שלום עולם",
        L"Fotos 😀 de la fiesta 🎉",
    };
    std::vector<std::wstring> argumentos;
    for (const std::wstring& titulo : titulos) argumentos.insert(argumentos.end(), {L"--ventana", titulo});
    VentanasPrueba otras(argumentos);

    for (std::size_t i = 0; i < titulos.size(); ++i)
        EXPECT_EQ(escritorio.Titulo(HandleDe(otras[i])), titulos[i]) << "window " << i;
}

TEST(Titulos, LosEscapesDeLaLineaDeOrdenesDanElMismoTitulo) {
    EscritorioWin32 escritorio;
    VentanasPrueba otras({L"--ventana", L"Caf\\u{E9} \\u{1F600} a\\\\b"});
    EXPECT_EQ(escritorio.Titulo(HandleDe(otras[0])), L"Café 😀 a\\b");
}

TEST(Titulos, SeGuardanLosEspaciosYTabuladoresDeLosExtremos) {
    EscritorioWin32 escritorio;
    const std::wstring conEspacios = L"   Correo  entrante   ";
    const std::wstring conTabuladores = L"\t Hoja de cálculo \t";
    const std::wstring soloEspacios = L"     ";
    VentanasPrueba otras({L"--ventana", conEspacios, L"--ventana", conTabuladores, L"--ventana", soloEspacios});

    EXPECT_EQ(escritorio.Titulo(HandleDe(otras[0])), conEspacios);
    EXPECT_EQ(escritorio.Titulo(HandleDe(otras[1])), conTabuladores);
    EXPECT_EQ(escritorio.Titulo(HandleDe(otras[2])), soloEspacios);
}

TEST(Titulos, DeUnTituloLargoSeGuardanLos255Primeros) {
    EscritorioWin32 escritorio;
    const std::wstring justo = Largo(kLargoLeido);
    const std::wstring uno_mas = Largo(kLargoLeido + 1);
    const std::wstring muy_largo = Largo(1000);
    // A character outside the basic plane straddling the limit loses its
    // second half, as the platform copies it.
    const std::wstring partido = Largo(kLargoLeido - 1) + L"😀";
    VentanasPrueba otras(
        {L"--ventana", justo, L"--ventana", uno_mas, L"--ventana", muy_largo, L"--ventana", partido});

    EXPECT_EQ(escritorio.Titulo(HandleDe(otras[0])), justo);
    EXPECT_EQ(escritorio.Titulo(HandleDe(otras[1])), uno_mas.substr(0, kLargoLeido));
    EXPECT_EQ(escritorio.Titulo(HandleDe(otras[2])), muy_largo.substr(0, kLargoLeido));
    EXPECT_EQ(escritorio.Titulo(HandleDe(otras[3])), partido.substr(0, kLargoLeido));
}

TEST(Titulos, SinTituloSeLeeVacio) {
    EscritorioWin32 escritorio;
    VentanasPrueba otras({L"--ventana", L"", L"--sin-titulo", L"--ventana", L"", L"--oculta"});
    EXPECT_EQ(escritorio.Titulo(HandleDe(otras[0])), L"");
    EXPECT_EQ(escritorio.Titulo(HandleDe(otras[1])), L"");
}

TEST(Titulos, LosNulosDelTextoSeDevuelvenTalCual) {
    EscritorioWin32 escritorio;
    prueba::VentanaLocal propia(L"Tesk títulos");
    const std::wstring conNulos(L"Doc\0umento\0 ", 12);
    propia.ResponderTitulo(conNulos);
    EXPECT_EQ(escritorio.Titulo(HandleDe(propia.Hwnd())), conNulos);

    const std::wstring largoConNulos = std::wstring(L"\0\0", 2) + Largo(400);
    propia.ResponderTitulo(largoConNulos);
    EXPECT_EQ(escritorio.Titulo(HandleDe(propia.Hwnd())), largoConNulos.substr(0, kLargoLeido));
}

TEST(Titulos, UnaVentanaColgadaSeLeeSinEsperarla) {
    EscritorioWin32 escritorio;
    VentanasPrueba otras({L"--ventana", L"Programa colgado", L"--max", L"--hilo", L"--ventana", L"Vecina"});
    const HWND colgada = otras[0];
    const prueba::Cuelgue cuelgue(colgada);

    EXPECT_EQ(escritorio.Titulo(HandleDe(colgada)), L"Programa colgado");
    EXPECT_TRUE(escritorio.EsVisible(HandleDe(colgada)));
    EXPECT_EQ(escritorio.EstadoMostrar(HandleDe(colgada)), kSwShowMaximized);
    EXPECT_NE(escritorio.SiguienteVentana(HandleDe(colgada)), 0);
    // Every answer came while the window was still not pumping messages.
    EXPECT_TRUE(Colgada(colgada));
    // Its neighbour on another thread answers as usual.
    EXPECT_FALSE(Colgada(otras[1]));
}

}  // namespace
}  // namespace tesk
