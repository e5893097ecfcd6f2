#include "reports/vfp_deck.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "numbers/number_text.hpp"
#include "studies/vfp_axes.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {

namespace {

// Deck lines are read in fixed-width cards by some simulators: stay well
// inside their limit.
constexpr std::size_t kLineWidth = 80;

std::string_view units_word(VfpUnits units) {
  return units == VfpUnits::kField ? "FIELD" : "METRIC";
}

// Twelve significant digits: far finer than the simulator's interpolation,
// read back exactly by its parser (which is not correctly rounded on
// seventeen), and no 349.99999999999994 for 350 converted back and forth.
void append_deck_number(std::string& out, double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value,
                                 std::chars_format::general, 12);
  out.append(text, end.ptr);
}

void check_axis(std::vector<std::string>& problems, std::string_view name,
                const std::vector<double>& axis) {
  if (axis.empty()) {
    problems.push_back("the " + std::string(name) + " axis is empty");
    return;
  }
  for (std::size_t i = 0; i < axis.size(); ++i) {
    if (!std::isfinite(axis[i])) {
      problems.push_back("the " + std::string(name) + " axis value " +
                         std::to_string(i + 1) + " is not finite");
      return;
    }
    if (i > 0 && !(axis[i] > axis[i - 1])) {
      problems.push_back("the " + std::string(name) +
                         " axis is not strictly increasing");
      return;
    }
  }
}

// Appends the numbers after `line` (which already holds a prefix), wrapping
// to a new line of the same indent before kLineWidth, and ends the record.
void append_record(std::string& out, std::string line, const double* values,
                   std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    std::string number;
    append_deck_number(number, values[i]);
    if (line.size() + 1 + number.size() > kLineWidth - 2) {
      out += line;
      out += '\n';
      line.clear();
    }
    line += ' ';
    line += number;
  }
  out += line;
  out += " /\n";
}

void append_comments(std::string& out, std::string_view comments) {
  while (!comments.empty()) {
    const std::size_t end = comments.find('\n');
    std::string_view line = comments.substr(0, end);
    out += "--";
    if (!line.empty()) out += ' ';
    for (const char c : line) {
      // A control character would end the comment early or garble it.
      out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
    }
    out += '\n';
    if (end == std::string_view::npos) break;
    comments.remove_prefix(end + 1);
  }
}

}  // namespace

std::vector<std::string> vfp_table_problems(const VfpProductionTable& table) {
  std::vector<std::string> problems;
  if (table.number < 1) problems.push_back("the table number is below 1");
  if (!std::isfinite(table.datum_depth))
    problems.push_back("the datum depth is not finite");
  check_axis(problems, "rate", table.rates);
  check_axis(problems, "THP", table.thp);
  check_axis(problems, "water fraction", table.water);
  check_axis(problems, "gas fraction", table.gas);
  check_axis(problems, "artificial lift", table.alq);
  // A count against a broken axis would say nothing new.
  if (!problems.empty()) return problems;
  if (table.bhp.size() != table.size()) {
    problems.push_back("the table holds " + std::to_string(table.bhp.size()) +
                       " bottom-hole pressures for " +
                       std::to_string(table.size()) + " points");
  } else {
    for (std::size_t i = 0; i < table.bhp.size(); ++i) {
      if (!std::isfinite(table.bhp[i])) {
        problems.push_back("bottom-hole pressure " + std::to_string(i + 1) +
                           " is not finite");
        break;
      }
    }
  }
  return problems;
}

std::string vfpprod_text(const VfpProductionTable& table,
                         std::string_view comments) {
  const auto problems = vfp_table_problems(table);
  if (!problems.empty())
    throw Error("cannot write lift table: " + problems.front());

  std::string out;
  append_comments(out, comments);
  out += "VFPPROD\n";
  out +=
      "-- table, datum depth, rate, water, gas, THP and ALQ types, units, "
      "quantity\n";
  out += ' ';
  append_number(out, static_cast<long long>(table.number));
  out += ' ';
  append_deck_number(out, table.datum_depth);
  out += " '";
  out += vfp_rate_word(table.rate_type);
  out += "' '";
  out += vfp_water_word(table.water_type);
  out += "' '";
  out += vfp_gas_word(table.gas_type);
  out += "' 'THP' ' ' '";
  out += units_word(table.units);
  out += "' 'BHP' /\n";

  const bool field = table.units == VfpUnits::kField;
  out += field ? "-- rates (STB/d, gas Mscf/d)\n" : "-- rates (sm3/d)\n";
  append_record(out, "", table.rates.data(), table.rates.size());
  out += field ? "-- THP (psia)\n" : "-- THP (barsa)\n";
  append_record(out, "", table.thp.data(), table.thp.size());
  out += "-- water fraction\n";
  append_record(out, "", table.water.data(), table.water.size());
  out += "-- gas fraction\n";
  append_record(out, "", table.gas.data(), table.gas.size());
  out += "-- artificial lift\n";
  append_record(out, "", table.alq.data(), table.alq.size());
  out += field ? "-- THP water gas ALQ indices, BHP (psia) at each rate\n"
               : "-- THP water gas ALQ indices, BHP (barsa) at each rate\n";

  for (std::size_t t = 0; t < table.thp.size(); ++t) {
    for (std::size_t w = 0; w < table.water.size(); ++w) {
      for (std::size_t g = 0; g < table.gas.size(); ++g) {
        for (std::size_t a = 0; a < table.alq.size(); ++a) {
          std::string head;
          for (const std::size_t index : {t, w, g, a}) {
            head += ' ';
            append_number(head, static_cast<long long>(index + 1));
          }
          append_record(out, head, &table.bhp[table.at(t, w, g, a, 0)],
                        table.rates.size());
        }
      }
    }
  }
  out += '\n';
  return out;
}

std::vector<std::string> vfp_table_problems(const VfpInjectionTable& table) {
  std::vector<std::string> problems;
  if (table.number < 1) problems.push_back("the table number is below 1");
  if (!std::isfinite(table.datum_depth))
    problems.push_back("the datum depth is not finite");
  check_axis(problems, "rate", table.rates);
  check_axis(problems, "THP", table.thp);
  if (!problems.empty()) return problems;
  if (table.bhp.size() != table.size()) {
    problems.push_back("the table holds " + std::to_string(table.bhp.size()) +
                       " bottom-hole pressures for " +
                       std::to_string(table.size()) + " points");
  } else if (const auto bad =
                 std::find_if_not(table.bhp.begin(), table.bhp.end(),
                                  [](double p) { return std::isfinite(p); });
             bad != table.bhp.end()) {
    problems.push_back("bottom-hole pressure " +
                       std::to_string(bad - table.bhp.begin() + 1) +
                       " is not finite");
  }
  return problems;
}

std::string vfpinj_text(const VfpInjectionTable& table,
                        std::string_view comments) {
  const auto problems = vfp_table_problems(table);
  if (!problems.empty())
    throw Error("cannot write lift table: " + problems.front());
  const bool field = table.units == VfpUnits::kField;
  std::string out;
  append_comments(out, comments);
  out += "VFPINJ\n";
  out += "-- table, datum depth, rate type, THP type, units, quantity\n";
  out += ' ';
  append_number(out, static_cast<long long>(table.number));
  out += ' ';
  append_deck_number(out, table.datum_depth);
  out += " '";
  out += vfp_rate_word(table.rate_type);
  out += "' 'THP' '";
  out += units_word(table.units);
  out += "' 'BHP' /\n";
  out += field ? "-- rates (STB/d, gas Mscf/d)\n" : "-- rates (sm3/d)\n";
  append_record(out, "", table.rates.data(), table.rates.size());
  out += field ? "-- THP (psia)\n" : "-- THP (barsa)\n";
  append_record(out, "", table.thp.data(), table.thp.size());
  out += field ? "-- THP index, BHP (psia) at each rate\n"
               : "-- THP index, BHP (barsa) at each rate\n";
  for (std::size_t t = 0; t < table.thp.size(); ++t) {
    std::string head = " ";
    append_number(head, static_cast<long long>(t + 1));
    append_record(out, head, &table.bhp[t * table.rates.size()],
                  table.rates.size());
  }
  out += '\n';
  return out;
}

}  // namespace pipecorr::hostkit
