// The desktop boundary on Windows: user32 and shell32, through their wide
// entry points.
//
// Nothing here waits on another program. Showing, hiding or raising another
// thread's window is posted to that thread, which takes it when it gets to
// it; the boundary keeps what it asked of each window until the window shows
// it has landed (or is gone), and until then reports the visibility asked
// for. The program's own windows are shown, hidden and raised at once.
#pragma once

#include <optional>
#include <unordered_map>

#include "desktop/Escritorio.h"

namespace tesk {

class EscritorioWin32 final : public Escritorio {
public:
    Handle BarraTareas() override;
    Handle FondoEscritorio() override;
    std::vector<Handle> OtrasSuperficiesShell() override;
    Handle PrimeraVentana(Handle desde) override;
    Handle SiguienteVentana(Handle ventana) override;
    bool EsVisible(Handle ventana) override;
    bool Encubierta(Handle ventana) override;
    std::uint32_t ProcesoDe(Handle ventana) override;
    std::wstring Titulo(Handle ventana) override;
    std::int32_t EstadoMostrar(Handle ventana) override;
    bool Mostrar(Handle ventana, std::int32_t estado) override;
    void Subir(Handle ventana) override;
    bool EnVuelo(Handle ventana) override;
    void Asentar() override;
    bool TraerAlFrente(Handle ventana) override;
    Handle VentanaAlFrente() override;
    std::uint32_t UltimaEntrada() override;
    std::uint16_t EstadoTecla(std::int32_t codigo) override;
    bool RegistrarTecla(Handle ventana, std::int32_t codigo) override;
    void LiberarTecla(Handle ventana) override;
    std::uint32_t EstiloExtendido(Handle ventana) override;
    void FijarEstiloExtendido(Handle ventana, std::uint32_t estilo) override;
    void FijarOpacidad(Handle ventana, std::uint8_t alfa) override;
    void FijarSiempreEncima(Handle ventana) override;
    bool AgregarIcono(const IconoBandeja& icono) override;
    bool ModificarIcono(const IconoBandeja& icono) override;
    bool QuitarIcono(const IconoBandeja& icono) override;

private:
    // What was asked of a window and has not landed yet.
    struct Pedido {
        std::optional<std::int32_t> estado;  // the last show command asked for
        bool subir = false;                  // a raise asked for
    };
    // Checks the window against what it was asked: true (and the entry gone)
    // once all of it has landed or the window no longer exists.
    bool Aterrizado(std::unordered_map<Handle, Pedido>::iterator pendiente);
    // A raise has landed: the window lies above every window that it could
    // get above.
    bool EnLoAlto(Handle ventana);

    std::unordered_map<Handle, Pedido> pendientes_;
};

}  // namespace tesk
