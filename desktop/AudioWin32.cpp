#include "desktop/AudioWin32.h"

#include <windows.h>

#include <tlhelp32.h>

#include <new>

#include "desktop/Com.h"

namespace tesk {

namespace {

// Closes a kernel handle (the desktop has no owner of its own for them).
struct HandleLocal {
    HANDLE h;
    ~HandleLocal() {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    }
};

// The executable's full path, in lower case: the same file is named alike
// whichever process runs it. Empty when the process cannot be opened.
std::wstring EjecutableDe(DWORD proceso) {
    const HandleLocal abierto{::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, proceso)};
    if (abierto.h == nullptr) return {};
    wchar_t ruta[MAX_PATH * 2];
    DWORD largo = static_cast<DWORD>(std::size(ruta));
    if (!::QueryFullProcessImageNameW(abierto.h, 0, ruta, &largo) || largo == 0) return {};
    wchar_t minusculas[MAX_PATH * 2];
    const int n = ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, ruta, static_cast<int>(largo), minusculas,
                                  static_cast<int>(std::size(minusculas)), nullptr, nullptr, 0);
    return n > 0 ? std::wstring(minusculas, static_cast<std::size_t>(n)) : std::wstring(ruta, largo);
}

}  // namespace

std::vector<SesionSonido> AudioWin32::Sesiones() {
    std::vector<SesionSonido> sesiones;
    listadas_.clear();
    try {
        Listar(sesiones);
    } catch (const std::bad_alloc&) {
        sesiones.clear();
        listadas_.clear();
    }
    return sesiones;
}

void AudioWin32::Listar(std::vector<SesionSonido>& sesiones) {
    if (!apartamento_.Entrar()) return;
    if (!enumerador_ && FAILED(::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                                  __uuidof(IMMDeviceEnumerator), enumerador_.PonerVoid()))) {
        enumerador_.Soltar();
        return;
    }
    ComPropio<IMMDeviceCollection> dispositivos;
    UINT cuantos = 0;
    if (FAILED(enumerador_->EnumAudioEndpoints(eRender, DEVICE_STATE_ACTIVE, dispositivos.Poner())) ||
        !dispositivos || FAILED(dispositivos->GetCount(&cuantos))) {
        enumerador_.Soltar();  // made again on the next look
        return;
    }
    for (UINT i = 0; i < cuantos; ++i) {
        ComPropio<IMMDevice> dispositivo;
        // A device removed midway fails here or below: the others still count.
        if (FAILED(dispositivos->Item(i, dispositivo.Poner())) || !dispositivo) continue;
        ListarDispositivo(*dispositivo.get(), sesiones);
    }
}

void AudioWin32::ListarDispositivo(IMMDevice& dispositivo, std::vector<SesionSonido>& sesiones) {
    ComPropio<IAudioSessionManager2> gestor;
    if (FAILED(dispositivo.Activate(__uuidof(IAudioSessionManager2), CLSCTX_INPROC_SERVER, nullptr,
                                    gestor.PonerVoid())) ||
        !gestor) {
        return;
    }
    ComPropio<IAudioSessionEnumerator> lista;
    int cuantas = 0;
    // Wine answers E_NOTIMPL here: no sessions, and nothing else changes.
    if (FAILED(gestor->GetSessionEnumerator(lista.Poner())) || !lista || FAILED(lista->GetCount(&cuantas))) return;
    for (int i = 0; i < cuantas; ++i) {
        ComPropio<IAudioSessionControl> control;
        if (FAILED(lista->GetSession(i, control.Poner())) || !control) continue;
        ComPropio<IAudioSessionControl2> control2;
        ComPropio<ISimpleAudioVolume> volumen;
        if (FAILED(control->QueryInterface(__uuidof(IAudioSessionControl2), control2.PonerVoid())) ||
            FAILED(control->QueryInterface(__uuidof(ISimpleAudioVolume), volumen.PonerVoid())) || !control2 ||
            !volumen) {
            continue;
        }
        CadenaCom id;
        if (FAILED(control2->GetSessionInstanceIdentifier(id.Poner())) || id.get() == nullptr || *id.get() == 0)
            continue;
        // A session of several processes names the first: AUDCLNT_S_NO_SINGLE_PROCESS.
        DWORD proceso = 0;
        if (FAILED(control2->GetProcessId(&proceso))) continue;
        if (control2->IsSystemSoundsSession() == S_OK) proceso = 0;
        BOOL silenciada = FALSE;
        if (FAILED(volumen->GetMute(&silenciada))) continue;
        SesionSonido sesion{static_cast<std::uint32_t>(proceso), id.get(), silenciada != FALSE};
        auto [it, nueva] = listadas_.try_emplace(sesion.id);
        if (!nueva) continue;  // met on another endpoint already
        it->second.proceso = sesion.proceso;
        it->second.volumen = std::move(volumen);
        sesiones.push_back(std::move(sesion));
    }
}

bool AudioWin32::Silenciar(std::uint32_t proceso, const std::wstring& id, bool silencio, bool buscar) {
    try {
        auto it = listadas_.find(id);
        if (it == listadas_.end() && buscar) {
            Sesiones();
            it = listadas_.find(id);
        }
        if (it == listadas_.end() || it->second.proceso != proceso) return false;
        // Only the switch: the level stays where the user left it.
        return SUCCEEDED(it->second.volumen->SetMute(silencio ? TRUE : FALSE, nullptr));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::vector<Proceso> AudioWin32::Procesos() {
    std::vector<Proceso> procesos;
    try {
        const HandleLocal foto{::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
        if (foto.h == INVALID_HANDLE_VALUE) return procesos;
        PROCESSENTRY32W entrada{};
        entrada.dwSize = sizeof entrada;
        for (BOOL hay = ::Process32FirstW(foto.h, &entrada); hay; hay = ::Process32NextW(foto.h, &entrada)) {
            if (entrada.th32ProcessID == 0) continue;
            procesos.push_back({static_cast<std::uint32_t>(entrada.th32ProcessID),
                                static_cast<std::uint32_t>(entrada.th32ParentProcessID),
                                EjecutableDe(entrada.th32ProcessID)});
        }
    } catch (const std::bad_alloc&) {
        procesos.clear();
    }
    return procesos;
}

std::uint32_t AudioWin32::ProcesoPropio() { return static_cast<std::uint32_t>(::GetCurrentProcessId()); }

}  // namespace tesk
