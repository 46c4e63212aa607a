// The About box: opened by the banner, modal and centred, closed by a click;
// and the version record it reads its text from.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/soporte/Acercade.h"
#include "tests/soporte/Escena.h"
#include "tests/soporte/Rutas.h"

namespace tesk::e2e {
namespace {

constexpr int kToleranciaPixel = 1;

using Acercade = Escena;

TEST_F(Acercade, ElBannerAbreLaCajaCentradaQueBloqueaElPanelHastaUnClic) {
    Arrancar({L"--ventana", L"Una ventana"});
    const UINT dpi = ElPanel().Dpi();

    const HWND caja = AbrirAcercade(ElPanel(), Tesk());
    ASSERT_NE(caja, nullptr) << "no \"Form1\" window";

    RECT cliente{};
    GetClientRect(caja, &cliente);
    EXPECT_NEAR(cliente.right, Pixeles(kAnchoAcercade, dpi), kToleranciaPixel);
    EXPECT_NEAR(cliente.bottom, Pixeles(kAltoAcercade, dpi), kToleranciaPixel);
    RECT rect{};
    GetWindowRect(caja, &rect);
    EXPECT_EQ(rect.right - rect.left, cliente.right) << "the box has a frame";
    EXPECT_EQ(rect.bottom - rect.top, cliente.bottom) << "the box has a caption bar";
    EXPECT_NEAR(rect.left + rect.right, GetSystemMetrics(SM_CXSCREEN), 2 * kToleranciaPixel) << "not centred";
    EXPECT_NEAR(rect.top + rect.bottom, GetSystemMetrics(SM_CYSCREEN), 2 * kToleranciaPixel) << "not centred";

    {
        SCOPED_TRACE("the panel takes no clicks while the box is open");
        const std::optional<long> pulsaciones = ElPanel().Preguntar(TipoRecurso::pulsaciones);
        ElPanel().ClicQueNoLlega(kImMinimizar);
        DejarPasarTicks();
        EXPECT_EQ(ElPanel().Preguntar(TipoRecurso::pulsaciones), pulsaciones) << "the press reached the panel";
        EXPECT_TRUE(ElPanel().Visible());
        EXPECT_TRUE(IsWindowVisible(caja));
    }

    POINT centro{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ASSERT_EQ(WindowFromPoint(centro), caja);
    EXPECT_TRUE(CerrarAcercade(caja)) << "a click did not close the box";

    // The panel answers again.
    ElPanel().ClicEn(kImMinimizar);
    EXPECT_TRUE(EsperarPanel(false));
}

// The numbers the box shows ("v 1.0.1": major, minor, revision) come from
// the program's version record.
TEST(VersionTesk, ElRegistroDeVersionDelProgramaEs1001) {
    const std::wstring programa = RutaDe(kVariableTesk);
    DWORD ignorado = 0;
    const DWORD tamano = GetFileVersionInfoSizeW(programa.c_str(), &ignorado);
    ASSERT_GT(tamano, 0u) << "tesk.exe has no version record";
    std::vector<std::byte> datos(tamano);
    ASSERT_TRUE(GetFileVersionInfoW(programa.c_str(), 0, tamano, datos.data()));

    void* bloque = nullptr;
    UINT largo = 0;
    ASSERT_TRUE(VerQueryValueW(datos.data(), L"\\", &bloque, &largo));
    ASSERT_GE(largo, sizeof(VS_FIXEDFILEINFO));
    const auto* fijo = static_cast<const VS_FIXEDFILEINFO*>(bloque);
    EXPECT_EQ(fijo->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fijo->dwFileVersionLS, MAKELONG(1, 0));
    EXPECT_EQ(fijo->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fijo->dwProductVersionLS, MAKELONG(1, 0));

    struct Traduccion {
        WORD idioma;
        WORD paginaCodigos;
    };
    Traduccion* traducciones = nullptr;
    ASSERT_TRUE(VerQueryValueW(datos.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&traducciones),
                               &largo));
    ASSERT_GE(largo, sizeof(Traduccion));
    wchar_t ruta[64] = {};
    swprintf(ruta, 64, L"\\StringFileInfo\\%04x%04x\\InternalName", traducciones->idioma,
             traducciones->paginaCodigos);
    wchar_t* nombre = nullptr;
    ASSERT_TRUE(VerQueryValueW(datos.data(), ruta, reinterpret_cast<void**>(&nombre), &largo));
    EXPECT_EQ(std::wstring(nombre), L"Tesk");
}

}  // namespace
}  // namespace tesk::e2e
