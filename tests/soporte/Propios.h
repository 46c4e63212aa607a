// Owners for the handles the tests open.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tesk::prueba {

struct CerrarHandle {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using HandlePropio = std::unique_ptr<std::remove_pointer_t<HANDLE>, CerrarHandle>;

struct LiberarMemoriaRemota {
    HANDLE proceso;
    void operator()(void* direccion) const { VirtualFreeEx(proceso, direccion, 0, MEM_RELEASE); }
};
using MemoriaRemota = std::unique_ptr<void, LiberarMemoriaRemota>;

}  // namespace tesk::prueba
