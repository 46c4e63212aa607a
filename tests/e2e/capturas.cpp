// Lays out the desktop for the README's pictures and tells capturas.sh when
// each is ready: the panel beside a few windows with one entry marked, the
// About box, then the panel with the keyboard focus on a command. Run by capturas.sh, which takes the pictures:
//   capturas_e2e.exe FOLDER
// For each picture it writes FOLDER/<name>.rect ("left top width height" in
// screen pixels) and waits for FOLDER/<name>.listo before it goes on.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/soporte/Acercade.h"
#include "tests/soporte/BandejaWine.h"
#include "tests/soporte/Entrada.h"
#include "tests/soporte/Esperar.h"
#include "tests/soporte/IconoTesk.h"
#include "tests/soporte/Panel.h"
#include "tests/soporte/ProcesoTesk.h"
#include "tests/soporte/Rutas.h"
#include "tests/soporte/VentanasPrueba.h"

namespace {

using namespace tesk::e2e;
using tesk::prueba::EsperarHasta;

constexpr int kSalidaError = 1;
constexpr std::chrono::milliseconds kEsperaCaptura{60000};
constexpr wchar_t kExtensionRect[] = L".rect";
constexpr wchar_t kExtensionListo[] = L".listo";
constexpr wchar_t kFilaMarcada[] = L"Presupuesto 2026.xlsx - Hoja de c\u00E1lculo";

// Some windows a desktop might show, newest last.
const std::vector<std::wstring> kVentanas = {
    L"--ventana", L"Bandeja de entrada - Correo",
    L"--ventana", L"Informe trimestral.docx - Procesador de textos",
    L"--ventana", L"Notas de la reuni\u00F3n.txt - Bloc de notas",
    L"--ventana", kFilaMarcada,
    L"--ventana", L"M\u00FAsica", L"--min",
    L"--ventana", L"Navegador web - P\u00E1gina de inicio",
};

// Hands one rectangle to capturas.sh and waits until its picture is taken.
bool Capturar(const std::filesystem::path& carpeta, const std::wstring& nombre, const RECT& rect) {
    {
        std::ofstream archivo(carpeta / (nombre + kExtensionRect));
        archivo << rect.left << ' ' << rect.top << ' ' << rect.right - rect.left << ' ' << rect.bottom - rect.top
                << '\n';
        if (!archivo.flush()) return false;
    }
    const std::filesystem::path listo = carpeta / (nombre + kExtensionListo);
    return EsperarHasta([&] { return std::filesystem::exists(listo); }, kEsperaCaptura);
}

int Ejecutar(const std::filesystem::path& carpeta) {
    tesk::prueba::VentanasPrueba ventanas(RutaDe(kVariableVentanasPrueba), kVentanas);
    ProcesoTesk tesk(RutaDe(kVariableTesk));
    Panel panel;
    if (!EsperarHasta([&] { return (panel = Panel::DelProceso(tesk.Id())) && panel.Visible(); })) return kSalidaError;

    // Wine's own tray window stands in for the taskbar here; it is not one
    // of the user's windows, so it is put away and the list read again.
    if (const HWND bandeja = tesk::prueba::BandejaWine()) ShowWindow(bandeja, SW_HIDE);
    panel.ClicEn(kLBLista);
    if (!EsperarHasta([&] { return panel.Fila(L"Wine System Tray") < 0 && panel.Fila(kFilaMarcada) >= 0; }))
        return kSalidaError;
    panel.ClicEnFila(panel.Fila(kFilaMarcada));
    if (!EsperarHasta([&] { return panel.Marcada(panel.Fila(kFilaMarcada)); })) return kSalidaError;
    ApartarRaton();
    // Whatever the click left to repaint is painted before the picture.
    RedrawWindow(panel.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (!Capturar(carpeta, L"panel", panel.RectVentana())) return kSalidaError;

    const HWND caja = AbrirAcercade(panel, tesk);
    if (caja == nullptr) return kSalidaError;
    RECT rect{};
    GetWindowRect(caja, &rect);
    if (!Capturar(carpeta, L"acerca", rect)) return kSalidaError;

    // Closed from the keyboard, the focus goes back to the banner; two Tabs
    // take it to the mode's image, shown with its focus.
    tesk::prueba::PulsarYSoltar(VK_RETURN);
    if (!EsperarHasta([&] { return !IsWindowVisible(caja) && GetForegroundWindow() == panel.Hwnd(); }))
        return kSalidaError;
    const HWND cambiar = GetDlgItem(panel.Hwnd(), tesk::kIdPrimerComando + 6);
    for (int i = 0; i < 2; ++i) tesk::prueba::PulsarYSoltar(VK_TAB);
    if (!EsperarHasta([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(GetWindowThreadProcessId(panel.Hwnd(), nullptr), &info) &&
                   info.hwndFocus == cambiar;
        }))
        return kSalidaError;
    RedrawWindow(panel.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (!Capturar(carpeta, L"panel-teclado", panel.RectVentana())) return kSalidaError;
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return kSalidaError;
    try {
        return Ejecutar(RutaWindows(argv[1]));
    } catch (const std::exception&) {
        return kSalidaError;
    }
}
