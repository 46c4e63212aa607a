// A stand-in for the system's audio services, for the tests under Wine
// (whose mmdevapi lists no sessions: GetSessionEnumerator answers
// E_NOTIMPL). Installed as mmdevapi.dll in a test's prefix and loaded in
// its place (WINEDLLOVERRIDES=mmdevapi=n), it gives CoCreateInstance's
// MMDeviceEnumerator: one active render endpoint whose sessions, their mute
// switches and levels live in the table of AudioPrueba.h, shared by every
// process of the prefix. Only what Tesk uses does anything; the rest
// answers E_NOTIMPL.
#include <windows.h>

#include <audioclient.h>
#include <audiopolicy.h>
#include <mmdeviceapi.h>

#include <cwchar>
#include <string>

#include "desktop/Com.h"
#include "tests/soporte/AudioPrueba.h"

namespace {

using tesk::prueba::audio::Compartida;
using tesk::prueba::audio::Sesion;

volatile LONG objetos = 0;

// Reference counting and QueryInterface for an object of one interface.
template <class I>
class Objeto : public I {
public:
    Objeto() { ::InterlockedIncrement(&objetos); }
    virtual ~Objeto() { ::InterlockedDecrement(&objetos); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** p) override {
        if (p == nullptr) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(I)) {
            *p = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *p = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = ::InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

private:
    volatile LONG refs_ = 1;
};

LPWSTR Copia(const wchar_t* texto) {
    const std::size_t n = std::wcslen(texto) + 1;
    auto* copia = static_cast<LPWSTR>(::CoTaskMemAlloc(n * sizeof(wchar_t)));
    if (copia != nullptr) std::wmemcpy(copia, texto, n);
    return copia;
}

// One session of the table, by its slot and the identifier it had when
// listed: a slot emptied or reused since answers as a session whose device
// went away.
class Control final : public IAudioSessionControl2, public ISimpleAudioVolume {
public:
    Control(int slot, const wchar_t* id) : slot_(slot), id_(id) { ::InterlockedIncrement(&objetos); }
    ~Control() { ::InterlockedDecrement(&objetos); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** p) override {
        if (p == nullptr) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IAudioSessionControl) ||
            iid == __uuidof(IAudioSessionControl2)) {
            *p = static_cast<IAudioSessionControl2*>(this);
        } else if (iid == __uuidof(ISimpleAudioVolume)) {
            *p = static_cast<ISimpleAudioVolume*>(this);
        } else {
            *p = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = ::InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    // IAudioSessionControl
    HRESULT STDMETHODCALLTYPE GetState(AudioSessionState* estado) override {
        if (Viva() == nullptr) return AUDCLNT_E_DEVICE_INVALIDATED;
        *estado = AudioSessionStateActive;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDisplayName(LPWSTR* nombre) override { return Cadena(nombre); }
    HRESULT STDMETHODCALLTYPE SetDisplayName(LPCWSTR, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIconPath(LPWSTR* ruta) override { return Cadena(ruta); }
    HRESULT STDMETHODCALLTYPE SetIconPath(LPCWSTR, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGroupingParam(GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetGroupingParam(LPCGUID, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterAudioSessionNotification(IAudioSessionEvents*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterAudioSessionNotification(IAudioSessionEvents*) override { return E_NOTIMPL; }
    // IAudioSessionControl2
    HRESULT STDMETHODCALLTYPE GetSessionIdentifier(LPWSTR* id) override { return GetSessionInstanceIdentifier(id); }
    HRESULT STDMETHODCALLTYPE GetSessionInstanceIdentifier(LPWSTR* id) override {
        if (id == nullptr) return E_POINTER;
        if (Viva() == nullptr) return AUDCLNT_E_DEVICE_INVALIDATED;
        *id = Copia(id_.c_str());
        return *id != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetProcessId(DWORD* proceso) override {
        Sesion* s = Viva();
        if (s == nullptr) return AUDCLNT_E_DEVICE_INVALIDATED;
        *proceso = s->proceso;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsSystemSoundsSession() override {
        Sesion* s = Viva();
        return s != nullptr && s->proceso == 0 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE SetDuckingPreference(WINBOOL) override { return E_NOTIMPL; }
    // ISimpleAudioVolume
    HRESULT STDMETHODCALLTYPE SetMasterVolume(float nivel, LPCGUID) override {
        Sesion* s = Viva();
        if (s == nullptr) return AUDCLNT_E_DEVICE_INVALIDATED;
        s->nivel = nivel;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMasterVolume(float* nivel) override {
        Sesion* s = Viva();
        if (s == nullptr) return AUDCLNT_E_DEVICE_INVALIDATED;
        *nivel = s->nivel;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMute(WINBOOL silencio, LPCGUID) override {
        Sesion* s = Viva();
        if (s == nullptr) return AUDCLNT_E_DEVICE_INVALIDATED;
        ::InterlockedExchange(&s->silenciada, silencio ? 1 : 0);
        ::InterlockedIncrement(&s->cambios);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMute(WINBOOL* silencio) override {
        Sesion* s = Viva();
        if (s == nullptr) return AUDCLNT_E_DEVICE_INVALIDATED;
        *silencio = s->silenciada != 0;
        return S_OK;
    }

private:
    Sesion* Viva() const {
        auto* t = Compartida();
        if (t == nullptr) return nullptr;
        Sesion& s = t->sesiones[slot_];
        return s.usada == 1 && id_ == s.id ? &s : nullptr;
    }
    HRESULT Cadena(LPWSTR* texto) {
        if (texto == nullptr) return E_POINTER;
        *texto = Copia(L"");
        return S_OK;
    }
    volatile LONG refs_ = 1;
    int slot_;
    std::wstring id_;
};

class Enumeracion final : public Objeto<IAudioSessionEnumerator> {
public:
    Enumeracion() {
        auto* t = Compartida();
        if (t == nullptr) return;
        for (int i = 0; i < tesk::prueba::audio::kSesiones; ++i)
            if (t->sesiones[i].usada == 1) slots_[cuantas_++] = i;
    }
    HRESULT STDMETHODCALLTYPE GetCount(int* n) override {
        *n = cuantas_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSession(int i, IAudioSessionControl** control) override {
        if (control == nullptr) return E_POINTER;
        if (i < 0 || i >= cuantas_) return E_INVALIDARG;
        const Sesion& s = Compartida()->sesiones[slots_[i]];
        wchar_t id[tesk::prueba::audio::kLargoId];
        std::wmemcpy(id, s.id, tesk::prueba::audio::kLargoId);
        id[tesk::prueba::audio::kLargoId - 1] = 0;
        *control = new Control(slots_[i], id);
        return S_OK;
    }

private:
    int slots_[tesk::prueba::audio::kSesiones]{};
    int cuantas_ = 0;
};

class Gestor final : public Objeto<IAudioSessionManager2> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** p) override {
        if (p != nullptr && iid == __uuidof(IAudioSessionManager)) {
            *p = static_cast<IAudioSessionManager2*>(this);
            AddRef();
            return S_OK;
        }
        return Objeto<IAudioSessionManager2>::QueryInterface(iid, p);
    }
    HRESULT STDMETHODCALLTYPE GetAudioSessionControl(LPCGUID, DWORD, IAudioSessionControl**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetSimpleAudioVolume(LPCGUID, DWORD, ISimpleAudioVolume**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSessionEnumerator(IAudioSessionEnumerator** lista) override {
        if (lista == nullptr) return E_POINTER;
        if (auto* t = Compartida()) ::InterlockedIncrement(&t->listados);
        *lista = new Enumeracion();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RegisterSessionNotification(IAudioSessionNotification*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterSessionNotification(IAudioSessionNotification*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterDuckNotification(LPCWSTR, IAudioVolumeDuckNotification*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE UnregisterDuckNotification(IAudioVolumeDuckNotification*) override { return E_NOTIMPL; }
};

class Dispositivo final : public Objeto<IMMDevice> {
public:
    HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD, PROPVARIANT*, void** p) override {
        if (p == nullptr) return E_POINTER;
        *p = nullptr;
        if (iid != __uuidof(IAudioSessionManager2) && iid != __uuidof(IAudioSessionManager)) return E_NOINTERFACE;
        *p = static_cast<IAudioSessionManager2*>(new Gestor());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetId(LPWSTR* id) override {
        if (id == nullptr) return E_POINTER;
        *id = Copia(L"{0.0.0.00000000}.{tesk-prueba}");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetState(DWORD* estado) override {
        *estado = DEVICE_STATE_ACTIVE;
        return S_OK;
    }
};

class Coleccion final : public Objeto<IMMDeviceCollection> {
public:
    explicit Coleccion(UINT cuantos) : cuantos_(cuantos) {}
    HRESULT STDMETHODCALLTYPE GetCount(UINT* n) override {
        *n = cuantos_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Item(UINT i, IMMDevice** dispositivo) override {
        if (dispositivo == nullptr) return E_POINTER;
        if (i >= cuantos_) return E_INVALIDARG;
        *dispositivo = new Dispositivo();
        return S_OK;
    }

private:
    UINT cuantos_;
};

class Enumerador final : public Objeto<IMMDeviceEnumerator> {
public:
    HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow flujo, DWORD, IMMDeviceCollection** lista) override {
        if (lista == nullptr) return E_POINTER;
        auto* t = Compartida();
        const bool hay = flujo != eCapture && t != nullptr && t->sinDispositivo == 0;
        *lista = new Coleccion(hay ? 1 : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow, ERole, IMMDevice** dispositivo) override {
        if (dispositivo == nullptr) return E_POINTER;
        *dispositivo = new Dispositivo();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR, IMMDevice**) override { return E_NOTFOUND; }
    HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient*) override { return S_OK; }
};

class Fabrica final : public Objeto<IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* externo, REFIID iid, void** p) override {
        if (p == nullptr) return E_POINTER;
        *p = nullptr;
        if (externo != nullptr) return CLASS_E_NOAGGREGATION;
        tesk::ComPropio<Enumerador> enumerador;
        *enumerador.Poner() = new Enumerador();
        return enumerador->QueryInterface(iid, p);
    }
    HRESULT STDMETHODCALLTYPE LockServer(WINBOOL) override { return S_OK; }
};

}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clase, REFIID iid, void** p) {
    if (p == nullptr) return E_POINTER;
    *p = nullptr;
    if (clase != __uuidof(MMDeviceEnumerator)) return CLASS_E_CLASSNOTAVAILABLE;
    tesk::ComPropio<Fabrica> fabrica;
    *fabrica.Poner() = new Fabrica();
    return fabrica->QueryInterface(iid, p);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return objetos == 0 ? S_OK : S_FALSE; }
