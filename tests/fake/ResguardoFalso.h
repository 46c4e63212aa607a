// A stand-in for the record shared with the watching process: the entries
// as the engine leaves them, a capacity, and what a watcher that finds the
// program gone would do with them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "desktop/Audio.h"

#include "engine/Resguardo.h"
#include "tests/fake/EscritorioFalso.h"

namespace tesk::prueba {

class ResguardoFalso final : public Resguardo {
public:
    void Preparar() override { ++preparaciones; }
    void Vigilar() override { ++vigilancias; }
    bool Anotar(Handle ventana, std::int32_t mostrarCon) override {
        if (!entradas.count(ventana) && entradas.size() >= capacidad) return false;
        entradas[ventana] = mostrarCon;
        return true;
    }
    void Quitar(Handle ventana) override { entradas.erase(ventana); }
    bool AnotarSesion(std::uint32_t proceso, const std::wstring& id) override {
        if (!sesiones.count(id) && sesiones.size() >= capacidadSesiones) return false;
        sesiones[id] = proceso;
        return true;
    }
    void QuitarSesion(const std::wstring& id) override { sesiones.erase(id); }

    bool Contiene(Handle ventana) const { return entradas.count(ventana) != 0; }

    // The program is gone: every recorded window is asked to show, in its
    // command when it is hidden, as it is (SW_SHOWNA) when it is still on
    // screen (a hide of its may still be on its way).
    void Recuperar(EscritorioFalso& escritorio) const {
        for (const auto& [h, mostrarCon] : entradas) {
            if (!escritorio.Existe(h)) continue;
            escritorio.Mostrar(h, escritorio.Visible(h) ? kSwShowNa : mostrarCon);
        }
    }

    // And every session written down is given its sound back.
    void Recuperar(EscritorioFalso& escritorio, Audio& audio) const {
        Recuperar(escritorio);
        for (const auto& [id, proceso] : sesiones) audio.Silenciar(proceso, id, false);
    }

    std::map<Handle, std::int32_t> entradas;
    std::map<std::wstring, std::uint32_t> sesiones;
    std::size_t capacidadSesiones = static_cast<std::size_t>(-1);
    std::size_t capacidad = static_cast<std::size_t>(-1);
    int preparaciones = 0;
    int vigilancias = 0;
};

}  // namespace tesk::prueba
