#include "support/report_checks.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "text/csv.hpp"

namespace pipecorr::fuzz {
namespace {

bool finite_number(std::string_view cell) {
  double value = 0.0;
  const auto [end, ec] =
      std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (end != cell.data() + cell.size()) return false;
  // A subnormal written exactly may be beyond what from_chars returns; the
  // text is still a finite number.
  if (ec == std::errc::result_out_of_range) return true;
  return ec == std::errc{} && std::isfinite(value);
}

bool is_letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "nan" or "inf" as a word of its own, as a number formatter writes them
// ("-nan", "inf 0"), not inside a name ("inflow").
bool has_not_finite_word(std::string_view value) {
  for (const std::string_view word : {"nan", "inf", "NaN", "INF", "NAN"}) {
    for (auto at = value.find(word); at != std::string_view::npos;
         at = value.find(word, at + 1)) {
      const std::size_t end = at + word.size();
      if ((at == 0 || !is_letter(value[at - 1])) &&
          (end == value.size() || !is_letter(value[end]))) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

void broken(std::string_view report, std::string_view promise) {
  std::fprintf(stderr, "broken promise of the %.*s: %.*s\n",
               static_cast<int>(report.size()), report.data(),
               static_cast<int>(promise.size()), promise.data());
  std::abort();
}

void require_numeric_csv(std::string_view csv, std::string_view report,
                         std::initializer_list<std::string_view> text_columns) {
  hostkit::CsvReader reader(csv);
  require(reader.next() && reader.problem().empty(), report,
          "a header line that reads");
  const std::vector<std::string_view> header(reader.cells().begin(),
                                             reader.cells().end());
  std::vector<bool> text(header.size(), false);
  for (std::size_t k = 0; k < header.size(); ++k) {
    text[k] = std::find(text_columns.begin(), text_columns.end(), header[k]) !=
              text_columns.end();
  }
  while (reader.next()) {
    require(reader.problem().empty(), report, "every record reads");
    require(reader.cell_count() == header.size(), report,
            "every record has the header's cells");
    const auto cells = reader.cells();
    for (std::size_t k = 0; k < cells.size(); ++k) {
      if (text[k] || cells[k].empty()) continue;
      if (!finite_number(cells[k])) {
        std::fprintf(stderr, "column %.*s, line %zu: '%.*s'\n",
                     static_cast<int>(header[k].size()), header[k].data(),
                     reader.line_number(), static_cast<int>(cells[k].size()),
                     cells[k].data());
        broken(report, "a numeric cell holds a finite number or nothing");
      }
    }
  }
}

void require_finite_svg(std::string_view svg, std::string_view report) {
  require(svg.starts_with("<svg") || svg.starts_with("<?xml"), report,
          "an SVG document");
  require(svg.find("</svg>") != std::string_view::npos, report,
          "a closed SVG document");
  // Attribute values are the writer's own (coordinates, sizes, colours,
  // ids); texts from outside go only into element content.
  for (std::size_t at = svg.find("=\""); at != std::string_view::npos;
       at = svg.find("=\"", at)) {
    at += 2;
    const auto end = svg.find('"', at);
    require(end != std::string_view::npos, report, "closed attribute values");
    if (has_not_finite_word(svg.substr(at, end - at))) {
      std::fprintf(stderr, "attribute value '%.*s'\n",
                   static_cast<int>(end - at), svg.data() + at);
      broken(report, "finite coordinates");
    }
    at = end + 1;
  }
}

}  // namespace pipecorr::fuzz
