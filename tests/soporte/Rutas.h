// Where the programs under test are: ctest hands their paths to the tests in
// the environment, as the build knows them (Unix paths under Wine).
#pragma once

#include <string>

namespace tesk::e2e {

inline constexpr wchar_t kVariableTesk[] = L"TESK_EXE";
inline constexpr wchar_t kVariableVentanasPrueba[] = L"TESK_VENTANAS_PRUEBA";

// The path in that environment variable, as a Windows path. Throws
// std::runtime_error when the variable is not set.
std::wstring RutaDe(const wchar_t* variable);

// A Unix path as Wine reaches it (drive Z: is the root); any other path as is.
std::wstring RutaWindows(const std::wstring& ruta);

}  // namespace tesk::e2e
