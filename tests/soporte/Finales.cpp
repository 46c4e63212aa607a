#include "tests/soporte/Finales.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

namespace tesk::e2e {

namespace {
constexpr UINT kEsperaRespuesta = 5000;
}  // namespace

void CerrarDesdeFuera(HWND panel) { PostMessageW(panel, WM_CLOSE, 0, 0); }

void TerminarSesion(HWND panel) {
    DWORD_PTR puedeTerminar = FALSE;
    const auto inicio = std::chrono::steady_clock::now();
    EXPECT_NE(SendMessageTimeoutW(panel, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                  kEsperaRespuesta, &puedeTerminar),
              0)
        << "the program did not answer the end of the session";
    // A figure, not a check: the system itself names a program that takes
    // seconds as one holding the end up.
    std::cout << "[ figures  ] WM_QUERYENDSESSION answered in "
              << std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - inicio).count() /
                     1000.0
              << " ms" << std::endl;
    EXPECT_EQ(puedeTerminar, static_cast<DWORD_PTR>(TRUE)) << "the program held up the end of the session";
    DWORD_PTR ignorado = 0;
    SendMessageTimeoutW(panel, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, kEsperaRespuesta, &ignorado);
}

}  // namespace tesk::e2e
