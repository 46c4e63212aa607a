#include "tray/modGeneral.h"

#include <cmath>

namespace tesk {

std::uint8_t ByteOpacidad(std::uint8_t porcentaje) {
    const double exacto = static_cast<double>(porcentaje) * 255.0 / 100.0;
    // nearbyint rounds half to even in the default rounding mode.
    return static_cast<std::uint8_t>(std::nearbyint(exacto));
}

void EstablecerTransparencia(Escritorio& escritorio, Handle ventana, std::uint8_t porcentaje) {
    escritorio.FijarEstiloExtendido(ventana, escritorio.EstiloExtendido(ventana) | kWsExLayered);
    escritorio.FijarOpacidad(ventana, ByteOpacidad(porcentaje));
}

void SiempreEncima(Escritorio& escritorio, Handle ventana, bool encima) {
    // Only ever asked to raise; nothing takes a window out of the band.
    if (encima) escritorio.FijarSiempreEncima(ventana);
}

std::wstring TipIcono() {
    std::wstring tip = L"Tesk";
    tip.push_back(L'\0');
    tip.resize(kLargoTip, L' ');
    return tip;
}

void Bandeja::AgregarIconoBandeja(Handle ventana, IconoId icono) {
    registro_.hWnd = ventana;
    registro_.uID = kIdIcono;
    registro_.uFlags = kNifMessage | kNifIcon | kNifTip;
    registro_.uCallbackMessage = kMensajeIcono;
    registro_.hIcon = icono;
    registro_.szTip = TipIcono();
    deseado_ = true;
    Agregar();
}

void Bandeja::Agregar() {
    presente_ = escritorio_.AgregarIcono(registro_) || escritorio_.ModificarIcono(registro_);
}

void Bandeja::QuitarIconoBandeja() {
    escritorio_.QuitarIcono(registro_);
    deseado_ = false;
    presente_ = false;
}

void Bandeja::Reintentar() {
    if (deseado_ && !presente_) Agregar();
}

void Bandeja::CambiarImagen(IconoId icono) {
    registro_.hIcon = icono;
    if (presente_) escritorio_.ModificarIcono(registro_);
}

void Bandeja::ShellReiniciado() {
    if (deseado_) Agregar();
}

}  // namespace tesk
