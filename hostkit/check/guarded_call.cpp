#include "check/guarded_call.hpp"

#include <chrono>
#include <cstring>
#include <exception>

#if defined(__GLIBCXX__)
#include <cxxabi.h>
#endif

#include "numbers/number_text.hpp"
#include "plugin/function_cast.hpp"

namespace pipecorr::hostkit {
namespace {

// Not printable and not a plausible float or integer: a byte still holding
// it was not written.
constexpr unsigned char kCanary = 0xA5;
constexpr std::size_t kGuard = 16;
constexpr std::size_t kXinfoLength = PIPECORR_ENGINE_VECTOR_LEN;

template <typename T>
struct Guarded {
  unsigned char before[kGuard];
  T value;
  unsigned char after[kGuard];
};

template <typename Real>
struct Arena {
  Guarded<Real[kXinfoLength]> xinfo;
  Guarded<Real> dp;
  Guarded<Real> holdup;
  Guarded<std::int32_t> id;
  Guarded<std::int32_t> iaux;
  Guarded<std::int32_t> ierr;
  Guarded<char[kMessageLength]> errmsg;
};

bool untouched(const unsigned char* bytes, std::size_t count) {
  for (std::size_t k = 0; k < count; ++k) {
    if (bytes[k] != kCanary) return false;
  }
  return true;
}

template <typename T>
std::string stray_around(const Guarded<T>& slot, const char* name) {
  if (!untouched(slot.before, kGuard)) {
    return std::string("the bytes before ") + name;
  }
  if (!untouched(slot.after, kGuard)) {
    for (std::size_t k = 0; k < kGuard; ++k) {
      if (slot.after[k] != kCanary) {
        return std::string("byte ") + std::to_string(k) + " past " + name;
      }
    }
  }
  return {};
}

template <typename Real>
std::string find_stray_write(const Arena<Real>& arena, bool request,
                             const std::array<Real, kInputCount>& inputs,
                             const std::array<Real, kInputCount>& kept) {
  const std::size_t documented = request ? kXinfoLength : 1;
  for (std::size_t k = documented; k < kXinfoLength; ++k) {
    if (!untouched(
            reinterpret_cast<const unsigned char*>(&arena.xinfo.value[k]),
            sizeof(Real))) {
      return "xinfo[" + std::to_string(k) + "] (" + std::to_string(documented) +
             " element" + (documented == 1 ? "" : "s") + " may be written" +
             (request ? "" : " without the request -999") + ")";
    }
  }
  const std::string message_name =
      "errmsg (" + std::to_string(kMessageLength) + " characters)";
  const std::string xinfo_name =
      "xinfo (" + std::to_string(kXinfoLength) + " elements)";
  for (const std::string& found :
       {stray_around(arena.xinfo, xinfo_name.c_str()),
        stray_around(arena.dp, "dp"), stray_around(arena.holdup, "holdup"),
        stray_around(arena.id, "id"), stray_around(arena.iaux, "iaux"),
        stray_around(arena.ierr, "ierr"),
        stray_around(arena.errmsg, message_name.c_str())}) {
    if (!found.empty()) return found;
  }
  for (std::size_t k = 0; k < kInputCount; ++k) {
    if (std::memcmp(&inputs[k], &kept[k], sizeof(Real)) != 0) {
      return "input " + std::string(kInputNames[k]) + " (inputs are read only)";
    }
  }
  return {};
}

template <typename Real, typename Function>
CallRecord call_with(void* address, const CallPlan& plan) {
  Arena<Real> arena;
  std::memset(&arena, kCanary, sizeof arena);
  arena.xinfo.value[0] =
      plan.xinfo_request ? Real(PIPECORR_XINFO_REQUEST) : Real(0);
  const auto values = plan.inputs.values();
  std::array<Real, kInputCount> in{};
  for (std::size_t k = 0; k < kInputCount; ++k) {
    in[k] = static_cast<Real>(values[k]);
  }
  const std::array<Real, kInputCount> kept = in;
  const Function function = function_cast<Function>(address);

  CallRecord record;
  record.before = plan.host->registers;
  const auto start = std::chrono::steady_clock::now();
  enter_fp_state(record.before);
  try {
    function(arena.xinfo.value, &in[0], &in[1], &in[2], &in[3], &in[4], &in[5],
             &in[6], &in[7], &in[8], &in[9], &in[10], &arena.dp.value,
             &arena.holdup.value, &arena.id.value, &arena.iaux.value,
             &arena.ierr.value, arena.errmsg.value,
             static_cast<pipecorr_len>(kMessageLength));
#if defined(__GLIBCXX__)
  } catch (abi::__forced_unwind&) {
    throw;  // a thread being cancelled must go on unwinding
#endif
  } catch (const std::exception& error) {
    record.escaped =
        std::string("a C++ exception left the entry: ") + error.what();
  } catch (...) {
    record.escaped = "a C++ exception of an unknown type left the entry";
  }
  record.after = leave_fp_state();
  const auto stop = std::chrono::steady_clock::now();
  record.nanoseconds = static_cast<double>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(stop - start)
          .count());

  CallOutputs& out = record.outputs;
  out.xinfo0 = static_cast<double>(arena.xinfo.value[0]);
  out.dp = static_cast<double>(arena.dp.value);
  out.holdup = static_cast<double>(arena.holdup.value);
  out.id = arena.id.value;
  out.iaux = arena.iaux.value;
  out.ierr = arena.ierr.value;
  std::memcpy(out.errmsg.data(), arena.errmsg.value, kMessageLength);
  record.stray_write = find_stray_write(arena, plan.xinfo_request, in, kept);
  return record;
}

template <typename T>
bool equal_bits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

bool same_bits(const CallOutputs& a, const CallOutputs& b) {
  return equal_bits(a.xinfo0, b.xinfo0) && equal_bits(a.dp, b.dp) &&
         equal_bits(a.holdup, b.holdup) && a.id == b.id && a.iaux == b.iaux &&
         a.ierr == b.ierr && a.errmsg == b.errmsg;
}

std::string first_difference(const CallOutputs& first,
                             const CallOutputs& second) {
  const auto numbers = [](const char* name, double a, double b) {
    return std::string(name) + " " + shortest(a) + " then " + shortest(b);
  };
  if (!equal_bits(first.dp, second.dp)) {
    return numbers("dp", first.dp, second.dp);
  }
  if (!equal_bits(first.holdup, second.holdup)) {
    return numbers("holdup", first.holdup, second.holdup);
  }
  if (first.id != second.id || first.iaux != second.iaux ||
      first.ierr != second.ierr) {
    return "id, iaux, ierr " + std::to_string(first.id) + ", " +
           std::to_string(first.iaux) + ", " + std::to_string(first.ierr) +
           " then " + std::to_string(second.id) + ", " +
           std::to_string(second.iaux) + ", " + std::to_string(second.ierr);
  }
  if (!equal_bits(first.xinfo0, second.xinfo0)) {
    return numbers("xinfo[0]", first.xinfo0, second.xinfo0);
  }
  if (first.errmsg != second.errmsg) return "errmsg differs";
  return "the same bits";
}

CallRecord guarded_call(void* address, bool single_precision,
                        const CallPlan& plan) {
  return single_precision
             ? call_with<float, pipecorr_corr_single_fn>(address, plan)
             : call_with<double, pipecorr_corr_double_fn>(address, plan);
}

}  // namespace pipecorr::hostkit
