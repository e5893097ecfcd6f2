// libpipecorr's own texts: its catalogue, its identification lines and its
// log file. Hosts and stored files rely on every character.
#pragma once

#include <array>

#include "exports/plugin.hpp"
#include "pipecorr/pipecorr.h"

namespace pipecorr::exports::libpipecorr {

inline constexpr std::array<CatalogueRow, 3> kCatalogue{{
    {"BB_2", 1, "Beggs & Brill Revised from USERDLL", PIPECORR_LINK_SINGLE},
    {"BB_3", 1, "real*8 Beggs & Brill Revised from USERDLL",
     PIPECORR_LINK_DOUBLE},
    {"ORBA_3", 1, "32-bit ORBA Correlation", PIPECORR_LINK_DOUBLE},
}};

// Line 3 is the only one that differs between the two variants. The tabs
// are part of the texts and are not expanded.
inline constexpr IdentificationLines kVersionLines{
    "  32-bit DLL with Kerno ORBA Correlation",
    "  Twpc20 correlation 14 March 97 version",
    "  32-bit version created 29 September 1997",
    "  Quorvandelics and Associates ",
    "  19 Tormandle Road",
    "  Eldham QX9 9ZZ",
    "  Telephone\t+00 100 555 0100",
    "  FAX\t\t+00 100 555 0199",
};

inline constexpr Plugin kPlugin{
    kCatalogue,
    {kVersionLines,
     with_line(kVersionLines, 2, "  32-bit interface 11 December 1997")},
    "usercorr.dbg",
};

}  // namespace pipecorr::exports::libpipecorr
