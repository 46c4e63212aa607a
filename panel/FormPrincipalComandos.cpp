// The panel's commands: clicks and double-clicks on its images and labels,
// the tray icon's clicks, and the end of the program.
#include <windowsx.h>

#include <utility>

#include "about/FormAcercade.h"
#include "panel/FormPrincipal.h"

namespace tesk {

// A click is a press and a release on the same control.
void FormPrincipal::Form_MouseDown(POINT punto) {
    presionado_ = diseno::ControlEn(punto, apariencia_->Dpi());
    if (presionado_) ::SetCapture(ventana_.get());
}

void FormPrincipal::Form_MouseUp(POINT punto) {
    const std::optional<diseno::Control> presionado = std::exchange(presionado_, std::nullopt);
    if (!presionado) return;
    ::ReleaseCapture();
    if (diseno::ControlEn(punto, apariencia_->Dpi()) == presionado) Click(*presionado);
}

void FormPrincipal::Form_DblClick(POINT punto) {
    const std::optional<diseno::Control> control = diseno::ControlEn(punto, apariencia_->Dpi());
    if (control == diseno::Control::LBTecla0) {
        LBTecla_DblClick(0);
    } else if (control == diseno::Control::LBTecla1) {
        LBTecla_DblClick(1);
    } else {
        // The other controls have no double-click: the second press of a
        // double-click is one more click.
        Form_MouseDown(punto);
    }
}

void FormPrincipal::Form_MouseMove(WPARAM w, LPARAM l) {
    // The tray icon's mouse events, with the icon's identifier in wParam and
    // the event in the low word of lParam: a release of either button on the
    // icon toggles the panel; presses and double-clicks do nothing of their own.
    // The counts answer "Tesk.Recursos": they tell a click that never got
    // here from one that did.
    if (w != kIdIcono) return;
    const UINT evento = LOWORD(l);
    if (evento == WM_MOUSEMOVE) ++movimientosIcono_;
    if (evento != WM_LBUTTONUP && evento != WM_RBUTTONUP) return;
    ++avisosIcono_;
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

void FormPrincipal::ImAcerca_Click() {
    // Not from inside a pass: the box's own loop would hold the pass up.
    if (motor_.EnPasada()) return;
    ayudas_->Ocultar();
    FormAcercade acercade;
    acercade.MostrarModal(ventana_.get());
}

void FormPrincipal::ImMinimizar_Click() { OcultarPanel(); }

void FormPrincipal::ImCerrar_Click() { Terminar(); }

void FormPrincipal::LBLista_Click() { motor_.ActualizarLista(); }

void FormPrincipal::ImCambiar_Click() {
    captionLista_ = CaptionModo(motor_.CambiarModo());
    Repintar(diseno::Control::LBLista);
}

void FormPrincipal::LBTecla_DblClick(int /*indice*/) {
    // Either label advances the key from the name LBTecla(0) shows.
    if (std::optional<std::wstring> nueva = motor_.AvanzarTecla(captionTecla_)) {
        captionTecla_ = std::move(*nueva);
        Repintar(diseno::Control::LBTecla0);
    }
}

void FormPrincipal::AlternarPanel() {
    const HWND panel = ventana_.get();
    if (::IsWindowVisible(panel)) {
        OcultarPanel();
        return;
    }
    ::ShowWindow(panel, SW_SHOW);
    SiempreEncima(escritorio_, VentanaPropia(), true);
    ::SetForegroundWindow(panel);
}

void FormPrincipal::Repintar(diseno::Control control) {
    const RECT rect = diseno::APixeles(diseno::Datos(control).rect, apariencia_->Dpi());
    ::InvalidateRect(ventana_.get(), &rect, FALSE);
}

}  // namespace tesk
