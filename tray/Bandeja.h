// The panel's notification-area icon: its record (identifier, callback
// message, tip) and the add, delete and retries that keep it there. Written
// against the desktop boundary only, so it runs the same on Windows and
// against a stand-in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "desktop/Escritorio.h"

namespace tesk {

inline constexpr std::uint32_t kIdIcono = 1;
inline constexpr std::uint32_t kNifMessage = 0x1;
inline constexpr std::uint32_t kNifIcon = 0x2;
inline constexpr std::uint32_t kNifTip = 0x4;
// The icon's callback: a message of the program's own (WM_APP + 1) that the
// shell posts with the icon's identifier in wParam and the mouse event in
// lParam. Not WM_MOUSEMOVE, which a real move over the panel also is: a drag
// that holds the mouse capture reports points where an icon event would be.
inline constexpr std::uint32_t kMensajeIcono = 0x8000 + 1;
inline constexpr std::size_t kLargoTip = 64;

// The tip field as the icon carries it: "Tesk", one NUL, then spaces to the
// field's 64 characters.
std::wstring TipIcono();

// The panel's notification-area icon: one record shared by the add and the
// delete, whether the icon ought to be in the notification area now (so it
// can be put back after the shell restarts), and whether the shell took it:
// a shell busy at sign-in may refuse it, and it is asked again.
class Bandeja {
public:
    explicit Bandeja(Escritorio& escritorio) : escritorio_(escritorio) {}

    // Fills the record from the window and its icon and adds the icon.
    void AgregarIconoBandeja(Handle ventana, IconoId icono);
    // Deletes the icon of the record as last filled.
    void QuitarIconoBandeja();
    // The shell has restarted: adds the icon again if it ought to be there.
    void ShellReiniciado();
    // On the program's tick: an icon that ought to be there and that the
    // shell did not take is asked for again (silently, once a tick).
    void Reintentar();
    // Another picture for the icon (the screen's DPI changed): the record
    // takes it, and the icon shown now, if any, changes to it.
    void CambiarImagen(IconoId icono);

    // The shell took the icon (and nothing has removed it since).
    bool Presente() const { return presente_; }
    const IconoBandeja& Registro() const { return registro_; }

private:
    // Adds the record; an add refused because the icon is there already (a
    // shell that took it and answered late) counts as taken.
    void Agregar();

    Escritorio& escritorio_;
    IconoBandeja registro_;
    bool deseado_ = false;   // it ought to be in the notification area
    bool presente_ = false;  // the shell took it
};

}  // namespace tesk
