// The host's SI values of one calculation point in the core's field units,
// shared by the single- and double-precision entries.
#pragma once

#include <string_view>

#include "beggs_brill/Bbi.hpp"

namespace pipecorr::bb {

// The host's inputs, widened exactly to double: a float host value widens
// without change, so both entries convert through the same arithmetic.
struct HostInputs {
  double usl = 0.0;    // m/s
  double usg = 0.0;    // m/s
  double rol = 0.0;    // kg/m3
  double rog = 0.0;    // kg/m3
  double visl = 0.0;   // Pa s
  double visg = 0.0;   // Pa s
  double eps = 0.0;    // m
  double sigma = 0.0;  // N/m
  double diam = 0.0;   // m
  double fi = 0.0;     // degree, positive uphill
  double p = 0.0;      // Pa
};

// Each value rounded to float once, from the double computation.
FieldInputs to_field_units(const HostInputs& host) noexcept;

// Why the converted point cannot stand for the host's: every host value is
// finite but one has no finite single-precision field value. Empty
// otherwise (non-finite host values are the core's to report).
std::string_view range_problem(const HostInputs& host,
                               const FieldInputs& field) noexcept;

// The failure exit of an entry whose outputs, converted to the host's type,
// are not finite: the host never receives an infinity as a result.
bool outputs_finite(double dp, double holdup) noexcept;
inline constexpr std::string_view kGradientBeyondHostRange =
    "pressure gradient is beyond the single-precision range";

// The entry's trace block of the converted values. The entries differ only
// in their title and viscosity labels.
struct EntryLabels {
  std::string_view title;
  std::string_view vislcp;
  std::string_view visgcp;
};
void trace_entry(const EntryLabels& labels, const FieldInputs& in) noexcept;

// psi/ft to Pa/m with the conversion factors stored results were made with
// (6895 Pa per psi, 3.2808 ft per m), before the final rounding.
double gradient_in_si(float DPg) noexcept;

}  // namespace pipecorr::bb
