// The program's own module, where its resources live.
#pragma once

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tesk {

inline HINSTANCE ModuloPropio() noexcept { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace tesk
