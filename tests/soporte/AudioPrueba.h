// The audio sessions of the stand-in for the system's audio services
// (mmdevapi_prueba.dll, installed as mmdevapi.dll in a test's prefix): one
// table in a named section, shared by every process of the prefix, so that
// the test windows "play" in it, the tests read and switch it, and tesk.exe
// and its guardian see it through Core Audio's interfaces.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string>

namespace tesk::prueba::audio {

inline constexpr wchar_t kNombreSeccion[] = L"Local\\TeskPruebaAudio";
inline constexpr int kSesiones = 64;
inline constexpr int kLargoId = 128;

struct Sesion {
    volatile LONG usada;  // set last, once the rest is written
    DWORD proceso;
    volatile LONG silenciada;
    float nivel;
    volatile LONG cambios;  // SetMute calls
    wchar_t id[kLargoId];
};

struct Tabla {
    volatile LONG listados;  // session lists handed out (GetSessionEnumerator)
    volatile LONG sinDispositivo;  // set: no active render endpoint
    Sesion sesiones[kSesiones];
};

// The table, made by whoever comes first; null when the system gives none.
// The view stays for the life of the process.
inline Tabla* Compartida() {
    static Tabla* tabla = [] {
        const HANDLE seccion = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Tabla),
                                                    kNombreSeccion);
        if (seccion == nullptr) return static_cast<Tabla*>(nullptr);
        return static_cast<Tabla*>(::MapViewOfFile(seccion, FILE_MAP_WRITE, 0, 0, sizeof(Tabla)));
    }();
    return tabla;
}

// Opens a session for that process, unmuted at the level given (or muted);
// its slot, -1 when the table is full.
inline int Sonar(const std::wstring& id, DWORD proceso, bool silenciada = false, float nivel = 0.5f) {
    Tabla* t = Compartida();
    if (t == nullptr || id.size() >= kLargoId) return -1;
    for (int i = 0; i < kSesiones; ++i) {
        Sesion& s = t->sesiones[i];
        if (::InterlockedCompareExchange(&s.usada, 2, 0) != 0) continue;  // 2: being written
        s.proceso = proceso;
        s.silenciada = silenciada ? 1 : 0;
        s.nivel = nivel;
        s.cambios = 0;
        std::wmemset(s.id, 0, kLargoId);
        std::wmemcpy(s.id, id.data(), id.size());
        ::InterlockedExchange(&s.usada, 1);
        return i;
    }
    return -1;
}

// The session of that identifier, or null.
inline Sesion* Buscar(const std::wstring& id) {
    Tabla* t = Compartida();
    if (t == nullptr) return nullptr;
    for (Sesion& s : t->sesiones)
        if (s.usada == 1 && id == s.id) return &s;
    return nullptr;
}

// Every session gone, as at the start of a test.
inline void Vaciar() {
    Tabla* t = Compartida();
    if (t == nullptr) return;
    for (Sesion& s : t->sesiones) ::InterlockedExchange(&s.usada, 0);
    t->sinDispositivo = 0;
}

}  // namespace tesk::prueba::audio
