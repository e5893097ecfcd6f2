// Numbers in error messages and stop reasons: short, and exact enough to
// find the row a person typed.
#pragma once

#include <string>

namespace pipecorr::well {

// Up to 10 significant digits, no trailing zeros ("1234.5", "1e-05",
// "nan", "inf").
[[nodiscard]] std::string number_text(double value);

}  // namespace pipecorr::well
