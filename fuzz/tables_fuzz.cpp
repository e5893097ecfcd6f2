// The CSV reader and the tables read from it: the survey, pipe and
// temperature tables of a field case (in either unit system), the profile
// of a pipeline case and the input of `batch`.
//
// Input: one byte that picks the table, then the CSV text. The byte's low
// three bits pick: 0 survey, 2 pipe, 4 temperature (each in field units;
// 1, 3, 5 the same in SI), 6 profile, 7 batch input; so a seed starts
// with a digit, "0md,inclination". (One table per input keeps each run to
// a refusal or two, which cost far more than reads.)
//
// Every input also walks the CSV reader over the text. Besides never
// failing other than with a message, the reader gives back what
// append_cell wrote: every record is written again cell by cell and must
// read back unchanged. A table that reads has a line for every row and
// finite values.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "cases/batch_table.hpp"
#include "cases/traverse_case.hpp"
#include "cases/well_tables.hpp"
#include "support/framed_files.hpp"
#include "support/report_checks.hpp"
#include "text/csv.hpp"
#include "text/error.hpp"

namespace {

using namespace pipecorr;
using hostkit::Error;

constexpr std::string_view kWhat = "CSV reader";

// Writes the record again and reads it back. A record of one empty cell
// has no text of its own (it would be a blank line), so it is left out.
void round_trip(std::span<const std::string_view> cells) {
  if (cells.size() == 1 && cells[0].empty()) return;
  std::string written;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    if (k > 0) written += ',';
    hostkit::append_cell(written, cells[k]);
  }
  written += '\n';
  hostkit::CsvReader again(written);
  fuzz::require(again.next() && again.problem().empty(), kWhat,
                "a written record reads");
  fuzz::require(again.cell_count() == cells.size(), kWhat,
                "a written record keeps its cells");
  for (std::size_t k = 0; k < cells.size(); ++k) {
    fuzz::require(again.cells()[k] == cells[k], kWhat,
                  "a written cell reads back unchanged");
  }
  fuzz::require(!again.next(), kWhat, "a written record is one record");
}

void walk_records(std::string_view text) {
  hostkit::CsvReader reader(text);
  std::size_t line = 0;
  while (reader.next()) {
    fuzz::require(reader.line_number() > line, kWhat,
                  "records on increasing lines");
    line = reader.line_number();
    fuzz::require(reader.position() <= text.size(), kWhat,
                  "a position within the text");
    if (!reader.problem().empty()) continue;
    fuzz::require(reader.cell_count() == reader.cells().size(), kWhat,
                  "every cell of a good record kept");
    round_trip(reader.cells());
  }
}

template <typename Read>
void read_table(Read read) {
  try {
    read();
  } catch (const Error&) {
    // refused with a message: what a bad table must get
  }
}

void require_finite(std::initializer_list<double> values,
                    std::string_view table) {
  for (const double value : values) {
    fuzz::require(std::isfinite(value), table, "finite values");
  }
}

void require_lines(std::size_t rows, std::size_t lines,
                   std::string_view table) {
  fuzz::require(rows > 0, table, "at least one row");
  fuzz::require(rows == lines, table, "a line for every row");
}

// Every input has a default, so any header that names known columns
// reads and every row is parsed.
hostkit::InputDefaults all_defaults() {
  hostkit::InputDefaults defaults;
  for (auto& value : defaults) value = 1.0;
  return defaults;
}

void read_batch(std::string_view text) {
  static const hostkit::InputDefaults kAll = all_defaults();
  hostkit::CsvReader reader(text);
  if (!reader.next() || !reader.problem().empty()) return;
  const std::vector<std::string_view> header(reader.cells().begin(),
                                             reader.cells().end());
  read_table([&] { (void)hostkit::parse_batch_header(header, {}); });
  hostkit::BatchLayout layout;
  try {
    layout = hostkit::parse_batch_header(header, kAll);
  } catch (const Error&) {
    return;
  }
  (void)hostkit::batch_output_header(header, layout);
  hostkit::BatchRow row;
  std::string problem;
  while (reader.next()) {
    if (!reader.problem().empty()) continue;
    if (!hostkit::parse_batch_row(layout, reader.cells(), reader.cell_count(),
                                  kAll, row, problem)) {
      fuzz::require(!problem.empty(), "batch input",
                    "a malformed row says why");
      continue;
    }
    for (const double value : row.inputs.values()) {
      fuzz::require(std::isfinite(value), "batch input", "finite inputs");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size == 0) return 0;
  const unsigned kind = data[0] & 0x07U;
  const auto units =
      (kind & 1U) != 0 ? hostkit::UnitSystem::kSi : hostkit::UnitSystem::kField;
  const std::string_view text = fuzz::as_text(data + 1, size - 1);
  walk_records(text);
  switch (kind) {
    case 0:
    case 1:
      read_table([&] {
        const auto table = hostkit::parse_survey_table(text, "s.csv", units);
        require_lines(table.stations.size(), table.lines.size(), "survey");
        for (const auto& s : table.stations) {
          require_finite({s.md, s.inclination, s.azimuth.value_or(0.0),
                          s.tvd.value_or(0.0)},
                         "survey");
        }
      });
      break;
    case 2:
    case 3:
      read_table([&] {
        const auto table = hostkit::parse_pipe_table(text, "p.csv", units);
        require_lines(table.sections.size(), table.lines.size(), "pipe table");
        for (const auto& s : table.sections) {
          require_finite({s.top_md, s.bottom_md, s.diameter, s.roughness},
                         "pipe table");
        }
      });
      break;
    case 4:
    case 5:
      read_table([&] {
        const auto table =
            hostkit::parse_temperature_table(text, "t.csv", units);
        require_lines(table.points.size(), table.lines.size(),
                      "temperature table");
        for (const auto& p : table.points) {
          require_finite({p.md, p.temperature}, "temperature table");
        }
      });
      break;
    case 6:
      read_table([&] {
        for (const auto& s : hostkit::parse_profile(text, "profile.csv")) {
          require_finite({s.length, s.inclination, s.diameter, s.roughness},
                         "profile");
        }
      });
      break;
    default:
      read_batch(text);
  }
  return 0;
}
