#include "tests/soporte/Finales.h"

#include <gtest/gtest.h>

namespace tesk::e2e {

namespace {
constexpr UINT kEsperaRespuesta = 5000;
}  // namespace

void CerrarDesdeFuera(HWND panel) { PostMessageW(panel, WM_CLOSE, 0, 0); }

void TerminarSesion(HWND panel) {
    DWORD_PTR puedeTerminar = FALSE;
    EXPECT_NE(SendMessageTimeoutW(panel, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                  kEsperaRespuesta, &puedeTerminar),
              0)
        << "the program did not answer the end of the session";
    EXPECT_EQ(puedeTerminar, static_cast<DWORD_PTR>(TRUE)) << "the program held up the end of the session";
    DWORD_PTR ignorado = 0;
    SendMessageTimeoutW(panel, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, kEsperaRespuesta, &ignorado);
}

}  // namespace tesk::e2e
