// libpipecorr_wells' own texts: its catalogue, its identification lines and
// its log file. Hosts and stored files rely on every character.
#pragma once

#include <array>

#include "exports/plugin.hpp"
#include "pipecorr/pipecorr.h"

namespace pipecorr::exports::wells_plugin {

// Catalogue name = export name. Duns & Ros (DR_3) is built and tested as a
// core but not offered: its chart tables are provisional until they are
// entered from a published digitisation (src/wells/duns_ros_charts.hpp).
inline constexpr std::array<CatalogueRow, 4> kCatalogue{{
    {"HB_3", 1, "real*8 Hagedorn & Brown modified (Griffith & Wallis bubble)",
     PIPECORR_LINK_DOUBLE},
    {"GRAY_3", 1, "real*8 Gray, gas wells with condensate or water",
     PIPECORR_LINK_DOUBLE},
    {"MB_3", 1, "real*8 Mukherjee & Brill, inclined flow up and down",
     PIPECORR_LINK_DOUBLE},
    {"ANSARI_3", 1,
     "real*8 Ansari et al. mechanistic, upward (downward as MB_3)",
     PIPECORR_LINK_DOUBLE},
}};

// Line 3 is the only one that differs between the two variants.
inline constexpr IdentificationLines kVersionLines{
    "  pipecorr_wells: two-phase correlations for wells",
    "  Hagedorn & Brown, Gray, Mukherjee & Brill, Ansari et al.",
    "  Double precision, portable elementary functions, same bits everywhere",
    "  Entries with the 19-word double-precision argument list, SI units",
    "  Flow-pattern codes 17 to 33 (pipecorr.h)",
    "  Debug log: pipecorr_wells.dbg in the working directory",
    "  Accelerational pressure drop is left to the host",
    "  Part of pipecorr",
};

inline constexpr Plugin kPlugin{
    kCatalogue,
    {kVersionLines,
     with_line(kVersionLines, 2, "  Interface as libpipecorr: link info 3")},
    "pipecorr_wells.dbg",
};

}  // namespace pipecorr::exports::wells_plugin
