#include "panel/ListaCaja.h"

namespace tesk {

LRESULT ListaCaja::Enviar(UINT mensaje, WPARAM w, LPARAM l) const {
    return caja_ != nullptr ? ::SendMessageW(caja_, mensaje, w, l) : 0;
}

void ListaCaja::Limpiar() { Enviar(LB_RESETCONTENT); }

void ListaCaja::Agregar(const std::wstring& texto) { Enviar(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texto.c_str())); }

int ListaCaja::Cantidad() const {
    const LRESULT cantidad = Enviar(LB_GETCOUNT);
    return cantidad > 0 ? static_cast<int>(cantidad) : 0;
}

int ListaCaja::CantidadMarcadas() const {
    const LRESULT marcadas = Enviar(LB_GETSELCOUNT);
    return marcadas > 0 ? static_cast<int>(marcadas) : 0;
}

bool ListaCaja::Marcada(int indice) const { return Enviar(LB_GETSEL, static_cast<WPARAM>(indice)) > 0; }

std::wstring ListaCaja::Texto(int indice) const {
    const LRESULT largo = Enviar(LB_GETTEXTLEN, static_cast<WPARAM>(indice));
    if (largo <= 0) return {};
    std::wstring texto(static_cast<std::size_t>(largo) + 1, L'\0');
    const LRESULT copiados = Enviar(LB_GETTEXT, static_cast<WPARAM>(indice), reinterpret_cast<LPARAM>(texto.data()));
    texto.resize(copiados > 0 ? static_cast<std::size_t>(copiados) : 0);
    return texto;
}

void ListaCaja::Marcar(int indice, bool marcada) {
    Enviar(LB_SETSEL, marcada ? TRUE : FALSE, static_cast<LPARAM>(indice));
}

}  // namespace tesk
