// Promises the reports keep whatever their input, checked on every fuzz
// input. A broken one aborts, so libFuzzer keeps the input that broke it.
#pragma once

#include <initializer_list>
#include <string_view>

namespace pipecorr::fuzz {

// Prints the promise and the report it concerns, then aborts.
[[noreturn]] void broken(std::string_view report, std::string_view promise);

inline void require(bool kept, std::string_view report,
                    std::string_view promise) {
  if (!kept) broken(report, promise);
}

// Every record has the header's number of cells, none is malformed, and
// every cell outside the named text columns is empty or a finite number:
// a value that is not finite is written as an empty cell, never "nan".
void require_numeric_csv(std::string_view csv, std::string_view report,
                         std::initializer_list<std::string_view> text_columns);

// The picture is one SVG document and no attribute value (coordinates,
// sizes) reads "nan" or "inf": every coordinate is finite.
void require_finite_svg(std::string_view svg, std::string_view report);

}  // namespace pipecorr::fuzz
