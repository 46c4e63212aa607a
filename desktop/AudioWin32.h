// The audio boundary on Windows: Core Audio's render endpoints and their
// sessions (IMMDeviceEnumerator, IAudioSessionManager2, IAudioSessionControl2,
// ISimpleAudioVolume), and the processes through Toolhelp.
//
// COM is entered on the first need, apartment-threaded, on the thread that
// owns this object (the program's one thread), and left when it goes. The
// DLLs behind it (ole32, and the audio services') load only then: a
// program that never looks for sessions loads none of them. Every failure
// reads as no session, or a session not switched; nothing throws.
#pragma once

#include <audiopolicy.h>
#include <mmdeviceapi.h>

#include <unordered_map>

#include "desktop/Audio.h"
#include "desktop/Com.h"

namespace tesk {

class AudioWin32 final : public Audio {
public:
    AudioWin32() = default;
    AudioWin32(const AudioWin32&) = delete;
    AudioWin32& operator=(const AudioWin32&) = delete;

    std::vector<SesionSonido> Sesiones() override;
    bool Silenciar(std::uint32_t proceso, const std::wstring& id, bool silencio, bool buscar = true) override;
    std::vector<Proceso> Procesos() override;
    std::uint32_t ProcesoPropio() override;

private:
    // A session of the latest listing: its process and its mute switch.
    struct Listada {
        std::uint32_t proceso = 0;
        ComPropio<ISimpleAudioVolume> volumen;
    };
    void Listar(std::vector<SesionSonido>& sesiones);
    void ListarDispositivo(IMMDevice& dispositivo, std::vector<SesionSonido>& sesiones);

    // Declared first: left after every interface below is released.
    ApartamentoCom apartamento_;
    ComPropio<IMMDeviceEnumerator> enumerador_;
    std::unordered_map<std::wstring, Listada> listadas_;
};

}  // namespace tesk
