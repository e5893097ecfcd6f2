#include "jobs/batch.hpp"

#include <charconv>
#include <cstdio>

#include "jobs/batch_table.hpp"
#include "text/error.hpp"
#include "text/csv.hpp"
#include "text/number_text.hpp"
#include "files/output_file.hpp"
#include "plugin/pattern_names.hpp"

namespace pipecorr::hostkit {
namespace {

// Malformed rows beyond this many are counted, not listed, so a wholly
// wrong file does not bury the summary.
constexpr std::size_t kListedProblems = 20;
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

void append_inputs(std::string& out, const BatchColumns& columns,
                   const BatchRow& row) {
  for (std::size_t input = 0; input < kInputCount; ++input) {
    const auto cell = columns.input[input];
    if (cell < row.cell_count && cell < row.cells.size()) {
      append_cell(out, row.cells[cell]);
    }
    out.push_back(',');
  }
}

void append_error_row(std::string& out, const BatchColumns& columns,
                      const BatchRow& row, std::string_view correlation,
                      std::string_view message) {
  append_inputs(out, columns, row);
  append_cell(out, correlation);
  out.append(",,,,,");
  append_number(out, kNotComputed);
  out.push_back(',');
  append_cell(out, message);
  out.push_back('\n');
}

}  // namespace

BatchSummary run_batch(const CorrelationSet& correlations,
                       const BatchOptions& options) {
  const std::string text = read_text_file(options.input, "input table");
  const std::string input_name = options.input.string();
  const Correlation& fallback = options.correlation.empty()
                                    ? correlations.first_callable()
                                    : correlations.get(options.correlation);

  LineCursor cursor(text);
  std::string_view line;
  std::size_t line_number = 0;
  if (!cursor.next(line, line_number)) {
    throw Error("input table '" + input_name + "' has no header line");
  }
  BatchColumns columns;
  try {
    columns = parse_batch_header(line);
  } catch (const Error& error) {
    throw Error(input_name + ":" + std::to_string(line_number) + ": " +
                   error.what());
  }

  OutputFile output(options.output);
  std::string out;
  out.reserve(kFlushSize + 4096);
  for (const auto name : kInputNames) {
    out.append(name);
    out.push_back(',');
  }
  out.append("correlation,dp,holdup,id,pattern,ierr,errmsg\n");

  BatchSummary summary;
  BatchRow row;
  FlowResult result;
  std::string problem;
  std::string message;
  const auto report = [&](std::string_view what) {
    ++summary.malformed;
    if (summary.malformed <= kListedProblems) {
      std::fprintf(stderr, "%s:%zu: %.*s\n", input_name.c_str(), line_number,
                   static_cast<int>(what.size()), what.data());
    }
  };

  while (cursor.next(line, line_number)) {
    ++summary.rows;
    if (!parse_batch_row(columns, line, row, problem)) {
      message.assign("line ");
      append_number(message, static_cast<long long>(line_number));
      message.append(": ");
      message.append(problem);
      report(problem);
      append_error_row(out, columns, row, {}, message);
    } else {
      const Correlation* correlation = &fallback;
      std::string_view why;
      if (!row.correlation.empty() &&
          (correlation = correlations.find(row.correlation, &why)) == nullptr) {
        message.assign("line ");
        append_number(message, static_cast<long long>(line_number));
        message.append(": ");
        if (why.empty()) {
          message.append("unknown correlation '");
          message.append(row.correlation);
          message.append("'");
        } else {
          message.append(why);
        }
        report(std::string_view(message).substr(message.find(": ") + 2));
        append_error_row(out, columns, row, row.correlation, message);
      } else {
        correlation->call(row.inputs, result);
        const bool single = correlation->entry().link_info == 2;
        if (result.ierr != 0) ++summary.correlation_errors;
        append_inputs(out, columns, row);
        out.append(correlation->name());
        out.push_back(',');
        append_result_number(out, result.dp, single);
        out.push_back(',');
        append_result_number(out, result.holdup, single);
        out.push_back(',');
        append_number(out, static_cast<long long>(result.id));
        out.push_back(',');
        out.append(pattern_name(result.id));
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
        options.progress(cursor.position(), text.size(), summary.rows);
      }
    }
  }
  output.write(out);
  output.commit();
  if (summary.malformed > kListedProblems) {
    std::fprintf(stderr, "%s: %zu more malformed rows not listed\n",
                 input_name.c_str(), summary.malformed - kListedProblems);
  }
  return summary;
}

}  // namespace pipecorr::hostkit
