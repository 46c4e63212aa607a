// The guardian process: a second copy of tesk.exe that shows nothing, holds
// nothing the program holds, and waits, without using the processor, for
// Tesk to end or to fault. Then it shows every window the record still
// holds and ends.
#pragma once

#include <optional>

namespace tesk::guardian {

// The guardian's exit code when a DLL it needs to show the windows with
// will not load.
constexpr int kSalidaSinBiblioteca = 3;

// When this process was started as a guardian (its standard input is a
// section whose header names a live process and a signal, as Lanzador
// passes it): waits, brings the windows back and returns the exit code. As
// the lanzadera the header names: starts the guardian and returns its id.
// Nothing otherwise, at once.
std::optional<int> SiEsGuardian();

}  // namespace tesk::guardian
