#include "panel/DibujoPanel.h"

#include "ui/Dpi.h"
#include "ui/Graficos.h"

namespace tesk {

namespace {

using diseno::Control;

void Rellenar(HDC dc, const RECT& rect, COLORREF color) {
    const PincelUnico pincel(::CreateSolidBrush(color));
    ::FillRect(dc, &rect, pincel.get());
}

// ShBorde: the outline of the whole client area.
void DibujarBorde(HDC dc, const RECT& cliente, int grosor) {
    const PincelUnico pincel(::CreateSolidBrush(diseno::kColorBorde));
    for (int i = 0; i < grosor; ++i) {
        const RECT marco{cliente.left + i, cliente.top + i, cliente.right - i, cliente.bottom - i};
        ::FrameRect(dc, &marco, pincel.get());
    }
}

void DibujarLine1(HDC dc, UINT dpi) {
    const int y = APixeles(diseno::kLine1Y, dpi);
    const RECT linea{APixeles(diseno::kLine1X1, dpi), y, APixeles(diseno::kLine1X2, dpi), y + GrosorLinea(dpi)};
    Rellenar(dc, linea, diseno::kColorBorde);
}

void DibujarControl(HDC dc, const diseno::ControlPanel& datos, const Apariencia& apariencia,
                    const TextosPanel& textos) {
    const RECT rect = diseno::APixeles(datos.rect, apariencia.Dpi());
    switch (datos.control) {
        case Control::ImAcerca:
            DibujarBitmap(dc, apariencia.Banner(), rect);
            break;
        case Control::ImMinimizar:
        case Control::ImCerrar:
        case Control::ImCambiar:
            if (const HICON icono = apariencia.Icono(datos.control)) {
                ::DrawIconEx(dc, rect.left, rect.top, icono, rect.right - rect.left, rect.bottom - rect.top, 0, nullptr,
                             DI_NORMAL);
            }
            break;
        case Control::LBTecla1:
            DibujarTexto(dc, diseno::kTextoTecla1, rect, apariencia.FuenteEtiquetas(), diseno::kColorEtiquetas);
            break;
        case Control::LBTecla0:
            // Centred: the label starts right where the text before it ends.
            DibujarTexto(dc, textos.tecla, rect, apariencia.FuenteNegrita(), diseno::kColorEtiquetas, DT_CENTER);
            break;
        case Control::LBLista:
            DibujarTexto(dc, textos.lista, rect, apariencia.FuenteEtiquetas(), diseno::kColorEtiquetas);
            break;
    }
}

}  // namespace

void DibujarPanel(HDC dc, const RECT& cliente, const Apariencia& apariencia, const TextosPanel& textos,
                  std::optional<diseno::Control> conFoco) {
    Rellenar(dc, cliente, diseno::kColorFondo);
    DibujarLine1(dc, apariencia.Dpi());
    for (const diseno::ControlPanel& datos : diseno::kControles) DibujarControl(dc, datos, apariencia, textos);
    // Last, so that the images touching the edge never break the outline.
    DibujarBorde(dc, cliente, GrosorLinea(apariencia.Dpi()));
    if (conFoco) {
        const RECT rect = diseno::APixeles(diseno::Datos(*conFoco).rect, apariencia.Dpi());
        ::DrawFocusRect(dc, &rect);
    }
}

}  // namespace tesk
