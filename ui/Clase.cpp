#include "ui/Clase.h"

#include "ui/Modulo.h"

namespace tesk {

bool RegistrarClase(const DatosClase& datos) {
    WNDCLASSEXW clase{};
    clase.cbSize = sizeof clase;
    if (::GetClassInfoExW(ModuloPropio(), datos.nombre, &clase)) return true;
    clase = WNDCLASSEXW{};
    clase.cbSize = sizeof clase;
    clase.style = datos.estilo;
    clase.lpfnWndProc = datos.procedimiento;
    clase.hInstance = ModuloPropio();
    clase.hIcon = datos.icono;
    clase.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    clase.hbrBackground = datos.fondo;
    clase.lpszClassName = datos.nombre;
    return ::RegisterClassExW(&clase) != 0;
}

}  // namespace tesk
