// The panel's tooltips: resting the mouse on a control brings up its text,
// and moving away takes it down.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "tests/soporte/Entrada.h"
#include "tests/soporte/Escena.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/Maqueta.h"

namespace tesk::e2e {
namespace {

constexpr wchar_t kClaseAyuda[] = L"tooltips_class32";

struct Ayuda {
    const RectTwips* control;
    const wchar_t* texto;
};

// What a tooltip of the program shows now, or nothing when none is on
// screen.
std::vector<std::wstring> AyudasVisibles(DWORD proceso) {
    std::vector<std::wstring> textos;
    for (HWND v = FindWindowExW(nullptr, nullptr, kClaseAyuda, nullptr); v != nullptr;
         v = FindWindowExW(nullptr, v, kClaseAyuda, nullptr)) {
        DWORD suyo = 0;
        GetWindowThreadProcessId(v, &suyo);
        if (suyo != proceso || !IsWindowVisible(v)) continue;
        wchar_t texto[256]{};
        SendMessageW(v, WM_GETTEXT, std::size(texto), reinterpret_cast<LPARAM>(texto));
        textos.emplace_back(texto);
    }
    return textos;
}

using Ayudas = Escena;

TEST_F(Ayudas, CadaControlMuestraSuTextoBajoElRaton) {
    Arrancar({L"--ventana", L"Una ventana"});
    const std::array<Ayuda, 5> ayudas{{
        {&kImMinimizar, L"Ocultar"},
        {&kImCerrar, L"Cerrar"},
        {&kLBTecla1, L"Doble click para cambiar la tecla de activación"},
        {&kLBLista, L"Click para actualizar la lista "},
        {&kImCambiar, L"Cambiar el modo"},
    }};
    for (const Ayuda& ayuda : ayudas) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(ayuda.texto)));
        ApartarRaton();
        ASSERT_TRUE(prueba::EsperarHasta([&] { return AyudasVisibles(Tesk().Id()).empty(); }))
            << "a tooltip stays up with the mouse away";
        const POINT punto = ElPanel().PuntoDe(*ayuda.control);
        prueba::Mover({punto.x - 1, punto.y});
        prueba::Mover(punto);
        EXPECT_TRUE(prueba::EsperarHasta([&] {
            const auto textos = AyudasVisibles(Tesk().Id());
            return textos.size() == 1 && textos[0] == ayuda.texto;
        })) << "shown: " << testing::PrintToString(AyudasVisibles(Tesk().Id()));
    }
    ApartarRaton();
}

}  // namespace
}  // namespace tesk::e2e
