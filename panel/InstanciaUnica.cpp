#include "panel/InstanciaUnica.h"

namespace tesk {

namespace {

inline constexpr wchar_t kNombreMutex[] = L"Local\\Tesk.InstanciaUnica";

}  // namespace

std::optional<InstanciaUnica> InstanciaUnica::Tomar() {
    HandleUnico mutex(::CreateMutexW(nullptr, FALSE, kNombreMutex));
    const DWORD error = ::GetLastError();
    // No mutex at all means another copy made it where this one may not open it.
    if (!mutex || error == ERROR_ALREADY_EXISTS) return std::nullopt;
    return InstanciaUnica(std::move(mutex));
}

}  // namespace tesk
