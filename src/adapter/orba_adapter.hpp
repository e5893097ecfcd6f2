// The ORBA_3 adapter with its engine seam: it screens the host's flow
// conditions into the engine's ranges, calls the engine once with its fixed
// settings and maps the engine's output vector onto the host's results. For
// the adapter's own sources and tests; the export layer calls the entry in
// Orba_3.hpp, which has the engine bound.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "adapter/engine_call.hpp"
#include "adapter/pattern_code.hpp"
#include "adapter/screening.hpp"
#include "entry/results.hpp"

namespace pipecorr::orba {

// Follows the failure head, as every correlation's reason does.
inline constexpr std::string_view kInvalidInputReason = "invalid input";
inline constexpr std::int32_t kInvalidInputError = PIPECORR_NO_FLOW_REGIME;

// First element of xinfo when the host does not ask for the output vector:
// 2.1 as a single, widened.
inline constexpr double kXinfoMarker = static_cast<double>(2.1f);
static_assert(kXinfoMarker == PIPECORR_XINFO_ORBA);
static_assert(kVecoutLength == PIPECORR_ENGINE_VECTOR_LEN);

using entry::Results;
static_assert(Results{}.id == kNoPatternCode);

// Whether xinfo(1) asks for all 70 engine outputs.
bool requests_vecout(double xinfo1) noexcept;

// The adapter with its working storage. The engine's output vector lives
// from one call to the next and is never cleared: elements the engine
// leaves unwritten keep their previous values.
class Adapter {
 public:
  // Writes xinfo (70 elements on request, else the marker in the first)
  // and returns the host's results. The engine is called at most once; when
  // it is not called, a request gets 70 zeros, never an earlier point's
  // vector. Whatever the engine throws passes through to the export's
  // boundary.
  Results call(Engine engine, double* xinfo, const HostInputs& in);

  [[nodiscard]] const std::array<double, kVecoutLength>& vecout()
      const noexcept {
    return vecout_;
  }

 private:
  std::array<double, kVecoutLength> vecout_{};
};

// The exported entry's body on the process-wide adapter and the given
// engine: host pointers in, host pointers out, exactly 150 characters of
// errmsg.
void orba_3(Engine engine, double* xinfo, const double* usl, const double* usg,
            const double* rol, const double* rog, const double* visl,
            const double* visg, const double* eps, const double* sigma,
            const double* diam, const double* fi, const double* p, double* dp,
            double* holdup, std::int32_t* id, std::int32_t* iaux,
            std::int32_t* ierr, char* errmsg);

}  // namespace pipecorr::orba
