#include <gtest/gtest.h>

#include "tests/fake/EscritorioFalso.h"
#include "tray/Bandeja.h"
#include "tray/modGeneral.h"

namespace tesk::prueba {
namespace {

TEST(ByteOpacidad, RedondeaLosMediosAlPar) {
    EXPECT_EQ(ByteOpacidad(90), 230);  // 229.5
    EXPECT_EQ(ByteOpacidad(30), 76);   // 76.5
    EXPECT_EQ(ByteOpacidad(10), 26);   // 25.5
    EXPECT_EQ(ByteOpacidad(0), 0);
    EXPECT_EQ(ByteOpacidad(100), 255);
    EXPECT_EQ(ByteOpacidad(1), 3);     // 2.55
}

TEST(EstablecerTransparencia, PoneLaVentanaEnCapasYConservaSusOtrosEstilos) {
    EscritorioFalso escritorio;
    const Handle v = escritorio.Abrir(L"Tesk");
    escritorio.FijarEstiloExtendido(v, 0x80 /* WS_EX_TOOLWINDOW */);
    EstablecerTransparencia(escritorio, v, 90);
    EXPECT_EQ(escritorio.EstiloExtendido(v), 0x80u | kWsExLayered);
    EXPECT_EQ(escritorio.Datos(v).alfa, 230);
}

TEST(SiempreEncima, EntraEnLaBandaSuperiorPorDelante) {
    EscritorioFalso escritorio;
    const Handle v = escritorio.Abrir(L"Tesk");
    escritorio.Abrir(L"otra");
    SiempreEncima(escritorio, v, true);
    EXPECT_TRUE(escritorio.Encima(v));
    EXPECT_EQ(escritorio.OrdenZ().front(), v);
}

TEST(Bandeja, AgregaElRegistroYBorraJustoEseIcono) {
    EscritorioFalso escritorio;
    const Handle panel = escritorio.Abrir(L"Tesk");
    const Handle otra = escritorio.Abrir(L"otra");
    IconoBandeja ajeno{otra, 1, 7, 0x200, 9, L"otro"};
    escritorio.AgregarIcono(ajeno);
    Bandeja bandeja(escritorio);

    bandeja.AgregarIconoBandeja(panel, 0x77);
    const IconoBandeja& r = escritorio.Iconos().at({panel, 1});
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 0x8001u);  // WM_APP + 1, never a real mouse message
    EXPECT_EQ(r.hIcon, 0x77u);
    ASSERT_EQ(r.szTip.size(), 64u);
    EXPECT_EQ(r.szTip.substr(0, 5), std::wstring(L"Tesk\0", 5));
    EXPECT_EQ(r.szTip.find_first_not_of(L' ', 5), std::wstring::npos);
    EXPECT_TRUE(bandeja.Presente());

    bandeja.QuitarIconoBandeja();
    EXPECT_EQ(escritorio.Iconos().count({panel, 1}), 0u);
    EXPECT_EQ(escritorio.Iconos().count({otra, 1}), 1u);
    bandeja.QuitarIconoBandeja();  // not there: harmless
    EXPECT_EQ(escritorio.Iconos().size(), 1u);
}

TEST(Bandeja, SiElShellEmpiezaDeNuevoSoloVuelveElIconoQueDebeEstar) {
    EscritorioFalso escritorio;
    const Handle panel = escritorio.Abrir(L"Tesk");
    Bandeja bandeja(escritorio);
    bandeja.AgregarIconoBandeja(panel, 1);

    escritorio.QuitarIcono(bandeja.Registro());  // the shell went away with it
    bandeja.ShellReiniciado();
    EXPECT_EQ(escritorio.Iconos().count({panel, 1}), 1u);

    bandeja.QuitarIconoBandeja();  // concealed: no icon
    bandeja.ShellReiniciado();
    EXPECT_TRUE(escritorio.Iconos().empty());
}

// A shell that refuses the icon (busy at sign-in): it is not counted as
// there, and each tick asks again until the shell takes it; an icon that
// ought not to be there is never asked for.
TEST(Bandeja, UnIconoRechazadoSePideOtraVezEnCadaTickHastaQueElShellLoToma) {
    EscritorioFalso escritorio;
    const Handle panel = escritorio.Abrir(L"Tesk");
    Bandeja bandeja(escritorio);
    escritorio.iconosNegados = 2;
    bandeja.AgregarIconoBandeja(panel, 1);
    EXPECT_FALSE(bandeja.Presente());
    bandeja.Reintentar();
    EXPECT_FALSE(bandeja.Presente());
    EXPECT_TRUE(escritorio.Iconos().empty());
    bandeja.Reintentar();
    EXPECT_TRUE(bandeja.Presente());
    EXPECT_EQ(escritorio.Iconos().count({panel, 1}), 1u);
    bandeja.Reintentar();  // taken: nothing more is asked
    EXPECT_EQ(escritorio.Iconos().size(), 1u);

    bandeja.QuitarIconoBandeja();
    escritorio.iconosNegados = 1;
    bandeja.Reintentar();
    EXPECT_TRUE(escritorio.Iconos().empty()) << "an icon that ought not to be there was asked for";
    EXPECT_EQ(escritorio.iconosNegados, 1);
}

// A change of DPI brings a picture of another size: the icon shown changes
// to it; an icon not shown (windows concealed) is not added by it, and the
// next add and any shell restart carry the new picture.
TEST(Bandeja, UnaImagenNuevaCambiaElIconoMostradoYSoloEse) {
    EscritorioFalso escritorio;
    const Handle panel = escritorio.Abrir(L"Tesk");
    Bandeja bandeja(escritorio);
    bandeja.AgregarIconoBandeja(panel, 0x10);

    bandeja.CambiarImagen(0x20);
    ASSERT_EQ(escritorio.Iconos().count({panel, 1}), 1u);
    EXPECT_EQ(escritorio.Iconos().at({panel, 1}).hIcon, 0x20u);
    EXPECT_EQ(escritorio.Iconos().at({panel, 1}).szTip, bandeja.Registro().szTip);

    bandeja.QuitarIconoBandeja();
    bandeja.CambiarImagen(0x30);
    EXPECT_TRUE(escritorio.Iconos().empty()) << "a new picture brought the icon back while concealed";

    bandeja.AgregarIconoBandeja(panel, bandeja.Registro().hIcon);
    escritorio.QuitarIcono(bandeja.Registro());  // the shell went away with it
    bandeja.ShellReiniciado();
    EXPECT_EQ(escritorio.Iconos().at({panel, 1}).hIcon, 0x30u);
}

}  // namespace
}  // namespace tesk::prueba
