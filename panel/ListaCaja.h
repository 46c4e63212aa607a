// The candidate list kept in the panel's list box. Marks are read from the
// list box itself each time they are asked for, so marks set by any means
// (clicks, keys, another program sending LB_SETSEL) count at once.
#pragma once

#include <windows.h>

#include "engine/Lista.h"

namespace tesk {

class ListaCaja final : public Lista {
public:
    // The list box is created by the panel after this object exists.
    void Enlazar(HWND cajaLista) noexcept { caja_ = cajaLista; }

    void Limpiar() override;
    void Agregar(const std::wstring& texto) override;
    int Cantidad() const override;
    int CantidadMarcadas() const override;
    bool Marcada(int indice) const override;
    std::wstring Texto(int indice) const override;
    void Marcar(int indice, bool marcada) override;

private:
    LRESULT Enviar(UINT mensaje, WPARAM w = 0, LPARAM l = 0) const;

    HWND caja_ = nullptr;
};

}  // namespace tesk
