#include "reports/flow_map_report.hpp"

#include "numbers/number_text.hpp"
#include "plugin/pattern_names.hpp"

namespace pipecorr::hostkit {

std::string flow_map_csv(const FlowMap& map) {
  std::string out =
      "usl_m_per_s,usg_m_per_s,dp_Pa_per_m,holdup,id,pattern,ierr\n";
  for (std::size_t row = 0; row < map.usl.size(); ++row) {
    for (std::size_t column = 0; column < map.usg.size(); ++column) {
      const auto& cell = map.at(row, column);
      append_number(out, map.usl[row]);
      out += ',';
      append_number(out, map.usg[column]);
      out += ',';
      append_number(out, cell.dp);
      out += ',';
      append_number(out, cell.holdup);
      out += ',';
      append_number(out, static_cast<long long>(cell.id));
      out += ',';
      out += pattern_name(cell.id);
      out += ',';
      append_number(out, static_cast<long long>(cell.ierr));
      out += '\n';
    }
  }
  return out;
}

}  // namespace pipecorr::hostkit
