#include "jobs/batch.hpp"

#include <array>
#include <charconv>
#include <vector>

#include "cases/table_input.hpp"
#include "files/input_file.hpp"
#include "files/output_set.hpp"
#include "numbers/number_text.hpp"
#include "plugin/pattern_names.hpp"
#include "text/csv.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr std::size_t kFlushSize = std::size_t{1} << 20;
// ierr of a row the host could not hand to any correlation.
constexpr long long kNotComputed = -1;

void append_result_number(std::string& out, double value, bool single) {
  if (single) {
    // The single-precision list's result, shown as the float it is rather
    // than the long tail of its widened double.
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, static_cast<float>(value));
    out.append(text, end.ptr);
  } else {
    append_number(out, value);
  }
}

// The record's cells as read (padded to the header's count), then the
// inputs the options gave, then the correlation when it has no column.
void append_row_start(std::string& out, const BatchLayout& layout,
                      std::span<const std::string_view> cells,
                      const BatchOptions& options,
                      std::string_view correlation) {
  for (std::size_t cell = 0; cell < layout.count; ++cell) {
    if (cell > 0) out.push_back(',');
    if (cell < cells.size()) append_cell(out, cells[cell]);
  }
  for (std::size_t k = 0; k < kInputCount; ++k) {
    if (layout.input[k] != BatchLayout::kAbsent) continue;
    out.push_back(',');
    append_number(out, *options.defaults[k]);
  }
  if (layout.correlation == BatchLayout::kAbsent) {
    out.push_back(',');
    append_cell(out, correlation);
  }
}

}  // namespace

BatchSummary run_batch(const CorrelationSet& correlations,
                       const BatchOptions& options) {
  const Correlation& fallback = correlations.choose(options.correlation);
  const std::string input_name = is_standard_stream(options.input)
                                     ? "standard input"
                                     : options.input.string();
  // Opened first: an output that cannot be written, or that is the input,
  // stops the run before the input is read.
  const std::array<OutputRequest, 1> requests{
      {{options.output, "output table"}}};
  std::vector<InputRequest> inputs{{options.input, "input table"}};
  for (const auto& library : correlations.library_paths()) {
    inputs.push_back({library, "plug-in library"});
  }
  OutputSet outputs(requests, inputs);
  OutputFile& output = outputs[0];
  const std::string text =
      read_table_text(options.input, "input table", options.max_stream_bytes);

  CsvReader reader(text);
  if (!reader.next()) {
    throw Error("input table '" + input_name + "' has no header line");
  }
  if (!reader.problem().empty()) {
    throw Error(input_name + ":" + reader.place() + ": " +
                std::string(reader.problem()));
  }
  BatchLayout layout;
  try {
    layout = parse_batch_header(reader.cells(), options.defaults);
  } catch (const Error& error) {
    throw Error(input_name + ":" + reader.place() + ": " + error.what());
  }
  if (options.warning) {
    for (const auto& unused :
         unused_defaults(reader.cells(), layout, options.defaults)) {
      options.warning(unused);
    }
  }

  std::string out = batch_output_header(reader.cells(), layout);
  out.reserve(kFlushSize + 4096);

  BatchSummary summary;
  BatchRow row;
  FlowResult result;
  std::string problem;
  std::string why;
  std::string message;
  const auto malformed = [&](std::string_view correlation) {
    ++summary.malformed;
    const std::string place = reader.place();
    message.assign(reader.last_line() > reader.line_number() ? "lines "
                                                             : "line ");
    message.append(place);
    message.append(": ");
    message.append(problem);
    if (options.malformed_row) options.malformed_row(place, problem);
    append_row_start(out, layout, reader.cells(), options, correlation);
    out.append(",,,,");
    out.push_back(',');
    append_number(out, kNotComputed);
    out.push_back(',');
    append_cell(out, message);
    out.push_back('\n');
  };

  while (reader.next()) {
    ++summary.rows;
    if (!reader.problem().empty()) {
      problem.assign(reader.problem());
      malformed({});
    } else if (!parse_batch_row(layout, reader.cells(), reader.cell_count(),
                                options.defaults, row, problem)) {
      malformed({});
    } else {
      const Correlation* correlation = &fallback;
      if (!row.correlation.empty() &&
          (correlation = correlations.find(row.correlation, &why)) == nullptr) {
        if (why.empty()) {
          problem.assign("unknown correlation '");
          problem.append(row.correlation);
          problem.append("'");
        } else {
          problem.assign(why);
        }
        malformed(row.correlation);
      } else {
        correlation->call(row.inputs, result);
        if (result.ierr == 0) {
          ++summary.computed;
        } else {
          ++summary.failed;
        }
        append_row_start(out, layout, reader.cells(), options,
                         correlation->name());
        const bool single = correlation->single_precision();
        out.push_back(',');
        append_result_number(out, result.dp, single);
        out.push_back(',');
        append_result_number(out, result.holdup, single);
        out.push_back(',');
        append_number(out, static_cast<long long>(result.id));
        out.push_back(',');
        out += pattern_name(result.id);
        out.push_back(',');
        append_number(out, static_cast<long long>(result.ierr));
        out.push_back(',');
        append_cell(out, result.message());
        out.push_back('\n');
      }
    }
    if (out.size() >= kFlushSize) {
      output.write(out);
      out.clear();
      if (options.progress) {
        options.progress(reader.position(), text.size(), summary.rows);
      }
    }
  }
  output.write(out);
  output.commit();
  return summary;
}

std::string batch_summary_line(const BatchSummary& s) {
  return std::to_string(s.rows) + " rows: " + std::to_string(s.computed) +
         " computed, " + std::to_string(s.failed) +
         " failed in the correlation, " + std::to_string(s.malformed) +
         " malformed";
}

}  // namespace pipecorr::hostkit
