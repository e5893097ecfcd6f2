// The host's SI values of one calculation point in the core's field units,
// and the gradient back, shared by the single- and double-precision entries.
#pragma once

#include <string_view>

#include "beggs_brill/field_inputs.hpp"
#include "entry/host_inputs.hpp"

namespace pipecorr::bb {

using entry::HostInputs;

// Each value rounded to float once, from the double computation.
FieldInputs to_field_units(const HostInputs& host) noexcept;

// Why the converted point cannot stand for the host's: every host value is
// finite but one has no finite single-precision field value. Empty
// otherwise (non-finite host values are the core's to report).
std::string_view range_problem(const HostInputs& host,
                               const FieldInputs& field) noexcept;

// The failure exit of an entry whose outputs, converted to the host's type,
// are not finite: the host never receives an infinity as a result.
inline constexpr std::string_view kGradientBeyondHostRange =
    "pressure gradient is beyond the single-precision range";

// psi/ft to Pa/m with the conversion factors stored results were made with
// (6895 Pa per psi, 3.2808 ft per m), before the final rounding.
double gradient_in_si(float DPg) noexcept;

}  // namespace pipecorr::bb
