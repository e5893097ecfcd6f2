// The traverses of a well, for people and programs, in the unit system the
// case was written in. Several traverses (one per correlation) share one
// table, one CSV and one picture, so correlations can be compared.
//
// Units: pressure, temperature and depth as units/quantity.hpp shows them
// for the case's system (psia, °F, ft | Pa, K, m); the gradient in that
// pressure unit per that depth unit (psi/ft | Pa/m), velocities in ft/s |
// m/s, densities in lbm/ft³ | kg/m³, viscosities in cP | Pa·s, surface
// tension in dyn/cm | N/m, the mass rate in lbm/s | kg/s. Angles in
// degrees: inclination from vertical, fi from horizontal (uphill along the
// flow positive). A value that is not finite shows as "-" in the table and
// as an empty cell in the CSV, never as "nan".
#pragma once

#include <optional>
#include <span>
#include <string>

#include "cases/well_case.hpp"
#include "studies/well_traverse.hpp"

namespace pipecorr::hostkit {

// A heading (title, case file, unit system, rates, fluid and tubing, and
// per correlation the known end's pressure and the other end's answer,
// "BB_3: wellhead 150.0 psia given, bottom-hole 2345.6 psia"), then per
// traverse its stations (md, tvd, inclination, pressure, temperature,
// holdup, gradient, usl, usg, liquid and gas density, then the pattern code
// and name, last because names differ in length) and how it ended: the
// answer, or where it stopped (md, tvd, pressure of the last station
// reached) and why. Texts from outside (title, case path, correlation
// names, stop reasons) are escaped with for_terminal. The rows are those
// table_rows picks with `every` (m of md): the stations, and with `every`
// also step ends, when the traverse was marched with rows at them.
[[nodiscard]] std::string well_traverse_text(
    const WellCase& well_case, std::span<const WellTraverse> traverses,
    std::optional<double> every = std::nullopt);

// Every station of every traverse, one row each, the correlation's name
// first (append_cell), the unit of every quantity in its column's name:
// correlation, md_ft, tvd_ft, inclination_deg, fi_deg, pressure_psia,
// temperature_F, gradient_psi_per_ft, holdup, id, pattern, usl_ft_per_s,
// usg_ft_per_s, rho_l_lbm_per_ft3, rho_g_lbm_per_ft3, mu_l_cP, mu_g_cP,
// sigma_dyn_per_cm, mass_flow_lbm_per_s (in SI md_m, pressure_Pa,
// temperature_K, gradient_Pa_per_m, ..., mu_l_Pa_s, sigma_N_per_m,
// mass_flow_kg_per_s). Numbers are the shortest text that reads back the
// same.
[[nodiscard]] std::string well_traverse_csv(
    const WellCase& well_case, std::span<const WellTraverse> traverses);

// Depth downward, as wells are drawn: three tracks over one true vertical
// depth axis (TVD, from the wellhead): pressure, temperature, and holdup
// beside a narrow column per traverse coloured by its flow pattern; one
// curve per traverse (ids "pressure-1", "temperature-1", "holdup-1", ...),
// a cross where a stopped traverse ended, a legend of correlations and of
// patterns, and a caption with the case's rates, GLR, water cut, API, gas
// gravity, tubing ID and known pressure. In SI, pressures are drawn in MPa.
// Any data (none, one station, constant values, values not finite) gives
// a well-formed picture with finite coordinates.
[[nodiscard]] std::string well_traverse_svg(
    const WellCase& well_case, std::span<const WellTraverse> traverses);

}  // namespace pipecorr::hostkit
