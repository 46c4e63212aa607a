// Test windows: top-level windows of another process, described on the
// command line, for the desktop tests and the end-to-end tests to find, read,
// hide and show. The command line is described in soporte/Protocolo.h.
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <atomic>
#include <cwchar>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "desktop/Conversiones.h"
#include "tests/soporte/AudioPrueba.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/Protocolo.h"

namespace {

using namespace tesk::prueba;

constexpr int kSalidaError = 2;
constexpr DWORD kLimiteTrampa = 120000;  // ms a trapped window blocks at most
constexpr int kAncho = 360;
constexpr int kAlto = 240;
constexpr int kOrigen = 40;
constexpr int kEscalon = 36;
constexpr int kEscalonesCascada = 12;
constexpr std::size_t kLargoRotulo = 300;
constexpr int kMargenRotulo = 8;
constexpr wchar_t kEscape = L'\\';
constexpr std::wstring_view kInicioCodigo = L"u{";
constexpr wchar_t kFinCodigo = L'}';
constexpr char32_t kMaximoCodigo = 0x10FFFF;
constexpr char32_t kPrimerSuplente = 0x10000;

struct Descripcion {
    std::wstring titulo;
    bool conTitulo = true;
    int mostrar = SW_SHOWNORMAL;
    bool hilo = false;
    bool trampa = false;  // blocks inside its show handler while its wake event is unset
    bool dePrevia = false;  // owned by the window created before it
};

struct Pedido {
    std::wstring salida;
    std::vector<Descripcion> ventanas;
    std::vector<std::wstring> sonar;
    std::vector<std::wstring> sonarHijo;
    DWORD mientras = 0;
};

// What every window of the process shares.
struct Proceso {
    std::atomic<int> vivas{0};
    DWORD hiloPrincipal = 0;
    UINT mensajeDormir = 0;
};

void AgregarCodigo(std::wstring& texto, char32_t codigo) {
    if (codigo < kPrimerSuplente) {
        texto.push_back(static_cast<wchar_t>(codigo));
        return;
    }
    codigo -= kPrimerSuplente;
    texto.push_back(static_cast<wchar_t>(0xD800 + (codigo >> 10)));
    texto.push_back(static_cast<wchar_t>(0xDC00 + (codigo & 0x3FF)));
}

// \u{HEX} becomes that code point and \\ one backslash; anything else stays.
std::wstring Desescapar(std::wstring_view texto) {
    std::wstring salida;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] != kEscape || i + 1 == texto.size()) {
            salida.push_back(texto[i]);
            continue;
        }
        const std::wstring_view resto = texto.substr(i + 1);
        if (resto.front() == kEscape) {
            salida.push_back(kEscape);
            ++i;
            continue;
        }
        const std::size_t fin = resto.find(kFinCodigo);
        if (resto.starts_with(kInicioCodigo) && fin != std::wstring_view::npos && fin > kInicioCodigo.size()) {
            const std::wstring hex(resto.substr(kInicioCodigo.size(), fin - kInicioCodigo.size()));
            wchar_t* final = nullptr;
            const unsigned long codigo = std::wcstoul(hex.c_str(), &final, 16);
            if (*final == L'\0' && codigo <= kMaximoCodigo) {
                AgregarCodigo(salida, static_cast<char32_t>(codigo));
                i += fin + 1;
                continue;
            }
        }
        salida.push_back(kEscape);
    }
    return salida;
}

std::optional<Pedido> LeerPedido(const std::vector<std::wstring_view>& argumentos) {
    Pedido pedido;
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        const std::wstring_view a = argumentos[i];
        const bool conValor = i + 1 < argumentos.size();
        if (a == kOpcionVentana && conValor) {
            pedido.ventanas.push_back({Desescapar(argumentos[++i])});
        } else if (a == kOpcionSalida && conValor) {
            pedido.salida = argumentos[++i];
        } else if (a == kOpcionSonar && conValor) {
            pedido.sonar.emplace_back(argumentos[++i]);
        } else if (a == kOpcionSonarHijo && conValor) {
            pedido.sonarHijo.emplace_back(argumentos[++i]);
        } else if (a == kOpcionMientras && conValor) {
            pedido.mientras = static_cast<DWORD>(std::wcstoul(std::wstring(argumentos[++i]).c_str(), nullptr, 10));
        } else if (pedido.ventanas.empty()) {
            return std::nullopt;
        } else if (a == kOpcionMin) {
            pedido.ventanas.back().mostrar = SW_SHOWMINIMIZED;
        } else if (a == kOpcionMax) {
            pedido.ventanas.back().mostrar = SW_SHOWMAXIMIZED;
        } else if (a == kOpcionOculta) {
            pedido.ventanas.back().mostrar = SW_HIDE;
        } else if (a == kOpcionSinTitulo) {
            pedido.ventanas.back().conTitulo = false;
        } else if (a == kOpcionHilo) {
            pedido.ventanas.back().hilo = true;
        } else if (a == kOpcionTrampa) {
            pedido.ventanas.back().trampa = true;
        } else if (a == kOpcionDePrevia && pedido.ventanas.size() > 1) {
            pedido.ventanas.back().dePrevia = true;
        } else {
            return std::nullopt;
        }
    }
    if (pedido.ventanas.empty() && pedido.mientras == 0) return std::nullopt;
    return pedido;
}

class VentanaPrueba {
public:
    VentanaPrueba(Proceso& proceso, const Descripcion& descripcion, int indice, HWND duena = nullptr)
        : proceso_(proceso), indice_(indice), hiloPropio_(descripcion.hilo), trampa_(descripcion.trampa) {
        const int escalon = kEscalon * (indice % kEscalonesCascada);
        // An owned window is a tool window, as a palette or a Find box is.
        CreateWindowExW(duena != nullptr ? WS_EX_TOOLWINDOW : 0, kClaseVentanaPrueba,
                        descripcion.conTitulo ? descripcion.titulo.c_str() : nullptr, WS_OVERLAPPEDWINDOW,
                        kOrigen + escalon, kOrigen + escalon, kAncho, kAlto, duena, nullptr,
                        GetModuleHandleW(nullptr), this);
        if (!hwnd_) throw std::runtime_error("CreateWindowExW");
        ++proceso_.vivas;
        SetPropW(hwnd_, kPropiedadIndice, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(indice + 1)));
        if (descripcion.mostrar != SW_HIDE) ShowWindow(hwnd_, descripcion.mostrar);
    }
    ~VentanaPrueba() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    VentanaPrueba(const VentanaPrueba&) = delete;
    VentanaPrueba& operator=(const VentanaPrueba&) = delete;

    HWND Hwnd() const { return hwnd_; }

    static bool RegistrarClase() {
        WNDCLASSEXW clase{};
        clase.cbSize = sizeof(clase);
        clase.lpfnWndProc = &VentanaPrueba::Thunk;
        clase.hInstance = GetModuleHandleW(nullptr);
        clase.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        clase.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        clase.lpszClassName = kClaseVentanaPrueba;
        return RegisterClassExW(&clase) != 0;
    }

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT mensaje, WPARAM w, LPARAM l) {
        if (mensaje == WM_NCCREATE) {
            auto* ventana = static_cast<VentanaPrueba*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
            ventana->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ventana));
        }
        auto* ventana = reinterpret_cast<VentanaPrueba*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        return ventana ? ventana->Procesar(mensaje, w, l) : DefWindowProcW(hwnd, mensaje, w, l);
    }

    LRESULT Procesar(UINT mensaje, WPARAM w, LPARAM l) noexcept {
        const HWND hwnd = hwnd_;
        if (mensaje == proceso_.mensajeDormir) {
            AlDormir(static_cast<DWORD>(w));
            return 0;
        }
        switch (mensaje) {
            case WM_PAINT:
                AlPintar();
                return 0;
            case WM_SHOWWINDOW:
                if (trampa_) AlMostrarseConTrampa();
                break;
            case WM_WINDOWPOSCHANGED:
                // Every showing, maximised ones included (which bring no
                // WM_SHOWWINDOW under Wine).
                if (reinterpret_cast<const WINDOWPOS*>(l)->flags & SWP_SHOWWINDOW) {
                    const auto veces = reinterpret_cast<INT_PTR>(GetPropW(hwnd, kPropiedadMostrada));
                    SetPropW(hwnd, kPropiedadMostrada, reinterpret_cast<HANDLE>(veces + 1));
                }
                break;
            case WM_KEYDOWN:
                if (w >= VK_F6 && w <= VK_F12 && (l & (1 << 30)) == 0) Contar(kPropiedadTeclas);
                break;
            case WM_ACTIVATE:
                if (LOWORD(w) != WA_INACTIVE) Contar(kPropiedadActivada);
                break;
            case WM_DESTROY:
                AlDestruir();
                break;
            case WM_NCDESTROY:
                AlDestruirMarco();
                break;
        }
        return DefWindowProcW(hwnd, mensaje, w, l);
    }

    void Contar(const wchar_t* propiedad) noexcept {
        const auto veces = reinterpret_cast<INT_PTR>(GetPropW(hwnd_, propiedad));
        SetPropW(hwnd_, propiedad, reinterpret_cast<HANDLE>(veces + 1));
    }

    // Answers every message as usual, but blocks inside the handler of its
    // own showing or hiding while the test holds the wake event unset.
    void AlMostrarseConTrampa() noexcept {
        const HANDLE despertar = OpenEventW(SYNCHRONIZE, FALSE, NombreDespertar(hwnd_).c_str());
        if (despertar == nullptr) return;
        WaitForSingleObject(despertar, kLimiteTrampa);
        CloseHandle(despertar);
    }

    // Stops pumping until the test wakes the thread, never longer than that.
    void AlDormir(DWORD limite) noexcept {
        const HANDLE despertar = OpenEventW(SYNCHRONIZE, FALSE, NombreDespertar(hwnd_).c_str());
        if (despertar == nullptr) return;  // nothing would wake it
        WaitForSingleObject(despertar, limite);
        CloseHandle(despertar);
    }

    // The window's number and title inside it, for screenshots: without a
    // window manager no frame shows the title.
    void AlPintar() noexcept {
        PAINTSTRUCT pintura;
        const HDC dc = BeginPaint(hwnd_, &pintura);
        std::array<wchar_t, kLargoRotulo> rotulo{};
        const int prefijo = swprintf(rotulo.data(), rotulo.size(), L"%d: ", indice_ + 1);
        if (prefijo > 0) {
            GetWindowTextW(hwnd_, rotulo.data() + prefijo, static_cast<int>(rotulo.size()) - prefijo);
            RECT area{};
            GetClientRect(hwnd_, &area);
            InflateRect(&area, -kMargenRotulo, -kMargenRotulo);
            DrawTextW(dc, rotulo.data(), -1, &area, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        }
        EndPaint(hwnd_, &pintura);
    }

    void AlDestruir() noexcept {
        RemovePropW(hwnd_, kPropiedadIndice);
        if (hiloPropio_) PostQuitMessage(0);
        if (--proceso_.vivas == 0) PostThreadMessageW(proceso_.hiloPrincipal, WM_QUIT, 0, 0);
    }

    void AlDestruirMarco() noexcept {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
    }

    Proceso& proceso_;
    int indice_;
    bool hiloPropio_;
    bool trampa_;
    HWND hwnd_ = nullptr;
};

void Bombear() {
    MSG mensaje;
    while (GetMessageW(&mensaje, nullptr, 0, 0) > 0) {
        TranslateMessage(&mensaje);
        DispatchMessageW(&mensaje);
    }
}

// A window on a thread of its own: the thread lives as long as its window.
class HiloVentana {
public:
    HiloVentana(Proceso& proceso, const Descripcion& descripcion, int indice) {
        std::promise<HWND> creada;
        std::future<HWND> hwnd = creada.get_future();
        hilo_ = std::thread([&proceso, descripcion, indice, creada = std::move(creada)]() mutable {
            std::optional<VentanaPrueba> ventana;
            try {
                ventana.emplace(proceso, descripcion, indice);
            } catch (const std::exception&) {
                creada.set_value(nullptr);
                return;
            }
            creada.set_value(ventana->Hwnd());
            Bombear();
        });
        hwnd_ = hwnd.get();
        if (hwnd_) idHilo_ = GetWindowThreadProcessId(hwnd_, nullptr);
    }
    ~HiloVentana() {
        if (idHilo_) PostThreadMessageW(idHilo_, WM_QUIT, 0, 0);
        hilo_.join();
    }
    HiloVentana(const HiloVentana&) = delete;
    HiloVentana& operator=(const HiloVentana&) = delete;

    HWND Hwnd() const { return hwnd_; }

private:
    std::thread hilo_;
    HWND hwnd_ = nullptr;
    DWORD idHilo_ = 0;
};

// Written beside and then renamed, so a reader never sees half a list.
bool EscribirHandles(const std::wstring& ruta, const std::vector<HWND>& ventanas) {
    const std::filesystem::path final(ruta);
    std::filesystem::path temporal = final;
    temporal += L".tmp";
    {
        std::ofstream archivo(temporal, std::ios::trunc);
        for (HWND ventana : ventanas) archivo << tesk::HandleDe(ventana) << '\n';
        if (!archivo.flush()) return false;
    }
    return MoveFileExW(temporal.c_str(), final.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

struct LiberarArgv {
    void operator()(wchar_t** argv) const { LocalFree(argv); }
};

std::optional<Pedido> PedidoDeLineaDeOrdenes() {
    int cuantos = 0;
    std::unique_ptr<wchar_t*, LiberarArgv> argv(CommandLineToArgvW(GetCommandLineW(), &cuantos));
    if (!argv) return std::nullopt;
    std::vector<std::wstring_view> argumentos(argv.get() + 1, argv.get() + cuantos);
    return LeerPedido(argumentos);
}

// Waits, bounded, until the session is in the table.
bool EsperarSesion(const std::wstring& id) {
    return tesk::prueba::EsperarHasta([&] { return tesk::prueba::audio::Buscar(id) != nullptr; });
}

// A copy of this program that plays id from a process of its own, with no
// window, until this one ends.
bool SonarEnUnHijo(const std::wstring& id) {
    wchar_t ruta[MAX_PATH];
    if (GetModuleFileNameW(nullptr, ruta, MAX_PATH) == 0) return false;
    std::wstring linea = L"\"" + std::wstring(ruta) + L"\" " + kOpcionSonar + L" \"" + id + L"\" " + kOpcionMientras +
                         L" " + std::to_wstring(GetCurrentProcessId());
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(ruta, linea.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio, &info)) return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return EsperarSesion(id);
}

int Ejecutar() {
    const std::optional<Pedido> pedido = PedidoDeLineaDeOrdenes();
    if (!pedido || !VentanaPrueba::RegistrarClase()) return kSalidaError;

    Proceso proceso;
    proceso.hiloPrincipal = GetCurrentThreadId();
    proceso.mensajeDormir = RegisterWindowMessageW(kMensajeDormir);
    MSG cola;
    PeekMessageW(&cola, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue exists before any quit is posted

    for (const std::wstring& id : pedido->sonar)
        if (tesk::prueba::audio::Sonar(id, GetCurrentProcessId()) < 0) return kSalidaError;
    for (const std::wstring& id : pedido->sonarHijo)
        if (!SonarEnUnHijo(id)) return kSalidaError;
    std::thread vigia;
    if (pedido->mientras != 0) {
        const HANDLE padre = OpenProcess(SYNCHRONIZE, FALSE, pedido->mientras);
        if (padre == nullptr) return 0;
        vigia = std::thread([padre, hilo = proceso.hiloPrincipal] {
            WaitForSingleObject(padre, INFINITE);
            CloseHandle(padre);
            PostThreadMessageW(hilo, WM_QUIT, 0, 0);
        });
        vigia.detach();
    }

    // Threads are declared first so they are joined after the main thread's
    // windows are gone.
    std::vector<std::unique_ptr<HiloVentana>> hilos;
    std::vector<std::unique_ptr<VentanaPrueba>> propias;
    std::vector<HWND> creadas;
    int indice = 0;
    for (const Descripcion& descripcion : pedido->ventanas) {
        if (descripcion.hilo) {
            hilos.push_back(std::make_unique<HiloVentana>(proceso, descripcion, indice));
            creadas.push_back(hilos.back()->Hwnd());
        } else {
            const HWND duena = descripcion.dePrevia ? creadas.back() : nullptr;
            propias.push_back(std::make_unique<VentanaPrueba>(proceso, descripcion, indice, duena));
            creadas.push_back(propias.back()->Hwnd());
        }
        if (!creadas.back()) return kSalidaError;
        ++indice;
    }
    if (!pedido->salida.empty() && !EscribirHandles(pedido->salida, creadas)) return kSalidaError;

    Bombear();
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return Ejecutar();
    } catch (const std::exception&) {
        return kSalidaError;
    }
}
