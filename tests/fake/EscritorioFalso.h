// A stand-in desktop that behaves, for what Tesk relies on, like the window
// manager: a Z order walked front to back, the visible style, titles returned
// as the platform returns them, the placement's show command and how
// ShowWindow changes it, the foreground window, the shell's own windows,
// windows that close at any moment, the key state with its two bits, tray
// icons keyed by window and identifier, layered opacity and the topmost band.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "desktop/Escritorio.h"

namespace tesk::prueba {

struct VentanaFalsa {
    std::wstring titulo;  // as the window holds it: NULs, any length
    bool visible = true;
    std::int32_t showCmd = kSwShowNormal;  // normal, minimised or maximised
    std::uint32_t estiloExtendido = 0;
    std::optional<std::uint8_t> alfa;  // set once the window is layered
};

class EscritorioFalso final : public Escritorio {
public:
    // Windows come in at the front of the Z order, or at the back.
    Handle Abrir(std::wstring titulo, std::int32_t showCmd = kSwShowNormal, bool visible = true);
    Handle AbrirAlFondo(std::wstring titulo, std::int32_t showCmd = kSwShowNormal, bool visible = true);
    void Cerrar(Handle ventana);
    void AlFrenteDelZ(Handle ventana);
    // Sets the whole Z order, front to back (every window, each once).
    void Reordenar(const std::vector<Handle>& frenteAFondo);
    // From now on the window's placement cannot be read.
    void FallarPlacement(Handle ventana) { sinPlacement_.push_back(ventana); }
    // What the user does to a window on screen: placement changes, visibility not.
    void CambiarEstado(Handle ventana, std::int32_t showCmd);
    void CambiarTitulo(Handle ventana, std::wstring titulo);
    // The application itself shows or hides its window.
    void FijarVisible(Handle ventana, bool visible);

    // The shell's taskbar and desktop window, at the front and at the back.
    Handle CrearShell();
    // A further shell surface (a second monitor's taskbar, a wallpaper layer).
    Handle CrearOtraSuperficie(std::wstring titulo);

    bool Existe(Handle ventana) const { return ventanas_.count(ventana) != 0; }
    bool Visible(Handle ventana) const { return Existe(ventana) && ventanas_.at(ventana).visible; }
    Handle Fondo() const { return fondo_; }
    const VentanaFalsa& Datos(Handle ventana) const { return ventanas_.at(ventana); }
    std::vector<Handle> OrdenZ() const { return {orden_.begin(), orden_.end()}; }
    Handle Frente() const { return frente_; }
    std::size_t Cantidad() const { return ventanas_.size(); }

    // Keyboard: a press sets both bits; a release clears the down bit only.
    void Presionar(std::int32_t codigo);
    void Soltar(std::int32_t codigo);

    // Notification-area icons by (window, identifier).
    const std::map<std::pair<Handle, std::uint32_t>, IconoBandeja>& Iconos() const { return iconos_; }
    bool Encima(Handle ventana) const { return (Datos(ventana).estiloExtendido & kWsExTopmost) != 0; }

    // Every ShowWindow call, in order.
    const std::vector<std::pair<Handle, std::int32_t>>& Llamadas() const { return llamadas_; }
    void OlvidarLlamadas() { llamadas_.clear(); }

    // Run inside ShowWindow, before and after the window changes: what the
    // platform lets happen while the call waits for the window's thread.
    // Calls made meanwhile to the same window land after the waiting one.
    std::function<void(Handle, std::int32_t)> antesDeMostrar;
    std::function<void(Handle, std::int32_t)> despuesDeMostrar;
    // Hiding a window brings it to the front of the Z order, as Wine does.
    bool ocultarLlevaAlFrente = false;
    // Run when the walk asks for the window after this one.
    std::function<void(Handle)> alPedirSiguiente;

    // Escritorio
    Handle BarraTareas() override { return barra_; }
    Handle FondoEscritorio() override { return fondo_; }
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
    Handle Nuevo(std::wstring titulo, std::int32_t showCmd, bool visible, bool alFrente);
    void Aplicar(Handle ventana, std::int32_t estado);

    Handle siguiente_ = 0x10010;
    std::unordered_map<Handle, VentanaFalsa> ventanas_;
    std::list<Handle> orden_;  // front to back
    std::unordered_map<Handle, std::list<Handle>::iterator> posicion_;
    Handle barra_ = 0;
    Handle fondo_ = 0;
    std::vector<Handle> otras_;
    Handle frente_ = 0;
    struct EstadoTeclaFalsa {
        bool abajo = false;
        bool pulsada = false;
    };
    std::unordered_map<std::int32_t, EstadoTeclaFalsa> teclas_;
    std::map<std::pair<Handle, std::uint32_t>, IconoBandeja> iconos_;
    std::vector<std::pair<Handle, std::int32_t>> llamadas_;
    std::vector<Handle> sinPlacement_;
    // Windows whose ShowWindow has not landed yet, with the calls queued behind it.
    std::unordered_map<Handle, std::vector<std::int32_t>> enVuelo_;
};

}  // namespace tesk::prueba
