// The parts of reading a well case, each from the keys it owns; shared by
// the files that read them (well_case*.cpp).
#pragma once

#include "cases/case_keys.hpp"
#include "cases/well_case.hpp"
#include "fluids/black_oil.hpp"
#include "units/quantity.hpp"
#include "well/survey.hpp"

namespace pipecorr::hostkit::well_case_parts {

// Gravities, non-hydrocarbons, separator and correlation choices; the
// description is checked by building the fluid module's fluid once.
[[nodiscard]] fluids::FluidDescription read_fluid(const CaseKeys& keys,
                                                  UnitSystem units);

// Oil, water and gas at standard conditions, from one pair of liquid keys
// and one gas key.
[[nodiscard]] fluids::StandardRates read_rates(const CaseKeys& keys,
                                               UnitSystem units);

// step and tolerance, checked against the path's length; a default step
// too short for the well is blamed on the `survey` entry.
[[nodiscard]] well::MarchOptions read_march(const KeyValue& survey,
                                            const CaseKeys& keys,
                                            UnitSystem units,
                                            const well::WellPath& path,
                                            std::size_t pipe_sections);

// Why a longest step of `step` m would take the march over `path` past
// `max_steps` steps ("would take more than 100000 steps over the well's
// 10000 ft of md", in `units`), or nothing.
[[nodiscard]] std::string step_count_trouble(const well::WellPath& path,
                                             std::size_t pipe_sections,
                                             double step, std::size_t max_steps,
                                             UnitSystem units);

// The comma list of correlation names.
[[nodiscard]] std::vector<std::string> read_correlations(const CaseKeys& keys);

// The lift-curve keys; `known_end` is the case's.
[[nodiscard]] LiftSettings read_lift(const CaseKeys& keys, UnitSystem units,
                                     well::KnownEnd known_end);

// The vfp_* keys; `flow` is the case's.
[[nodiscard]] VfpSettings read_vfp(const CaseKeys& keys, UnitSystem units,
                                   well::FlowDirection flow);

// A list of at most 100 quantities, in the dimension the key table gives
// the key or in the one given.
[[nodiscard]] std::vector<double> read_list(const CaseKeys& keys,
                                            const KeyValue& entry,
                                            UnitSystem units);
[[nodiscard]] std::vector<double> read_list(const CaseKeys& keys,
                                            const KeyValue& entry,
                                            UnitSystem units,
                                            Dimension dimension);

// The entry's value as an absolute pressure, checked.
[[nodiscard]] double read_pressure(const CaseKeys& keys, const KeyValue& entry,
                                   UnitSystem units);

// The dimension the key table (well_case_keys.hpp) gives the entry's key,
// and the entry read in it: the reader names no dimension of its own.
// std::logic_error for a key the table reads as no quantity.
[[nodiscard]] Dimension key_dimension(const KeyValue& entry);
[[nodiscard]] double key_quantity(const CaseKeys& keys, const KeyValue& entry,
                                  UnitSystem units);
[[nodiscard]] std::vector<double> key_quantities(const CaseKeys& keys,
                                                 const KeyValue& entry,
                                                 UnitSystem units);

}  // namespace pipecorr::hostkit::well_case_parts
