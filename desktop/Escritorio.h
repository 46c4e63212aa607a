// The one boundary between Tesk and the desktop: the window manager, the
// notification area and the keyboard state. Nothing here includes a Windows
// header, so the engine and the tray procedures compile and are tested on any
// platform against a stand-in desktop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tesk {

// A top-level window. The platform's handles fit in 32 bits; 0 names no window.
using Handle = std::int32_t;

// An icon handle, opaque to everything but the boundary's implementation.
using IconoId = std::uint64_t;

// Show commands, as the platform numbers them.
inline constexpr std::int32_t kSwHide = 0;
inline constexpr std::int32_t kSwShowNormal = 1;
inline constexpr std::int32_t kSwShowMinimized = 2;
inline constexpr std::int32_t kSwShowMaximized = 3;
inline constexpr std::int32_t kSwShow = 5;
inline constexpr std::int32_t kSwMinimize = 6;
inline constexpr std::int32_t kSwShowMinNoActive = 7;
inline constexpr std::int32_t kSwShowNa = 8;
inline constexpr std::int32_t kSwRestore = 9;

// Titles are read into a buffer of this many characters, so at most one fewer
// are kept.
inline constexpr std::size_t kTituloBuffer = 256;

// GetAsyncKeyState's two bits: the key is down now; it was pressed since the
// previous query.
inline constexpr std::uint16_t kTeclaAbajo = 0x8000;
inline constexpr std::uint16_t kTeclaPulsada = 0x0001;

// The identifier the activation key is registered under as a system hot key
// (the WM_HOTKEY message carries it in wParam).
inline constexpr std::int32_t kIdTeclaActivacion = 1;

inline constexpr std::uint32_t kWsExLayered = 0x80000;
inline constexpr std::uint32_t kWsExTopmost = 0x8;

// The notification-area icon as the add and delete calls receive it.
struct IconoBandeja {
    Handle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    IconoId hIcon = 0;
    std::wstring szTip;  // the whole tip field, terminator and padding included
};

class Escritorio {
public:
    virtual ~Escritorio() = default;

    // The taskbar ("Shell_TrayWnd") and the desktop window ("Progman"), or 0.
    virtual Handle BarraTareas() = 0;
    virtual Handle FondoEscritorio() = 0;
    // The shell's other surfaces that play the same roles: the taskbars of
    // further monitors ("Shell_SecondaryTrayWnd") and the desktop's wallpaper
    // layers ("WorkerW"). Treated as the taskbar is: never listed, never hidden.
    virtual std::vector<Handle> OtrasSuperficiesShell() { return {}; }

    // Z-order walk: the top-level window highest in Z order (found from any
    // top-level window), then each next one below, 0 after the last or when
    // the window asked about no longer exists.
    virtual Handle PrimeraVentana(Handle desde) = 0;
    virtual Handle SiguienteVentana(Handle ventana) = 0;

    // True when the window has the visible style.
    virtual bool EsVisible(Handle ventana) = 0;

    // True when the window is cloaked: visible in the old sense but not
    // drawn, as the frames of suspended store apps, some of the shell's input
    // windows and every window of another virtual desktop are. False where
    // the system cannot tell.
    virtual bool Encubierta(Handle ventana) = 0;

    // The process the window belongs to (GetWindowThreadProcessId); 0 when
    // the window is gone.
    virtual std::uint32_t ProcesoDe(Handle) { return 0; }

    // The characters the platform copies into a kTituloBuffer-character
    // buffer: at most kTituloBuffer - 1 of them, NULs and all, exactly as
    // returned. Empty when the title cannot be read.
    virtual std::wstring Titulo(Handle ventana) = 0;

    // The showCmd of the window's placement; 0 when the query fails.
    virtual std::int32_t EstadoMostrar(Handle ventana) = 0;

    // Asks the window to take a show state: kSwHide hides it, a show command
    // shows it in that state. Nothing waits for another program: a window of
    // another thread is asked without waiting and takes the state when its
    // thread gets to it; calls to one window land in the order they were
    // made. Until then EsVisible reports the visibility asked for.
    // Whether the system took the call: it refuses a program the windows of
    // programs that run at a higher integrity level (elevated ones), which
    // then stay as they are, with nothing of the call in flight. A window
    // that no longer exists refuses nothing.
    virtual bool Mostrar(Handle ventana, std::int32_t estado) = 0;

    // Asks the window to come to the top of the Z order without being
    // activated, without waiting, as Mostrar does.
    virtual void Subir(Handle ventana) = 0;

    // True while something asked of the window has not landed yet. A window
    // that no longer exists has nothing in flight.
    virtual bool EnVuelo(Handle ventana) = 0;

    // Forgets what has landed and the windows that are gone, so that what is
    // tracked never outgrows what is still in flight.
    virtual void Asentar() {}

    // SetForegroundWindow: whether the system let the window come to the
    // front (it may refuse a program in the background).
    virtual bool TraerAlFrente(Handle ventana) = 0;

    // GetForegroundWindow: the window in the foreground, 0 for none.
    virtual Handle VentanaAlFrente() = 0;

    // GetLastInputInfo: when the user last pressed a key or moved or clicked
    // the mouse, as a tick count that wraps; only its changes mean anything.
    virtual std::uint32_t UltimaEntrada() = 0;

    // GetAsyncKeyState for a virtual-key code.
    virtual std::uint16_t EstadoTecla(std::int32_t codigo) = 0;

    // RegisterHotKey(MOD_NOREPEAT) under kIdTeclaActivacion, on that window:
    // a press of the key reaches the window as WM_HOTKEY and no longer
    // reaches the program in front. False when the system refused (another
    // program holds the key). UnregisterHotKey for LiberarTecla.
    virtual bool RegistrarTecla(Handle ventana, std::int32_t codigo) = 0;
    virtual void LiberarTecla(Handle ventana) = 0;

    // Extended style (GWL_EXSTYLE), read and written.
    virtual std::uint32_t EstiloExtendido(Handle ventana) = 0;
    virtual void FijarEstiloExtendido(Handle ventana, std::uint32_t estilo) = 0;

    // SetLayeredWindowAttributes with colour key 0, this alpha and LWA_ALPHA.
    virtual void FijarOpacidad(Handle ventana, std::uint8_t alfa) = 0;

    // SetWindowPos(HWND_TOPMOST, SWP_NOMOVE | SWP_NOSIZE).
    virtual void FijarSiempreEncima(Handle ventana) = 0;

    // Shell_NotifyIcon with NIM_ADD, NIM_MODIFY and NIM_DELETE; true on
    // success.
    virtual bool AgregarIcono(const IconoBandeja& icono) = 0;
    virtual bool ModificarIcono(const IconoBandeja& icono) = 0;
    virtual bool QuitarIcono(const IconoBandeja& icono) = 0;
};

}  // namespace tesk
