// The notification-area icon: added and deleted through the boundary, seen
// where Wine shows it, with its tip, and reporting clicks to its window.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "desktop/Conversiones.h"
#include "desktop/EscritorioWin32.h"
#include "tests/soporte/BandejaWine.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/VentanaLocal.h"

namespace tesk {
namespace {

constexpr std::uint32_t kBanderas = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr std::uint32_t kAvisoIcono = WM_APP + 1;
constexpr std::size_t kLargoTip = 64;

// The tip field as the program fills it: the text, one NUL, then spaces.
std::wstring CampoTip(const std::wstring& texto) {
    std::wstring campo = texto;
    campo.push_back(L'\0');
    campo.resize(kLargoTip, L' ');
    return campo;
}

IconoBandeja Icono(HWND ventana, std::uint32_t id, const std::wstring& tip) {
    IconoBandeja icono;
    icono.hWnd = HandleDe(ventana);
    icono.uID = id;
    icono.uFlags = kBanderas;
    icono.uCallbackMessage = kAvisoIcono;
    icono.hIcon = IconoDe(LoadIconW(nullptr, IDI_APPLICATION));
    icono.szTip = CampoTip(tip);
    return icono;
}

// Deletes the icon at the end of the test, whatever the test did with it.
class IconoTemporal {
public:
    IconoTemporal(Escritorio& escritorio, IconoBandeja icono) : escritorio_(escritorio), icono_(std::move(icono)) {}
    ~IconoTemporal() { escritorio_.QuitarIcono(icono_); }
    IconoTemporal(const IconoTemporal&) = delete;
    IconoTemporal& operator=(const IconoTemporal&) = delete;
    const IconoBandeja& operator*() const { return icono_; }

private:
    Escritorio& escritorio_;
    IconoBandeja icono_;
};

// The icon window that is in the tray now and was not before, once there
// is exactly one such.
std::optional<HWND> IconoNuevo(const std::vector<HWND>& antes) {
    std::optional<HWND> nuevo;
    prueba::EsperarHasta([&] {
        std::vector<HWND> ahora = prueba::IconosBandeja();
        std::erase_if(ahora, [&](HWND v) { return std::find(antes.begin(), antes.end(), v) != antes.end(); });
        if (ahora.size() == 1) nuevo = ahora.front();
        return nuevo.has_value();
    });
    return nuevo;
}

bool Recibio(const prueba::VentanaLocal& ventana, std::uint32_t id, UINT evento) {
    const auto& recibidos = ventana.Recibidos();
    return std::any_of(recibidos.begin(), recibidos.end(), [&](const prueba::MensajeRecibido& m) {
        return m.mensaje == kAvisoIcono && m.wParam == id && static_cast<UINT>(m.lParam) == evento;
    });
}

TEST(Bandeja, ElIconoApareceConSuTipYDesaparece) {
    EscritorioWin32 escritorio;
    prueba::VentanaLocal duena(L"Tesk bandeja");
    const std::vector<HWND> antes = prueba::IconosBandeja();
    IconoTemporal icono(escritorio, Icono(duena.Hwnd(), 1, L"Tesk"));

    ASSERT_TRUE(escritorio.AgregarIcono(*icono));
    const std::optional<HWND> visto = IconoNuevo(antes);
    ASSERT_TRUE(visto.has_value());
    EXPECT_TRUE(IsWindowVisible(prueba::BandejaWine()));
    EXPECT_EQ(prueba::TipIcono(*visto), L"Tesk");

    EXPECT_TRUE(escritorio.QuitarIcono(*icono));
    EXPECT_TRUE(prueba::EsperarHasta([&] { return !IsWindow(*visto); }));
    EXPECT_EQ(prueba::IconosBandeja(), antes);
}

TEST(Bandeja, AgregarDosVecesOQuitarLoQueNoEstaFallan) {
    EscritorioWin32 escritorio;
    prueba::VentanaLocal duena(L"Tesk bandeja repetida");
    const std::vector<HWND> antes = prueba::IconosBandeja();
    IconoTemporal icono(escritorio, Icono(duena.Hwnd(), 1, L"Tesk"));

    ASSERT_TRUE(escritorio.AgregarIcono(*icono));
    ASSERT_TRUE(IconoNuevo(antes).has_value());
    EXPECT_FALSE(escritorio.AgregarIcono(*icono));
    EXPECT_EQ(prueba::IconosBandeja().size(), antes.size() + 1);

    EXPECT_TRUE(escritorio.QuitarIcono(*icono));
    EXPECT_FALSE(escritorio.QuitarIcono(*icono));
}

TEST(Bandeja, QuitarBorraSoloElIconoDeEsaVentanaEIdentificador) {
    EscritorioWin32 escritorio;
    prueba::VentanaLocal duena(L"Tesk bandeja dueña");
    prueba::VentanaLocal otra(L"Tesk bandeja otra");
    const std::vector<HWND> antes = prueba::IconosBandeja();
    IconoTemporal uno(escritorio, Icono(duena.Hwnd(), 1, L"Uno"));
    IconoTemporal dos(escritorio, Icono(duena.Hwnd(), 2, L"Dos"));
    IconoTemporal ajeno(escritorio, Icono(otra.Hwnd(), 1, L"Ajeno"));

    std::vector<HWND> vistos = antes;
    for (const IconoTemporal* icono : {&uno, &dos, &ajeno}) {
        ASSERT_TRUE(escritorio.AgregarIcono(**icono));
        const std::optional<HWND> visto = IconoNuevo(vistos);
        ASSERT_TRUE(visto.has_value());
        vistos.push_back(*visto);
    }
    const HWND iconoUno = vistos[antes.size()];
    const HWND iconoDos = vistos[antes.size() + 1];
    const HWND iconoAjeno = vistos[antes.size() + 2];
    EXPECT_EQ(prueba::TipIcono(iconoDos), L"Dos");

    EXPECT_TRUE(escritorio.QuitarIcono(*dos));
    EXPECT_TRUE(prueba::EsperarHasta([&] { return !IsWindow(iconoDos); }));
    EXPECT_TRUE(IsWindow(iconoUno));
    EXPECT_TRUE(IsWindow(iconoAjeno));
    EXPECT_EQ(prueba::TipIcono(iconoUno), L"Uno");
    EXPECT_EQ(prueba::TipIcono(iconoAjeno), L"Ajeno");
}

TEST(Bandeja, UnTipSinNuloSeCortaEn64Caracteres) {
    EscritorioWin32 escritorio;
    prueba::VentanaLocal duena(L"Tesk bandeja tip largo");
    const std::vector<HWND> antes = prueba::IconosBandeja();
    IconoBandeja registro = Icono(duena.Hwnd(), 1, L"");
    registro.szTip.clear();
    for (int i = 0; registro.szTip.size() < 100; ++i) registro.szTip += std::to_wstring(i % 10);
    IconoTemporal icono(escritorio, registro);

    ASSERT_TRUE(escritorio.AgregarIcono(*icono));
    const std::optional<HWND> visto = IconoNuevo(antes);
    ASSERT_TRUE(visto.has_value());
    EXPECT_EQ(prueba::TipIcono(*visto), registro.szTip.substr(0, kLargoTip));
}

TEST(Bandeja, UnClicEnElIconoLlegaASuVentanaConSuIdentificador) {
    EscritorioWin32 escritorio;
    prueba::VentanaLocal duena(L"Tesk bandeja clic");
    const std::vector<HWND> antes = prueba::IconosBandeja();
    constexpr std::uint32_t kId = 7;
    IconoTemporal icono(escritorio, Icono(duena.Hwnd(), kId, L"Tesk"));

    ASSERT_TRUE(escritorio.AgregarIcono(*icono));
    const std::optional<HWND> visto = IconoNuevo(antes);
    ASSERT_TRUE(visto.has_value());
    const POINT centro = prueba::CentroIcono(*visto);
    ASSERT_EQ(WindowFromPoint(centro), *visto) << "the tray is covered at " << centro.x << "," << centro.y;

    prueba::Clic(centro);
    EXPECT_TRUE(prueba::EsperarHasta([&] { return Recibio(duena, kId, WM_LBUTTONUP); }));
    EXPECT_TRUE(Recibio(duena, kId, WM_LBUTTONDOWN));

    prueba::Clic(centro, true);
    EXPECT_TRUE(prueba::EsperarHasta([&] { return Recibio(duena, kId, WM_RBUTTONUP); }));
}

}  // namespace
}  // namespace tesk
