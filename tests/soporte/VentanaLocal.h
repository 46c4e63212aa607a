// A top-level window of the test process itself: a focus for keys sent with
// SendInput, a window to restyle, and a receiver that records the messages
// the application range (WM_APP and up) brings it, such as tray callbacks.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tesk::prueba {

struct MensajeRecibido {
    UINT mensaje;
    WPARAM wParam;
    LPARAM lParam;
};

class VentanaLocal {
public:
    // Created and shown normal.
    explicit VentanaLocal(const std::wstring& titulo);
    ~VentanaLocal();
    VentanaLocal(const VentanaLocal&) = delete;
    VentanaLocal& operator=(const VentanaLocal&) = delete;

    HWND Hwnd() const { return hwnd_; }
    const std::vector<MensajeRecibido>& Recibidos() const { return recibidos_; }

    // Destroys the window now; the object stays, naming no window.
    void Destruir();

    // From now on the window answers WM_GETTEXT with exactly this text, NUL
    // characters included, as some programs do.
    void ResponderTitulo(std::wstring texto) { tituloCrudo_ = std::move(texto); }

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l);
    LRESULT Procesar(UINT mensaje, WPARAM w, LPARAM l) noexcept;
    void AlRecibir(UINT mensaje, WPARAM w, LPARAM l) noexcept;
    LRESULT AlPedirTitulo(WPARAM capacidad, LPARAM buffer) noexcept;
    void AlDestruirMarco() noexcept;

    HWND hwnd_ = nullptr;
    std::vector<MensajeRecibido> recibidos_;
    std::optional<std::wstring> tituloCrudo_;
};

}  // namespace tesk::prueba
