#include "engine/Lista.h"

namespace tesk {

void ListaMemoria::Limpiar() {
    entradas_.clear();
    marcadas_ = 0;
}

void ListaMemoria::Agregar(const std::wstring& texto) { entradas_.push_back({texto, false}); }

int ListaMemoria::Cantidad() const { return static_cast<int>(entradas_.size()); }

int ListaMemoria::CantidadMarcadas() const { return marcadas_; }

bool ListaMemoria::Marcada(int indice) const {
    if (indice < 0 || indice >= Cantidad()) return false;
    return entradas_[static_cast<std::size_t>(indice)].marcada;
}

std::wstring ListaMemoria::Texto(int indice) const {
    if (indice < 0 || indice >= Cantidad()) return {};
    return entradas_[static_cast<std::size_t>(indice)].texto;
}

void ListaMemoria::Marcar(int indice, bool marcada) {
    if (indice < 0 || indice >= Cantidad()) return;
    bool& actual = entradas_[static_cast<std::size_t>(indice)].marcada;
    if (actual != marcada) marcadas_ += marcada ? 1 : -1;
    actual = marcada;
}

}  // namespace tesk
