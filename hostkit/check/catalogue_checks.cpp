// The catalogue (DESCRIPTN_2) and identification (COPYRIGHT_I/E) checks,
// on buffers filled with canary bytes so that what the plug-in wrote, and
// where it stopped, shows.
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "check/catalogue_rows.hpp"
#include "check/child_job.hpp"
#include "pipecorr/pipecorr.h"
#include "plugin/function_cast.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

// Rows and lines a host provides room for; a count beyond is out of range.
constexpr std::size_t kRowCapacity = 64;
constexpr std::size_t kLineCapacity = 64;
constexpr char kCanary = static_cast<char>(0xA5);
constexpr std::int32_t kSentinel = static_cast<std::int32_t>(0xA5A5A5A5U);

bool all_canary(const char* bytes, std::size_t count) {
  return std::all_of(bytes, bytes + count, [](char c) { return c == kCanary; });
}

// "" when a fixed text is fully written, printable and blank-padded;
// otherwise what is wrong with it. Identification lines may hold tabs (the
// interface's own lines do).
std::string fixed_text_problem(const char* field, std::size_t length,
                               bool tabs = false) {
  for (std::size_t k = 0; k < length; ++k) {
    const char c = field[k];
    if ((c >= ' ' && c <= '~') || (tabs && c == '\t')) continue;
    if (c == kCanary) {
      return "characters " + std::to_string(k + 1) + " to " +
             std::to_string(length) + " not written";
    }
    if (c == '\0') {
      return "a terminator (NUL) at character " + std::to_string(k + 1);
    }
    return "a control or non-ASCII byte at character " + std::to_string(k + 1);
  }
  return {};
}

std::string in_quotes(std::string_view text) {
  return "'" + for_terminal(text) + "'";
}

CounterExample row_example(std::size_t row, const std::string& name,
                           std::string got, std::string expected) {
  CounterExample example;
  example.correlation = name;
  example.point = "catalogue row " + std::to_string(row + 1);
  example.got = std::move(got);
  example.expected = std::move(expected);
  return example;
}

struct RawCatalogue {
  std::vector<char> names =
      std::vector<char>((kRowCapacity + 1) * PIPECORR_NAME_LEN, kCanary);
  std::vector<char> descriptions =
      std::vector<char>((kRowCapacity + 1) * PIPECORR_DESC_LEN, kCanary);
  std::vector<std::int32_t> types =
      std::vector<std::int32_t>(kRowCapacity + 1, kSentinel);
  std::vector<std::int32_t> link_info =
      std::vector<std::int32_t>(kRowCapacity + 1, kSentinel);
  std::int32_t lines = kSentinel;
};

RawCatalogue read_catalogue(const PluginLibrary& library) {
  RawCatalogue raw;
  function_cast<pipecorr_descriptn_fn>(library.symbol("DESCRIPTN_2"))(
      raw.names.data(), PIPECORR_NAME_LEN, raw.types.data(),
      raw.descriptions.data(), PIPECORR_DESC_LEN, raw.link_info.data(),
      &raw.lines);
  return raw;
}

std::string row_name(const RawCatalogue& raw, std::size_t row) {
  std::string name(raw.names.data() + row * PIPECORR_NAME_LEN,
                   PIPECORR_NAME_LEN);
  const auto end = name.find_last_not_of(' ');
  name.resize(end == std::string::npos ? 0 : end + 1);
  return name;
}

// The lowercase form, for names a host might match ignoring case.
std::string folded(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string name_problem(const PluginLibrary& library, const RawCatalogue& raw,
                         std::size_t row) {
  const char* field = raw.names.data() + row * PIPECORR_NAME_LEN;
  if (auto problem = fixed_text_problem(field, PIPECORR_NAME_LEN);
      !problem.empty()) {
    return "the 40-character name field has " + problem;
  }
  const std::string name = row_name(raw, row);
  if (name.empty()) return "an empty name";
  if (name.find(' ') != std::string::npos) return "a blank inside the name";
  for (std::size_t earlier = 0; earlier < row; ++earlier) {
    if (folded(row_name(raw, earlier)) == folded(name)) {
      return "the name of row " + std::to_string(earlier + 1) + " " +
             in_quotes(row_name(raw, earlier)) +
             " again (names compared "
             "ignoring case, as some hosts match them)";
    }
  }
  if (is_interface_routine(name)) {
    return "the name of one of the interface's own routines";
  }
  if (library.symbol(name.c_str()) == nullptr) {
    return in_quotes(name) +
           " is not exported by the plug-in's own image (absent, or found "
           "only in a library the plug-in depends on)";
  }
  return {};
}

void check_rows(const PluginLibrary& library, const RawCatalogue& raw,
                std::size_t rows, RecordSink& sink) {
  Tally names;
  Tally types;
  Tally links;
  Tally descriptions;
  for (std::size_t row = 0; row < rows; ++row) {
    const std::string name = row_name(raw, row);
    if (auto problem = name_problem(library, raw, row); problem.empty()) {
      names.pass();
    } else {
      names.fail(row_example(row, name, problem,
                             "a printable, blank-padded name, unique, that "
                             "the plug-in itself exports"));
    }
    if (raw.types[row] == 1) {
      types.pass();
    } else {
      types.fail(row_example(row, name,
                             "type " + std::to_string(raw.types[row]),
                             "type 1: a correlation entry"));
    }
    const std::int32_t link = raw.link_info[row];
    if (link == PIPECORR_LINK_SINGLE || link == PIPECORR_LINK_DOUBLE) {
      links.pass();
    } else {
      links.fail(row_example(row, name, "link info " + std::to_string(link),
                             "link info 2 (single precision) or 3 (double "
                             "precision)"));
    }
    const char* text = raw.descriptions.data() + row * PIPECORR_DESC_LEN;
    if (auto problem = fixed_text_problem(text, PIPECORR_DESC_LEN);
        problem.empty()) {
      descriptions.pass();
    } else {
      descriptions.fail(row_example(row, name, "the description has " + problem,
                                    "80 printable characters, blank-padded"));
    }
  }
  const std::string count = std::to_string(rows) + " rows";
  record_check(sink, names.outcome("", "catalogue-names",
                                   count + ": printable, unique, exported by "
                                           "the plug-in itself",
                                   "rows"));
  record_check(
      sink, types.outcome("", "catalogue-types", count + ": type 1", "rows"));
  record_check(sink, links.outcome("", "catalogue-link-info",
                                   count + ": link info 2 or 3", "rows"));
  record_check(sink, descriptions.outcome(
                         "", "catalogue-descriptions",
                         count + ": 80 printable characters each", "rows"));
}

// Rows at or past `rows` must keep the canaries in all four arrays.
std::string written_past(const RawCatalogue& raw, std::size_t rows) {
  const std::size_t tail = kRowCapacity + 1 - rows;
  if (!all_canary(raw.names.data() + rows * PIPECORR_NAME_LEN,
                  tail * PIPECORR_NAME_LEN)) {
    return "names";
  }
  if (!all_canary(raw.descriptions.data() + rows * PIPECORR_DESC_LEN,
                  tail * PIPECORR_DESC_LEN)) {
    return "descriptions";
  }
  for (std::size_t k = rows; k <= kRowCapacity; ++k) {
    if (raw.types[k] != kSentinel) return "types";
    if (raw.link_info[k] != kSentinel) return "link info";
  }
  return {};
}

void check_identification(const PluginLibrary& library, RecordSink& sink) {
  Tally lines;
  std::string seen;
  for (const char* name : {"COPYRIGHT_I", "COPYRIGHT_E"}) {
    void* address = library.symbol(name);
    if (address == nullptr) continue;
    record_step(sink, name);
    std::vector<char> text((kLineCapacity + 1) * PIPECORR_LINE_LEN, kCanary);
    std::int32_t count = kSentinel;
    function_cast<pipecorr_copyright_fn>(address)(text.data(),
                                                  PIPECORR_LINE_LEN, &count);
    CounterExample example;
    example.point = name;
    example.expected =
        "a count of at most 64 lines, each 80 printable characters, "
        "blank-padded, and nothing written past them";
    if (count < 0 || static_cast<std::size_t>(count) > kLineCapacity) {
      example.got = "a count of " + std::to_string(count) + " lines";
      lines.fail(example);
      continue;
    }
    const auto counted = static_cast<std::size_t>(count);
    std::string problem;
    for (std::size_t line = 0; line < counted && problem.empty(); ++line) {
      problem = fixed_text_problem(text.data() + line * PIPECORR_LINE_LEN,
                                   PIPECORR_LINE_LEN, true);
      if (!problem.empty()) {
        problem = "line " + std::to_string(line + 1) + " has " + problem;
      }
    }
    if (problem.empty() &&
        !all_canary(text.data() + counted * PIPECORR_LINE_LEN,
                    (kLineCapacity + 1 - counted) * PIPECORR_LINE_LEN)) {
      problem =
          "text written past the " + std::to_string(counted) + " counted lines";
    }
    if (!problem.empty()) {
      example.got = problem;
      lines.fail(example);
      continue;
    }
    lines.pass();
    if (!seen.empty()) seen += ", ";
    seen += std::string(name) + " " + std::to_string(counted) + " lines";
  }
  if (lines.cases() == 0) {
    record_check(sink, not_applicable("", "identification",
                                      "neither COPYRIGHT_I nor COPYRIGHT_E "
                                      "is exported (both are optional)"));
    return;
  }
  record_check(
      sink, lines.outcome("", "identification",
                          seen + " of 80 printable characters (tabs allowed)",
                          "blocks"));
}

}  // namespace

void run_catalogue_job(const ChildJob& job, RecordSink& sink) {
  record_step(sink, "loading the plug-in");
  std::unique_ptr<PluginLibrary> library;
  try {
    library = std::make_unique<PluginLibrary>(job.library);
  } catch (const std::exception& error) {
    CounterExample example;
    example.point = "loading";
    example.got = error.what();
    example.expected =
        "a library that loads and exports DESCRIPTN_2, CORR_INT_SETUP and "
        "CORR_INT_CLEANUP";
    Tally loads;
    loads.fail(example);
    record_check(sink, loads.outcome("", "loads", "", "loads"));
    return;
  }
  Tally loads;
  loads.pass();
  record_check(sink, loads.outcome("", "loads",
                                   "loads; exports DESCRIPTN_2, "
                                   "CORR_INT_SETUP and CORR_INT_CLEANUP",
                                   "loads"));

  record_step(sink, "DESCRIPTN_2");
  const RawCatalogue raw = read_catalogue(*library);
  Tally count;
  CounterExample example;
  example.point = "DESCRIPTN_2";
  example.expected =
      "a row count from 1 to 64 and nothing written past the "
      "counted rows";
  std::size_t rows = 0;
  if (raw.lines < 1 || static_cast<std::size_t>(raw.lines) > kRowCapacity) {
    example.got = raw.lines == kSentinel
                      ? std::string("the row count not written")
                      : "a row count of " + std::to_string(raw.lines);
    count.fail(example);
  } else {
    rows = static_cast<std::size_t>(raw.lines);
    if (const auto where = written_past(raw, rows); !where.empty()) {
      example.got =
          where + " written past the " + std::to_string(rows) + " counted rows";
      count.fail(example);
    } else {
      count.pass();
    }
  }
  record_check(sink, count.outcome("", "catalogue-count",
                                   std::to_string(rows) +
                                       " rows, nothing written past them",
                                   "catalogues"));
  if (rows > 0) check_rows(*library, raw, rows, sink);
  check_identification(*library, sink);
  record_step(sink, "DESCRIPTN_2 for the callable rows");
  for (const auto& row : callable_rows(*library)) record_row(sink, row);
}

}  // namespace pipecorr::hostkit
