// The About box: the program's picture and version in a small borderless
// window, shown modally over the panel and closed by a click, or by Enter, Space
// or Esc.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Propietarios.h"

namespace tesk {

class FormAcercade {
public:
    FormAcercade() = default;
    FormAcercade(const FormAcercade&) = delete;
    FormAcercade& operator=(const FormAcercade&) = delete;

    // Shows the box centred on the screen and returns once it is closed. The
    // owner takes no input meanwhile; its timers keep running.
    void MostrarModal(HWND propietario);

private:
    template <class T>
    friend LRESULT CALLBACK ProcedimientoDe(HWND, UINT, WPARAM, LPARAM);
    HWND Hwnd() const noexcept { return ventana_.get(); }
    LRESULT Despachar(UINT mensaje, WPARAM w, LPARAM l);

    void Form_Load();
    void Form_Paint();
    void Form_Click();
    void Cerrar();

    HWND propietario_ = nullptr;
    VentanaUnica ventana_;
    UINT dpi_ = 0;
    BitmapUnico imagen_;
    FuenteUnica fuenteVersion_;
    std::wstring textoVersion_;  // LBVer
    bool presionado_ = false;
};

}  // namespace tesk
