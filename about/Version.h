// The program's version as its own version record gives it.
#pragma once

#include <optional>
#include <string>

namespace tesk {

struct NumerosVersion {
    unsigned mayor = 0;
    unsigned menor = 0;
    unsigned revision = 0;
};

// Read from the running program's file; nothing when it has no version record.
std::optional<NumerosVersion> VersionDelPrograma();

// "v " major "." minor "." revision, in decimal without leading zeros.
std::wstring TextoVersion(const NumerosVersion& version);

}  // namespace tesk
