#include "tests/soporte/Panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <iostream>
#include <memory>
#include <string_view>
#include <type_traits>

#include "panel/Nombres.h"
#include "tests/soporte/Clases.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/ProcesoTesk.h"

namespace tesk::e2e {

namespace {

constexpr std::wstring_view kClaseLista = L"ListBox";
constexpr int kLargoClase = 64;
constexpr UINT kEsperaRespuesta = 5000;  // ms; the panel may be busy with a pass

struct LiberarDcPantalla {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using DcPantalla = std::unique_ptr<std::remove_pointer_t<HDC>, LiberarDcPantalla>;

HWND CajaListaDe(HWND panel) {
    HWND encontrada = nullptr;
    EnumChildWindows(
        panel,
        [](HWND hija, LPARAM datos) -> BOOL {
            std::array<wchar_t, kLargoClase> clase{};
            const int largo = GetClassNameW(hija, clase.data(), kLargoClase);
            if (CompareStringOrdinal(clase.data(), largo, kClaseLista.data(), static_cast<int>(kClaseLista.size()),
                                     TRUE) != CSTR_EQUAL) {
                return TRUE;
            }
            *reinterpret_cast<HWND*>(datos) = hija;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&encontrada));
    return encontrada;
}

std::string Rect(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "-" + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

std::string Ventana(HWND ventana) {
    RECT rect{};
    GetWindowRect(ventana, &rect);
    return testing::PrintToString(Describir(ventana)) + " at " + Rect(rect);
}

}  // namespace

// The point reaches this window, or a child of it, and nothing in front.
bool Alcanza(HWND ventana, POINT punto) {
    const HWND bajo = WindowFromPoint(punto);
    return bajo == ventana || IsChild(ventana, bajo);
}

// The same, waited for: the program puts its panel back in its corner on
// its next tick when a window manager has placed it elsewhere, maybe under
// another window. Where it still is not reached, the failure says what
// covers it.
bool EsperarQueAlcance(HWND ventana, const std::function<POINT()>& donde, POINT& punto) {
    if (prueba::EsperarHasta([&] {
            punto = donde();
            return Alcanza(ventana, punto);
        })) {
        return true;
    }
    ADD_FAILURE() << "the point " << punto.x << "," << punto.y << " is covered by "
                  << testing::PrintToString(Describir(WindowFromPoint(punto)));
    return false;
}

std::string LoQueHayEn(POINT punto) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const HWND bajo = WindowFromPoint(punto);
    GUITHREADINFO hilo{};
    hilo.cbSize = sizeof hilo;
    GetGUIThreadInfo(GetWindowThreadProcessId(bajo, nullptr), &hilo);
    const HWND delante = GetForegroundWindow();
    GUITHREADINFO suyo{};
    suyo.cbSize = sizeof suyo;
    GetGUIThreadInfo(GetWindowThreadProcessId(delante, nullptr), &suyo);
    return "under " + std::to_string(punto.x) + "," + std::to_string(punto.y) + ": " + Ventana(bajo) +
           "; its thread's capture " + Ventana(hilo.hwndCapture) + ", active " + Ventana(hilo.hwndActive) +
           "; foreground " + Ventana(delante) + ", its thread's capture " + Ventana(suyo.hwndCapture) +
           "; cursor at " + std::to_string(cursor.x) + "," + std::to_string(cursor.y);
}

Panel Panel::DelProceso(DWORD proceso) {
    for (HWND ventana = GetTopWindow(nullptr); ventana != nullptr; ventana = GetWindow(ventana, GW_HWNDNEXT)) {
        DWORD suyo = 0;
        GetWindowThreadProcessId(ventana, &suyo);
        if (suyo == proceso && prueba::EsDeClase(ventana, kClasePanel)) return Panel(ventana);
    }
    return Panel();
}

std::optional<long> Panel::Preguntar(TipoRecurso tipo) const {
    static const UINT mensaje = RegisterWindowMessageW(kMensajeRecursos);
    DWORD_PTR respuesta = 0;
    if (!SendMessageTimeoutW(ventana_, mensaje, static_cast<WPARAM>(tipo), 0, SMTO_ABORTIFHUNG, kEsperaRespuesta,
                             &respuesta)) {
        return std::nullopt;
    }
    const auto valor = static_cast<long>(static_cast<LRESULT>(respuesta));
    if (valor < 0) return std::nullopt;
    return valor;
}

Panel::Panel(HWND ventana) : ventana_(ventana), caja_(ventana ? CajaListaDe(ventana) : nullptr) {}

bool Panel::SiempreEncima() const { return (GetWindowLongW(ventana_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

int Panel::Alfa() const {
    if ((GetWindowLongW(ventana_, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return -1;
    COLORREF clave = 0;
    BYTE alfa = 0;
    DWORD banderas = 0;
    if (!GetLayeredWindowAttributes(ventana_, &clave, &alfa, &banderas) || (banderas & LWA_ALPHA) == 0) return -1;
    return alfa;
}

RECT Panel::RectVentana() const {
    RECT rect{};
    GetWindowRect(ventana_, &rect);
    return rect;
}

SIZE Panel::TamanoCliente() const {
    RECT cliente{};
    GetClientRect(ventana_, &cliente);
    return {cliente.right - cliente.left, cliente.bottom - cliente.top};
}

UINT Panel::Dpi() const {
    const DcPantalla pantalla(GetDC(nullptr));
    return static_cast<UINT>(GetDeviceCaps(pantalla.get(), LOGPIXELSX));
}

std::vector<std::wstring> Panel::Textos() const {
    std::vector<std::wstring> textos;
    const LRESULT cantidad = SendMessageW(caja_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < cantidad; ++i) {
        const LRESULT largo = SendMessageW(caja_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring texto(static_cast<std::size_t>(std::max<LRESULT>(largo, 0)) + 1, L'\0');
        const LRESULT copiados =
            SendMessageW(caja_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(texto.data()));
        texto.resize(static_cast<std::size_t>(std::max<LRESULT>(copiados, 0)));
        textos.push_back(std::move(texto));
    }
    return textos;
}

int Panel::Fila(const std::wstring& texto) const {
    const std::vector<std::wstring> textos = Textos();
    const auto it = std::find(textos.begin(), textos.end(), texto);
    return it == textos.end() ? -1 : static_cast<int>(it - textos.begin());
}

std::vector<bool> Panel::Marcas() const {
    std::vector<bool> marcas;
    const LRESULT cantidad = SendMessageW(caja_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < cantidad; ++i)
        marcas.push_back(Marcada(static_cast<int>(i)));
    return marcas;
}

bool Panel::Marcada(int indice) const {
    return SendMessageW(caja_, LB_GETSEL, static_cast<WPARAM>(indice), 0) > 0;
}

void Panel::Marcar(int indice, bool marcada) const {
    SendMessageW(caja_, LB_SETSEL, marcada ? TRUE : FALSE, indice);
}

void Panel::MarcarTodas(bool marcadas) const { Marcar(-1, marcadas); }

POINT Panel::PuntoDeFila(int indice, int desdeIzquierda) const {
    const auto primera = static_cast<int>(SendMessageW(caja_, LB_GETTOPINDEX, 0, 0));
    const auto alto = static_cast<int>(SendMessageW(caja_, LB_GETITEMHEIGHT, 0, 0));
    POINT punto{desdeIzquierda, (indice - primera) * alto + alto / 2};
    ClientToScreen(caja_, &punto);
    return punto;
}

void Panel::ClicEnFila(int indice, int desdeIzquierda) const {
    // Every click on a row toggles its mark.
    const bool marcada = Marcada(indice);
    HastaQueLlegue(
        caja_, [&] { return PuntoDeFila(indice, desdeIzquierda); }, [](POINT punto) { prueba::Clic(punto); },
        [&] { return Marcada(indice) != marcada; }, [] { return true; });
}

POINT Panel::PuntoDe(const RectTwips& control) const {
    POINT punto = Centro(control, Dpi());
    ClientToScreen(ventana_, &punto);
    return punto;
}

void Panel::ClicEn(const RectTwips& control) const { Pulsar(control, 1); }

void Panel::DobleClicEn(const RectTwips& control) const { Pulsar(control, 2); }

void Panel::ClicQueNoLlega(const RectTwips& control) const {
    const POINT punto = PuntoDe(control);
    prueba::Clic(punto);
    ApartarRaton();
}

void Panel::Pulsar(const RectTwips& control, long presiones) const {
    const std::optional<long> antes = Preguntar(TipoRecurso::pulsaciones);
    if (!antes) {
        ADD_FAILURE() << "the panel did not say how many presses it has had";
        return;
    }
    const auto llegadas = [&] { return Preguntar(TipoRecurso::pulsaciones).value_or(*antes) - *antes; };
    HastaQueLlegue(
        ventana_, [&] { return PuntoDe(control); },
        [&](POINT punto) { presiones == 1 ? prueba::Clic(punto) : prueba::DobleClic(punto); },
        [&] { return llegadas() >= presiones; }, [&] { return llegadas() == 0; });
}

void Panel::HastaQueLlegue(HWND destino, const std::function<POINT()>& donde,
                           const std::function<void(POINT)>& enviar, const std::function<bool()>& llego,
                           const std::function<bool()>& nadaLlego) const {
    for (int intento = 1;; ++intento) {
        // Where the window is now: a window manager may have moved it since
        // the last try.
        POINT punto{};
        if (!EsperarQueAlcance(destino, donde, punto)) return;
        enviar(punto);
        ApartarRaton();
        const std::optional<long> desde = Ticks();
        if (!desde) {
            // A click that ends the program is not waited for.
            if (!prueba::EsperarHasta([&] { return !IsWindow(ventana_); })) ADD_FAILURE() << "the panel does not answer";
            return;
        }
        // Input comes before the timer: once the panel's thread has handled
        // two more ticks, nothing sent before the first was still waiting
        // for it, and a click that has not arrived never will.
        const bool respondio = prueba::EsperarHasta([&] {
            if (llego() || !IsWindow(ventana_)) return true;
            const std::optional<long> ticks = Ticks();
            return ticks && *ticks >= *desde + 2;
        });
        if (llego() || !IsWindow(ventana_)) return;
        if (!respondio) {
            ADD_FAILURE() << "the panel's timer stopped before the click at " << punto.x << "," << punto.y
                          << " got there";
            return;
        }
        if (!nadaLlego() || intento == kIntentosClic) {
            ADD_FAILURE() << "the click at " << punto.x << "," << punto.y << " did not reach the panel whole, "
                          << intento << " times; the panel at " << Rect(RectVentana()) << "; " << LoQueHayEn(punto);
            return;
        }
        // Lost on the way (the window manager moved something under the
        // point between the click and its delivery): sent again, and said.
        std::cout << "[ lost     ] a click at " << punto.x << "," << punto.y
                  << " never reached the panel; sent again (the panel at " << Rect(RectVentana()) << "; "
                  << LoQueHayEn(punto) << ")" << std::endl;
    }
}

void ApartarRaton() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) - 2);
}

}  // namespace tesk::e2e
