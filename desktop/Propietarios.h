// One owner for every Windows handle the program creates, with the matching
// release call, and the count of what the owners hold. Here the owners of
// kernel objects (handles, views of a section), which the guardian and the
// single-instance check use; the window toolkit adds those of GDI and USER
// objects (ui/Propietarios.h) on the same count.
#pragma once

#include <windows.h>

#include <utility>

namespace tesk {

// What the program holds at this moment, by kind, counted by the owners:
// Wine reports no USER or GDI object counts for a process, so the program
// keeps its own. Windows are not counted (a parent destroys its children
// without an owner); RecursosRetenidos counts them live.
enum class Recurso { gdi, user, kernel, ninguno };

namespace detalle {

inline long retenidos[3]{};  // one UI thread

constexpr void Contar(Recurso recurso, long cambio) noexcept {
    if (recurso != Recurso::ninguno) retenidos[static_cast<int>(recurso)] += cambio;
}

struct CerrarHandle {
    static constexpr Recurso kRecurso = Recurso::kernel;
    void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};
struct DesmapearVista {
    static constexpr Recurso kRecurso = Recurso::ninguno;  // memory, not a handle
    void operator()(void* vista) const noexcept { ::UnmapViewOfFile(vista); }
};

// Sole owner of one handle (null for none), released with Borrar and
// counted while held.
template <class H, class Borrar>
class Unico {
public:
    Unico() noexcept = default;
    explicit Unico(H handle, Borrar borrar = {}) noexcept : handle_(handle), borrar_(borrar) { Tomado(); }
    Unico(Unico&& otro) noexcept : handle_(std::exchange(otro.handle_, nullptr)), borrar_(otro.borrar_) {}
    Unico& operator=(Unico&& otro) noexcept {
        if (this != &otro) {
            reset();
            handle_ = std::exchange(otro.handle_, nullptr);
            borrar_ = otro.borrar_;
        }
        return *this;
    }
    Unico(const Unico&) = delete;
    Unico& operator=(const Unico&) = delete;
    ~Unico() { reset(); }

    H get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    void reset(H handle = nullptr) noexcept {
        if (handle_ != nullptr) {
            borrar_(handle_);
            Contar(Borrar::kRecurso, -1);
        }
        handle_ = handle;
        Tomado();
    }
    // Gives the handle up without releasing it (it is already gone).
    H release() noexcept {
        if (handle_ != nullptr) Contar(Borrar::kRecurso, -1);
        return std::exchange(handle_, nullptr);
    }

private:
    void Tomado() noexcept {
        if (handle_ != nullptr) Contar(Borrar::kRecurso, +1);
    }

    H handle_ = nullptr;
    [[no_unique_address]] Borrar borrar_{};
};

}  // namespace detalle

// How many objects of a kind the program's owners hold now.
inline long Retenidos(Recurso recurso) noexcept {
    return recurso == Recurso::ninguno ? 0 : detalle::retenidos[static_cast<int>(recurso)];
}

using HandleUnico = detalle::Unico<HANDLE, detalle::CerrarHandle>;
// A view of a section (MapViewOfFile).
using VistaUnica = detalle::Unico<void*, detalle::DesmapearVista>;

}  // namespace tesk
