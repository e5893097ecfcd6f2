#include "reports/point_report.hpp"

#include <string>

#include "numbers/number_text.hpp"
#include "numbers/unit_factors.hpp"
#include "plugin/pattern_names.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

// JSON has no NaN or infinity; a plug-in that returns one gets null.
std::string json_number(double value) {
  if (value != value || value - value != 0.0) return "null";
  return shortest(value);
}

}  // namespace

std::string format_point_text(const Correlation& correlation,
                              const FlowInputs& inputs,
                              const FlowResult& result) {
  std::string out = "correlation  ";
  out.append(for_terminal(correlation.name()))
      .append("  (")
      .append(for_terminal(correlation.entry().description))
      .append(")\n");
  const auto values = inputs.values();
  for (std::size_t i = 0; i < kInputCount; ++i) {
    std::string name(kInputNames[i]);
    name.resize(7, ' ');
    out.append("  ")
        .append(name)
        .append(shortest(values[i]))
        .append(" ")
        .append(kInputUnits[i])
        .append("\n");
  }
  out.append("gradient     ")
      .append(fixed(result.dp, 3))
      .append(" Pa/m  (")
      .append(fixed(units::pa_per_m_to_bar_per_km(result.dp), 4))
      .append(" bar/km)\n");
  out.append("holdup       ").append(fixed(result.holdup, 4)).append("\n");
  out.append("pattern      ")
      .append(std::to_string(result.id))
      .append(" ")
      .append(pattern_name(result.id))
      .append("\n");
  out.append("error        ").append(std::to_string(result.ierr));
  if (!result.message().empty()) {
    out.append(" ").append(for_terminal(result.message()));
  }
  out.append("\n");
  return out;
}

std::string format_point_json(const Correlation& correlation,
                              const FlowInputs& inputs,
                              const FlowResult& result) {
  std::string out =
      "{\"correlation\":" + json_string(correlation.name()) +
      ",\"link_info\":" + std::to_string(correlation.entry().link_info) +
      ",\"inputs\":{";
  const auto values = inputs.values();
  for (std::size_t i = 0; i < kInputCount; ++i) {
    if (i > 0) out += ',';
    out += json_string(kInputNames[i]) + ":" + json_number(values[i]);
  }
  out += "},\"dp\":" + json_number(result.dp) + ",\"dp_bar_per_km\":" +
         json_number(units::pa_per_m_to_bar_per_km(result.dp)) +
         ",\"holdup\":" + json_number(result.holdup) +
         ",\"id\":" + std::to_string(result.id) +
         ",\"pattern\":" + json_string(pattern_name(result.id)) +
         ",\"ierr\":" + std::to_string(result.ierr) +
         ",\"errmsg\":" + json_string(result.message()) + "}\n";
  return out;
}

}  // namespace pipecorr::hostkit
