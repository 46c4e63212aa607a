// Where the panel goes: near the bottom-right corner of the primary screen,
// kept inside the part of it the taskbar leaves free. Plain arithmetic on
// pixels, so it is tested on any platform.
#pragma once

namespace tesk::colocacion {

struct Rect {
    int izquierda = 0;
    int arriba = 0;
    int derecha = 0;
    int abajo = 0;
};

struct Punto {
    int x = 0;
    int y = 0;
    constexpr bool operator==(const Punto&) const = default;
};

// The top-left corner of a panel of that size: its usual place, the
// margins away from the screen's bottom-right corner, while that lies
// wholly inside the work area (as with a taskbar no taller than the bottom
// margin); otherwise moved by the least that puts it inside, on each axis,
// with its top-left corner kept inside when the work area is smaller than
// the panel.
constexpr Punto Colocar(const Rect& pantalla, const Rect& trabajo, int ancho, int alto, int margenDerecho,
                        int margenInferior) {
    const auto dentro = [](int posicion, int tamano, int desde, int hasta) {
        if (posicion + tamano > hasta) posicion = hasta - tamano;
        if (posicion < desde) posicion = desde;
        return posicion;
    };
    const int x = pantalla.derecha - ancho - margenDerecho;
    const int y = pantalla.abajo - alto - margenInferior;
    return {dentro(x, ancho, trabajo.izquierda, trabajo.derecha), dentro(y, alto, trabajo.arriba, trabajo.abajo)};
}

}  // namespace tesk::colocacion
