// Lift tables as deck keywords a reservoir simulator reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "studies/vfp_build.hpp"
#include "studies/vfp_table.hpp"
#include "units/quantity.hpp"

namespace pipecorr::hostkit {

// What makes a table unwritable, one sentence per fault ("the THP axis is
// not strictly increasing", "bottom-hole pressure 3 is not finite"); empty
// when the table can be written.
[[nodiscard]] std::vector<std::string> vfp_table_problems(
    const VfpProductionTable& table);

// The VFPPROD keyword: `comments` first as "--" lines (one per line of the
// text), the heading record, the five axes and one record per THP, water,
// gas and lift index. No line is longer than 80 characters. Throws Error
// naming the first of vfp_table_problems when there is one.
[[nodiscard]] std::string vfpprod_text(const VfpProductionTable& table,
                                       std::string_view comments);

// The same for an injector's table and its VFPINJ keyword: the heading
// record, the rates, the THP values and one record per THP index.
[[nodiscard]] std::vector<std::string> vfp_table_problems(
    const VfpInjectionTable& table);
[[nodiscard]] std::string vfpinj_text(const VfpInjectionTable& table,
                                      std::string_view comments);

// A computed table in the deck's units (METRIC for an SI case, FIELD for
// a field one): rates STB/d (gas Mscf/d) or sm3/d, pressures psia or
// barsa, the datum in ft or m, GOR and GLR in Mscf/STB or sm3/sm3, WGR and
// OGR in STB/Mscf or sm3/sm3, WCT and WOR as they are.
[[nodiscard]] VfpProductionTable vfp_production_table(const VfpBuild& build,
                                                      UnitSystem units,
                                                      int number);
[[nodiscard]] VfpInjectionTable vfp_injection_table(const VfpBuild& build,
                                                    UnitSystem units,
                                                    int number);

// The keyword of the build (VFPPROD for a producer, VFPINJ for an
// injector) with `comments` before it.
[[nodiscard]] std::string vfp_keyword_text(const VfpBuild& build,
                                           UnitSystem units, int number,
                                           std::string_view comments);

}  // namespace pipecorr::hostkit
