#include "tests/unit/Banco.h"

namespace tesk::prueba {
namespace {

using Refresco = Banco;

std::vector<std::wstring> Textos(const Lista& lista) {
    std::vector<std::wstring> textos;
    for (int i = 0; i < lista.Cantidad(); ++i) textos.push_back(lista.Texto(i));
    return textos;
}

TEST_F(Refresco, SoloElPanelYElShellDanUnaListaVacia) {
    motor.ActualizarLista();
    EXPECT_EQ(lista.Cantidad(), 0);
    ASSERT_EQ(motor.VentanasLista().size(), 1u);
    EXPECT_EQ(motor.VentanasLista()[0].hWnd, 0);
    EXPECT_EQ(motor.VentanasLista()[0].Titulo, L"");
}

TEST_F(Refresco, ListaLasVentanasVisiblesConTituloDeDelanteAAtrasConSusRegistros) {
    const Handle atras = escritorio.Abrir(L"Atrás", kSwShowMaximized);
    escritorio.Abrir(L"Oculta", kSwShowNormal, false);
    escritorio.Abrir(L"    ");
    escritorio.Abrir(L"");
    const Handle minimizada = escritorio.Abrir(L"  Minimizada ", kSwShowMinimized);
    const Handle delante = escritorio.Abrir(L"\tDelante");

    motor.ActualizarLista();

    EXPECT_EQ(Textos(lista), (std::vector<std::wstring>{L"\tDelante", L"Minimizada", L"Atrás"}));
    const Ventanas& v = motor.VentanasLista();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[1].hWnd, delante);
    EXPECT_EQ(v[2].hWnd, minimizada);
    EXPECT_EQ(v[2].Estado, kSwShowMinimized);
    EXPECT_EQ(v[2].Titulo, L"Minimizada");
    EXPECT_EQ(v[3].hWnd, atras);
    EXPECT_EQ(v[3].Estado, kSwShowMaximized);
}

TEST_F(Refresco, NuncaListaElPanelNiElShellSeaCualSeaSuTitulo) {
    escritorio.CambiarTitulo(barra, L"Barra");
    escritorio.AlFrenteDelZ(anfitrion.panel);
    motor.ActualizarLista();
    EXPECT_EQ(Textos(lista), std::vector<std::wstring>{});
}

TEST_F(Refresco, TitulosRepetidosQuedanEnEntradasAparteCadaUnaConSuHandle) {
    const Handle uno = escritorio.Abrir(L"Sin título");
    const Handle dos = escritorio.Abrir(L"Sin título");
    motor.ActualizarLista();
    ASSERT_EQ(lista.Cantidad(), 2);
    EXPECT_EQ(motor.VentanasLista()[1].hWnd, dos);
    EXPECT_EQ(motor.VentanasLista()[2].hWnd, uno);
}

TEST_F(Refresco, BorraLasMarcasYNoTocaLaOcultacion) {
    escritorio.Abrir(L"A");
    const Handle b = escritorio.Abrir(L"B");
    motor.ActualizarLista();
    MarcarTitulo(L"A");
    motor.OcultarVentanas();
    ASSERT_TRUE(motor.Oculto());
    const auto guardadas = motor.VentanasGuardadas().size();

    motor.ActualizarLista();

    EXPECT_EQ(lista.CantidadMarcadas(), 0);
    EXPECT_TRUE(motor.Oculto());
    EXPECT_EQ(motor.VentanasGuardadas().size(), guardadas);
    EXPECT_FALSE(Visible(b));
}

TEST_F(Refresco, UnaVentanaQueSeCierraDuranteElRecorridoLoAcorta) {
    escritorio.Abrir(L"Detrás");
    const Handle seCierra = escritorio.Abrir(L"Se cierra");
    escritorio.Abrir(L"Delante");
    escritorio.alPedirSiguiente = [&](Handle h) {
        if (h == seCierra) escritorio.Cerrar(seCierra);
    };
    motor.ActualizarLista();
    EXPECT_EQ(Textos(lista), (std::vector<std::wstring>{L"Delante"}));
}

TEST_F(Refresco, UnCambioDelOrdenZDuranteElRecorridoNoListaNingunaVentanaDosVeces) {
    const Handle a = escritorio.Abrir(L"A");
    escritorio.Abrir(L"B");
    escritorio.alPedirSiguiente = [&](Handle h) {
        // Whatever the walk just left comes to the front again.
        escritorio.AlFrenteDelZ(h);
    };
    motor.ActualizarLista();  // must end
    EXPECT_EQ(Textos(lista), (std::vector<std::wstring>{L"B", L"A"}));
    escritorio.alPedirSiguiente = nullptr;
    escritorio.AlFrenteDelZ(a);
    motor.ActualizarLista();
    EXPECT_EQ(Textos(lista), (std::vector<std::wstring>{L"A", L"B"}));
}

}  // namespace
}  // namespace tesk::prueba
