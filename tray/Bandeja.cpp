#include "tray/Bandeja.h"

namespace tesk {

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
