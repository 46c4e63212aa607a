#include "tests/soporte/Entrada.h"

#include <array>

namespace tesk::prueba {

namespace {

INPUT Tecla(WORD codigo, bool abajo) {
    INPUT entrada{};
    entrada.type = INPUT_KEYBOARD;
    entrada.ki.wVk = codigo;
    entrada.ki.wScan = static_cast<WORD>(MapVirtualKeyW(codigo, MAPVK_VK_TO_VSC));
    entrada.ki.dwFlags = abajo ? 0 : KEYEVENTF_KEYUP;
    return entrada;
}

// SendInput's absolute coordinates run from 0 to 65535 across the primary
// screen.
constexpr LONG kEscalaAbsoluta = 65536;

LONG Normalizar(LONG pixel, int pixelesPantalla) {
    // Rounded up, so that scaling back down lands on the same pixel.
    return static_cast<LONG>((static_cast<long long>(pixel) * kEscalaAbsoluta + pixelesPantalla - 1) / pixelesPantalla);
}

// A button event that carries its own position: where the event happens
// does not depend on where the pointer is when it is handled, which pointer
// moves reported late by the display could otherwise change.
INPUT Boton(DWORD evento, POINT pantalla) {
    INPUT entrada{};
    entrada.type = INPUT_MOUSE;
    entrada.mi.dx = Normalizar(pantalla.x, GetSystemMetrics(SM_CXSCREEN));
    entrada.mi.dy = Normalizar(pantalla.y, GetSystemMetrics(SM_CYSCREEN));
    entrada.mi.dwFlags = evento | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return entrada;
}

}  // namespace

void EnviarTecla(WORD codigo, bool abajo) {
    INPUT entrada = Tecla(codigo, abajo);
    SendInput(1, &entrada, sizeof(INPUT));
}

void PulsarYSoltar(WORD codigo) {
    std::array<INPUT, 2> entradas = {Tecla(codigo, true), Tecla(codigo, false)};
    SendInput(static_cast<UINT>(entradas.size()), entradas.data(), sizeof(INPUT));
}

void Clic(POINT pantalla, bool derecho) {
    SetCursorPos(pantalla.x, pantalla.y);
    std::array<INPUT, 2> entradas = {
        Boton(derecho ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, pantalla),
        Boton(derecho ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, pantalla),
    };
    SendInput(static_cast<UINT>(entradas.size()), entradas.data(), sizeof(INPUT));
}

void Mover(POINT pantalla) {
    INPUT entrada = Boton(0, pantalla);
    SendInput(1, &entrada, sizeof(INPUT));
}

void PresionarIzquierdo(POINT pantalla) {
    INPUT entrada = Boton(MOUSEEVENTF_LEFTDOWN, pantalla);
    SendInput(1, &entrada, sizeof(INPUT));
}

void SoltarIzquierdo(POINT pantalla) {
    INPUT entrada = Boton(MOUSEEVENTF_LEFTUP, pantalla);
    SendInput(1, &entrada, sizeof(INPUT));
}

void DobleClic(POINT pantalla) {
    SetCursorPos(pantalla.x, pantalla.y);
    std::array<INPUT, 4> entradas = {
        Boton(MOUSEEVENTF_LEFTDOWN, pantalla),
        Boton(MOUSEEVENTF_LEFTUP, pantalla),
        Boton(MOUSEEVENTF_LEFTDOWN, pantalla),
        Boton(MOUSEEVENTF_LEFTUP, pantalla),
    };
    SendInput(static_cast<UINT>(entradas.size()), entradas.data(), sizeof(INPUT));
}

}  // namespace tesk::prueba
