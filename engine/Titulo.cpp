#include "engine/Titulo.h"

#include <algorithm>

namespace tesk {

std::wstring NormalizarTitulo(std::wstring crudo) {
    std::erase(crudo, L'\0');
    const auto primero = crudo.find_first_not_of(L' ');
    if (primero == std::wstring::npos) return {};
    const auto ultimo = crudo.find_last_not_of(L' ');
    return crudo.substr(primero, ultimo - primero + 1);
}

std::wstring LeerTitulo(Escritorio& escritorio, Handle ventana) {
    std::wstring crudo = escritorio.Titulo(ventana);
    // The boundary promises no more than the buffer holds; keep to it even if
    // an implementation hands back more.
    if (crudo.size() > kTituloBuffer - 1) crudo.resize(kTituloBuffer - 1);
    return NormalizarTitulo(std::move(crudo));
}

}  // namespace tesk
