// The one exception the well library throws: input that cannot describe a
// well (a survey, pipe, temperature or inflow table, or march options).
// Problems found while marching are not exceptions; they end the march with
// a stated reason.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace pipecorr::well {

class WellInputError : public std::invalid_argument {
 public:
  explicit WellInputError(const std::string& what);
  // `row` is the 0-based index of the offending entry of the table given
  // (survey station, pipe section, temperature point, lift-curve point);
  // the message names it 1-based, as a person counts rows.
  WellInputError(const std::string& what, std::size_t row);

  // The 0-based index of the offending entry, if the error is about one.
  [[nodiscard]] std::optional<std::size_t> row() const noexcept { return row_; }

 private:
  std::optional<std::size_t> row_;
};

// A survey that cannot be turned into a well path, with the station at
// fault.
class SurveyError : public WellInputError {
 public:
  SurveyError(const std::string& what, std::size_t station);

  // The 0-based index of the station at fault.
  [[nodiscard]] std::size_t station() const noexcept { return *row(); }
};

}  // namespace pipecorr::well
