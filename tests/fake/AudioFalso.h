// A stand-in for the system's audio services: sessions of processes with
// their mute switch and level, the processes with their parents and
// executables, and every way the services fail (missing, a call that
// fails or is not implemented, a device removed midway).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "desktop/Audio.h"

namespace tesk::prueba {

struct SesionFalsa {
    std::uint32_t proceso = 0;
    bool silenciada = false;
    float nivel = 1.0f;  // never touched by the program
    // Sesiones() calls made before it opened: it can have been seen only
    // by the ones after.
    int abiertaEn = 0;
};

class AudioFalso final : public Audio {
public:
    // A process and its executable; started by padre.
    void Arrancar(std::uint32_t id, std::wstring ejecutable, std::uint32_t padre = 0) {
        procesos[id] = {id, padre, std::move(ejecutable)};
    }
    // The process ends, and its sessions with it.
    void Terminar(std::uint32_t id) {
        procesos.erase(id);
        for (auto it = sesiones.begin(); it != sesiones.end();)
            it = it->second.proceso == id ? sesiones.erase(it) : std::next(it);
    }
    // The process opens a session (a page starts playing).
    std::wstring Sonar(std::uint32_t proceso, bool silenciada = false) {
        std::wstring id = L"{sesion}|" + std::to_wstring(proceso) + L"|" + std::to_wstring(++siguiente_);
        sesiones[id] = {proceso, silenciada, 0.25f + 0.01f * static_cast<float>(siguiente_ % 50), consultas};
        return id;
    }
    bool Silenciada(const std::wstring& id) const { return sesiones.at(id).silenciada; }

    // Sesiones
    std::vector<SesionSonido> Sesiones() override {
        ++consultas;
        if (fallarSesiones) return {};  // no service, no device, E_NOTIMPL: nothing found
        if (lanzar) throw std::bad_alloc();
        std::vector<SesionSonido> todas;
        for (const auto& [id, s] : sesiones) todas.push_back({s.proceso, id, s.silenciada});
        if (alListar) alListar();  // a device removed midway: what was listed is gone
        listadas_.clear();
        for (const auto& s : todas) listadas_.push_back(s.id);
        return todas;
    }
    bool Silenciar(std::uint32_t proceso, const std::wstring& id, bool silencio, bool buscar) override {
        ++cambios;
        if (alSilenciar) alSilenciar(id, silencio);
        if (!buscar) {
            ++sinBuscar;
            bool listada = false;
            for (const auto& l : listadas_) listada = listada || l == id;
            if (!listada) return false;
        }
        if (fallarSilenciar) return false;
        auto it = sesiones.find(id);
        if (it == sesiones.end() || it->second.proceso != proceso) return false;
        it->second.silenciada = silencio;
        return true;
    }
    std::vector<Proceso> Procesos() override {
        ++lecturasProcesos;
        if (fallarProcesos) return {};
        std::vector<Proceso> todos;
        for (const auto& [id, p] : procesos) todos.push_back(p);
        return todos;
    }
    std::uint32_t ProcesoPropio() override { return propio; }

    std::map<std::wstring, SesionFalsa> sesiones;
    std::map<std::uint32_t, Proceso> procesos;
    std::uint32_t propio = 0;
    bool fallarSesiones = false;
    bool fallarSilenciar = false;
    bool fallarProcesos = false;
    bool lanzar = false;
    std::function<void()> alListar;
    // Run as each switch is asked for, before anything of it happens.
    std::function<void(const std::wstring&, bool)> alSilenciar;
    int consultas = 0;
    int cambios = 0;
    int sinBuscar = 0;
    int lecturasProcesos = 0;

private:
    int siguiente_ = 0;
    std::vector<std::wstring> listadas_;
};

}  // namespace tesk::prueba
