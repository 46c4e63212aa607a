// The 32-bit handles of the boundary and the platform's handles.
#include <gtest/gtest.h>

#include <cstdint>

#include "desktop/Conversiones.h"
#include "tests/soporte/VentanaLocal.h"

namespace tesk {
namespace {

TEST(Handles, UnHandleNegativoSeExtiendeConSigno) {
    EXPECT_EQ(HwndDe(-2), reinterpret_cast<HWND>(static_cast<std::intptr_t>(-2)));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(HwndDe(INT32_MIN)), UINT64_C(0xFFFFFFFF80000000));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(HwndDe(INT32_MAX)), UINT64_C(0x7FFFFFFF));
    EXPECT_EQ(HwndDe(0), nullptr);
}

TEST(Handles, IdaYVueltaDejanElMismoHandle) {
    for (const Handle h : {Handle{0}, Handle{-1}, Handle{0x10020}, INT32_MIN, INT32_MAX})
        EXPECT_EQ(HandleDe(HwndDe(h)), h);

    prueba::VentanaLocal propia(L"Tesk handles");
    EXPECT_EQ(HwndDe(HandleDe(propia.Hwnd())), propia.Hwnd());
    EXPECT_TRUE(IsWindow(HwndDe(HandleDe(propia.Hwnd()))));

    const HICON icono = LoadIconW(nullptr, IDI_APPLICATION);
    EXPECT_EQ(HiconDe(IconoDe(icono)), icono);
}

}  // namespace
}  // namespace tesk
