// The spellings each dimension accepts, and how a system shows it: the
// tables behind quantity.hpp, kept apart so they read as a list.
#pragma once

#include <span>
#include <string_view>

#include "units/quantity.hpp"

namespace pipecorr::hostkit::unit_table {

struct Spelling {
  std::string_view text;
  Unit unit;
  // Whether a spelling differing only in letter case names the same unit
  // (false where case carries meaning: m and M, MPa and mPa, K and k).
  bool any_case = false;
};

// Every spelling of the dimension's units.
[[nodiscard]] std::span<const Spelling> spellings(Dimension dimension);

// Gauge-pressure spellings, refused with their own message.
[[nodiscard]] std::span<const std::string_view> gauge_spellings();

// The choices a message offers: "psi, psia, bar, bara, kPa, MPa or Pa".
[[nodiscard]] std::string_view choices(Dimension dimension);

struct SystemUnit {
  Unit unit;
  std::string_view column;  // as a CSV header suffix
};
// The unit a bare number has in the system.
[[nodiscard]] SystemUnit system_unit(Dimension dimension, UnitSystem system);
// The unit reports show: the system's own, except that SI shows pressure
// in bar and standard volumes per day as Sm³ (a bare SI number stays Pa
// and m³/s, so stored cases keep their meaning).
[[nodiscard]] SystemUnit shown_unit(Dimension dimension, UnitSystem system);

}  // namespace pipecorr::hostkit::unit_table
