// The panel's commands: its images and labels run from the mouse or the
// keyboard, the tray icon's clicks, and the end of the program.
#include <utility>

#include "about/FormAcercade.h"
#include "panel/FormPrincipal.h"

namespace tesk {

void FormPrincipal::Form_Command(WPARAM w, LPARAM l) {
    // Esc, anywhere on the panel, hides it as the minus image does.
    if (l == 0 && LOWORD(w) == IDCANCEL) {
        ImMinimizar_Click();
        return;
    }
    const std::optional<diseno::Control> control = comandos_->ControlDe(w, l);
    if (!control) return;
    if (HIWORD(w) == BN_CLICKED) {
        Click(*control);
    } else if (HIWORD(w) == BN_DOUBLECLICKED) {
        DobleClic(*control);
    }
}

void FormPrincipal::Icono_Aviso(WPARAM w, LPARAM l) {
    // The tray icon's mouse events, with the icon's identifier in wParam and
    // the event in the low word of lParam: a release of either button on the
    // icon toggles the panel; presses and double-clicks do nothing of their own.
    // The counts answer "Tesk.Recursos": they tell a click that never got
    // here from one that did.
    if (w != kIdIcono) return;
    const UINT evento = LOWORD(l);
    if (evento == WM_MOUSEMOVE) inventario_.MovimientoIcono();
    if (evento != WM_LBUTTONUP && evento != WM_RBUTTONUP) return;
    inventario_.AvisoIcono();
    AlternarPanel();
}

// Ending.

BOOL FormPrincipal::Form_QueryEndSession() {
    // The session is ending: concealed windows are asked to come back now,
    // so that their programs can still ask to save, and the system hears
    // back at once (it names a program that takes long as one holding the
    // end up). The end itself comes with WM_ENDSESSION.
    motor_.DevolverSinEsperar();
    return TRUE;
}

void FormPrincipal::Terminar(bool esperar) {
    // What the end of the session has not seen land stays in the record:
    // the guardian shows it once this process is gone.
    if (esperar)
        motor_.RestaurarAntesDeCerrar();
    else
        motor_.DevolverSinEsperar();
    bandeja_.QuitarIconoBandeja();
    // At once: a restore may be running further up this stack.
    ::ExitProcess(0);
}

// Commands.

void FormPrincipal::Click(diseno::Control control) {
    switch (control) {
        case diseno::Control::ImAcerca:
            ImAcerca_Click();
            break;
        case diseno::Control::ImMinimizar:
            ImMinimizar_Click();
            break;
        case diseno::Control::ImCerrar:
            ImCerrar_Click();  // does not return
        case diseno::Control::LBLista:
            LBLista_Click();
            break;
        case diseno::Control::ImCambiar:
            ImCambiar_Click();
            break;
        case diseno::Control::LBTecla0:
        case diseno::Control::LBTecla1:
            break;  // double-clicks only
    }
}

void FormPrincipal::DobleClic(diseno::Control control) {
    if (control == diseno::Control::LBTecla0) {
        LBTecla_DblClick(0);
    } else if (control == diseno::Control::LBTecla1) {
        LBTecla_DblClick(1);
    }
    // The other commands have no double-click.
}

void FormPrincipal::ImAcerca_Click() {
    // Not from inside a pass: the box's own loop would hold the pass up.
    if (motor_.EnPasada()) return;
    comandos_->OcultarAyuda();
    FormAcercade acercade;
    acercade.MostrarModal(ventana_.get());
}

void FormPrincipal::ImMinimizar_Click() { OcultarPanel(); }

void FormPrincipal::ImCerrar_Click() { Terminar(); }

void FormPrincipal::LBLista_Click() { motor_.ActualizarLista(); }

void FormPrincipal::ImCambiar_Click() {
    captionLista_ = CaptionModo(motor_.CambiarModo());
    comandos_->Nombrar(diseno::Control::LBLista, captionLista_);
    Repintar(diseno::Control::LBLista);
}

void FormPrincipal::LBTecla_DblClick(int /*indice*/) {
    // Either label advances the key from the name LBTecla(0) shows.
    if (std::optional<std::wstring> nueva = motor_.AvanzarTecla(captionTecla_)) {
        captionTecla_ = std::move(*nueva);
        comandos_->Nombrar(diseno::Control::LBTecla0, captionTecla_);
        Repintar(diseno::Control::LBTecla0);
    }
}

void FormPrincipal::AlternarPanel() {
    const HWND panel = ventana_.get();
    if (::IsWindowVisible(panel)) {
        OcultarPanel();
        return;
    }
    // Shown from the icon, it takes the keyboard on its list.
    ultimoFoco_ = cajaLista_;
    ::ShowWindow(panel, SW_SHOW);
    SiempreEncima(escritorio_, VentanaPropia(), true);
    ::SetForegroundWindow(panel);
    if (::GetActiveWindow() == panel) ::SetFocus(cajaLista_);
}

void FormPrincipal::Repintar(diseno::Control control) {
    // Its part of the picture, in every window that shows it.
    const RECT rect = diseno::APixeles(diseno::Datos(control).rect, apariencia_->Dpi());
    ::RedrawWindow(ventana_.get(), &rect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace tesk
