#include "tests/windows/soporte/Entrada.h"

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

INPUT Boton(DWORD evento) {
    INPUT entrada{};
    entrada.type = INPUT_MOUSE;
    entrada.mi.dwFlags = evento;
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
        Boton(derecho ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
        Boton(derecho ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP),
    };
    SendInput(static_cast<UINT>(entradas.size()), entradas.data(), sizeof(INPUT));
}

void DobleClic(POINT pantalla) {
    SetCursorPos(pantalla.x, pantalla.y);
    std::array<INPUT, 4> entradas = {
        Boton(MOUSEEVENTF_LEFTDOWN),
        Boton(MOUSEEVENTF_LEFTUP),
        Boton(MOUSEEVENTF_LEFTDOWN),
        Boton(MOUSEEVENTF_LEFTUP),
    };
    SendInput(static_cast<UINT>(entradas.size()), entradas.data(), sizeof(INPUT));
}

}  // namespace tesk::prueba
