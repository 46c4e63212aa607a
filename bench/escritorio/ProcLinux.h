// Figures Wine does not give for another process, read from Linux's /proc
// through drive Z: (every Wine process is a Linux process whose command name
// is the program's file name).
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tesk::bench {

// The Linux process id of the newest process named `nombre` ("tesk.exe")
// whose environment holds `variable`=`valor` when a variable is given (the
// oldest with masAntiguo: tesk.exe itself rather than its guardian), or
// nothing.
std::optional<unsigned> PidLinux(std::string_view nombre, std::string_view variable = {},
                                 std::string_view valor = {}, bool masAntiguo = false);

// CPU time used so far (user and system), in milliseconds.
std::optional<double> CpuLinuxMs(unsigned pid);

// Resident size now (VmRSS), in KB.
std::optional<std::size_t> ResidenteLinuxKb(unsigned pid);

// The most it has had resident so far (VmHWM), in KB.
std::optional<std::size_t> PicoResidenteLinuxKb(unsigned pid);

// Resident size by what is mapped (from smaps), in KB: each file by its
// name, and "[anon]" for everything not backed by a file (heaps, stacks).
std::optional<std::map<std::string, std::size_t>> ResidentePorMapaKb(unsigned pid);

}  // namespace tesk::bench
