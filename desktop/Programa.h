// The running program's own executable file.
#pragma once

#include <string>

namespace tesk {

// The full path of this process's executable (GetModuleFileNameW, however
// long it is); empty when the system cannot tell.
std::wstring RutaDelPrograma();

}  // namespace tesk
