// The panel: the program's main window. It hosts the concealment engine,
// shows the candidate list, carries the activation-key timer, the tray icon
// and the commands, and ends the program.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "desktop/AudioWin32.h"
#include "desktop/EscritorioWin32.h"
#include "engine/Anfitrion.h"
#include "engine/Motor.h"
#include "engine/Resguardo.h"
#include "panel/Apariencia.h"
#include "panel/Captions.h"
#include "panel/Comandos.h"
#include "panel/Diseno.h"
#include "panel/Inventario.h"
#include "panel/ListaCaja.h"
#include "panel/Nombres.h"
#include "tray/Bandeja.h"
#include "tray/modGeneral.h"
#include "ui/Propietarios.h"

namespace tesk {

class FormPrincipal final : public Anfitrion {
public:
    // Creates the panel, runs its start-up and shows it; the engine writes
    // down in that record every window it hides.
    explicit FormPrincipal(Resguardo& resguardo);
    ~FormPrincipal() override;
    FormPrincipal(const FormPrincipal&) = delete;
    FormPrincipal& operator=(const FormPrincipal&) = delete;

    // Host operations for the engine.
    Handle VentanaPropia() override;
    void OcultarPanel() override;
    void QuitarIconoBandeja() override;
    void RestaurarIconoBandeja() override;
    void ProcesarEventos() override;
    void EsperarEventos() override;
    std::int64_t Reloj() override;

private:
    template <class T>
    friend LRESULT CALLBACK ProcedimientoDe(HWND, UINT, WPARAM, LPARAM);
    HWND Hwnd() const noexcept { return ventana_.get(); }
    LRESULT Despachar(UINT mensaje, WPARAM w, LPARAM l);

    void CrearVentanas();
    void Form_Load();
    POINT Esquina() const;
    void Colocar();
    void SeguirEnSuEsquina();
    // Sizes every window, font and picture for a DPI.
    void AplicarDpi(UINT dpi);
    // The program's icon at the system's sizes for a DPI: the panel's and
    // the tray's.
    void CargarIconos(UINT dpi);

    // Messages.
    void Form_Paint();
    // A command's part of the panel's picture.
    void Form_DrawItem(const DRAWITEMSTRUCT& item);
    bool Form_SetCursor(HWND bajoCursor);
    // A command run (BN_CLICKED, BN_DOUBLECLICKED) or Esc (IDCANCEL).
    void Form_Command(WPARAM w, LPARAM l);
    void Form_SetFocus();
    // The tray icon's own message (kMensajeIcono): its clicks.
    void Icono_Aviso(WPARAM w, LPARAM l);
    void Form_DpiChanged();
    BOOL Form_QueryEndSession();
    // Brings back what is concealed (waiting for it to land, unless the
    // session is ending), removes the icon and ends the program.
    [[noreturn]] void Terminar(bool esperar = true);

    // Commands.
    void Click(diseno::Control control);
    void DobleClic(diseno::Control control);
    void ImAcerca_Click();
    void ImMinimizar_Click();
    [[noreturn]] void ImCerrar_Click();
    void LBLista_Click();
    void ImCambiar_Click();
    void LBTecla_DblClick(int indice);

    void AlternarPanel();
    // The picture as it stands now, the keyboard focus included.
    void DibujarEn(HDC dc, const RECT& cliente) const;
    void Repintar(diseno::Control control);

    EscritorioWin32 escritorio_;
    // The audio services: COM and their DLLs load on the first hide pass.
    AudioWin32 audio_;
    Bandeja bandeja_{escritorio_};
    ListaCaja lista_;
    const Resguardo& resguardo_;  // the record and who watches it
    Motor motor_;

    std::wstring captionTecla_{kNombreTeclaInicial};
    std::wstring captionLista_{CaptionModo(motor_.Modo())};

    IconoUnico iconoGrande_;
    IconoUnico iconoPequeno_;
    CursorUnico mano_;
    UINT mensajeBarraCreada_ = 0;  // "TaskbarCreated"
    UINT mensajeRecursos_ = 0;     // what the program holds, asked from outside
    UINT mensajeRestaurar_ = 0;    // a second copy asks for the windows back
    Inventario inventario_;

    VentanaUnica ventana_;
    HWND marco_ = nullptr;      // PB, a child of the panel
    HWND cajaLista_ = nullptr;  // Lista, a child of PB
    std::unique_ptr<Comandos> comandos_;
    std::unique_ptr<Apariencia> apariencia_;
    // Where the keyboard focus was when the panel last lost it: it goes
    // back there.
    HWND ultimoFoco_ = nullptr;
};

}  // namespace tesk
