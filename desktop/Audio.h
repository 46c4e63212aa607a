// The boundary to the system's audio services, beside the desktop's: the
// sessions that play on the render endpoints, their mute switch, and the
// processes that own them. Nothing here includes a Windows header: the
// engine silences and gives back against it, and is tested against a
// stand-in.
//
// Nothing here fails loudly: services that are missing, a device that goes
// away, a call that fails or is not implemented, all read as no sessions,
// or as a session that could not be switched.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tesk {

// One audio session of one render endpoint.
struct SesionSonido {
    // The process that plays in it; 0 for the system's sounds.
    std::uint32_t proceso = 0;
    // Its instance identifier: one session, among every endpoint's.
    std::wstring id;
    // Its mute switch as it reads now.
    bool silenciada = false;
};

// A running process.
struct Proceso {
    std::uint32_t id = 0;
    // The process that started it (it may be gone, and its id reused).
    std::uint32_t padre = 0;
    // The full path of its executable file; empty when it cannot be read.
    std::wstring ejecutable;
};

class Audio {
public:
    virtual ~Audio() = default;

    // Every session of every active render endpoint, looked up afresh.
    virtual std::vector<SesionSonido> Sesiones() = 0;

    // Sets the session's mute switch, and only that (never its level).
    // buscar: a session not met by the latest Sesiones() is looked up
    // again; without it, only what that listing holds is switched, and
    // nothing is waited for. False when the session is gone, or the call
    // failed.
    virtual bool Silenciar(std::uint32_t proceso, const std::wstring& id, bool silencio, bool buscar = true) = 0;

    // Every running process, with its parent and its executable.
    virtual std::vector<Proceso> Procesos() = 0;

    // This program's own process.
    virtual std::uint32_t ProcesoPropio() = 0;
};

// Where there is no sound to handle: no sessions, no processes.
class SinAudio final : public Audio {
public:
    std::vector<SesionSonido> Sesiones() override { return {}; }
    bool Silenciar(std::uint32_t, const std::wstring&, bool, bool) override { return false; }
    std::vector<Proceso> Procesos() override { return {}; }
    std::uint32_t ProcesoPropio() override { return 0; }
};

}  // namespace tesk
