// Lift tables as deck keywords a reservoir simulator reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "studies/vfp_table.hpp"

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

}  // namespace pipecorr::hostkit
