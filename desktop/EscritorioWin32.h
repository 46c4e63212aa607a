// The desktop boundary on Windows: user32 and shell32, through their wide
// entry points.
//
// Showing or hiding another program's window waits for that window's thread.
// A window whose thread does not answer is shown or hidden without waiting:
// the call is queued for the window, which takes its state when it recovers,
// and until then the boundary reports the visibility the queued call will
// give it, so a restore never mistakes a window about to hide for one that
// stayed on screen.
#pragma once

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
    std::wstring Titulo(Handle ventana) override;
    std::int32_t EstadoMostrar(Handle ventana) override;
    void Mostrar(Handle ventana, std::int32_t estado) override;
    void TraerAlFrente(Handle ventana) override;
    std::uint16_t EstadoTecla(std::int32_t codigo) override;
    std::uint32_t EstiloExtendido(Handle ventana) override;
    void FijarEstiloExtendido(Handle ventana, std::uint32_t estilo) override;
    void FijarOpacidad(Handle ventana, std::uint8_t alfa) override;
    void FijarSiempreEncima(Handle ventana) override;
    bool AgregarIcono(const IconoBandeja& icono) override;
    bool ModificarIcono(const IconoBandeja& icono) override;
    bool QuitarIcono(const IconoBandeja& icono) override;

private:
    // Show commands queued for windows that were not answering, by window.
    std::unordered_map<Handle, std::int32_t> pendientes_;
};

}  // namespace tesk
