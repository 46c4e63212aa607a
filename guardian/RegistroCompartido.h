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

#include "desktop/Propietarios.h"
#include "engine/Resguardo.h"
#include "guardian/Lanzador.h"
#include "guardian/Registro.h"

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
    // One table of the record as Tesk keeps it: where each key's entry is,
    // and the entries free for reuse.
    template <class Clave>
    class Casillas {
    public:
        // The key's entry: its own, a free one, or the next never written
        // (counted in usadas, in the header, before it is written); nothing
        // when the table is full. Throws std::bad_alloc.
        std::optional<std::uint32_t> Tomar(const Clave& clave, std::uint32_t& usadas, std::uint32_t capacidad);
        // The key's entry, which the caller frees in the section; nothing
        // when it had none.
        std::optional<std::uint32_t> Soltar(const Clave& clave);

    private:
        std::unordered_map<Clave, std::uint32_t> posicion_;
        std::vector<std::uint32_t> libres_;
    };

    Entrada* Entradas() const;
    EntradaSesion* Sesiones() const;

    HandleUnico seccion_;
    VistaUnica vista_;
    std::optional<Lanzador> lanzador_;
    Casillas<Handle> ventanas_;
    Casillas<std::wstring> sesiones_;
};

}  // namespace tesk::guardian
