// The record as Tesk keeps it: the section shared with the guardian, the
// entries written before each window is hidden and cleared once it is
// back, and the guardian that reads them if Tesk dies.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/Resguardo.h"
#include "guardian/Lanzador.h"
#include "guardian/Registro.h"
#include "ui/Propietarios.h"

namespace tesk::guardian {

class RegistroCompartido final : public Resguardo {
public:
    // Creates the section and starts the guardian (unless told not to: a
    // benchmark of the writing alone). Without a section (the system is out
    // of memory) nothing can be written down, so nothing is hidden.
    explicit RegistroCompartido(bool conGuardian = true);
    RegistroCompartido(const RegistroCompartido&) = delete;
    RegistroCompartido& operator=(const RegistroCompartido&) = delete;

    // Resguardo
    void Preparar() override;
    void Vigilar() override;
    std::uint32_t Vigilante() const override;
    bool Anotar(Handle ventana, std::int32_t mostrarCon) override;
    void Quitar(Handle ventana) override;
    bool AnotarSesion(std::uint32_t proceso, const std::wstring& id) override;
    void QuitarSesion(const std::wstring& id) override;

private:
    Entrada* Entradas() const;
    EntradaSesion* Sesiones() const;

    HandleUnico seccion_;
    VistaUnica vista_;
    std::optional<Lanzador> lanzador_;
    // Where each window's entry is, and the entries free for reuse.
    std::unordered_map<Handle, std::uint32_t> posicion_;
    std::vector<std::uint32_t> libres_;
    // And each session's.
    std::unordered_map<std::wstring, std::uint32_t> posicionSesion_;
    std::vector<std::uint32_t> sesionesLibres_;
};

}  // namespace tesk::guardian
