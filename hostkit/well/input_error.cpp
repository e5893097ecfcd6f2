#include "well/input_error.hpp"

namespace pipecorr::well {

WellInputError::WellInputError(const std::string& what)
    : std::invalid_argument(what) {}

WellInputError::WellInputError(const std::string& what, std::size_t row)
    : std::invalid_argument(what), row_(row) {}

SurveyError::SurveyError(const std::string& what, std::size_t station)
    : WellInputError(what, station) {}

}  // namespace pipecorr::well
