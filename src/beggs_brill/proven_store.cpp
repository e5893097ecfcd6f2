#include "beggs_brill/proven_store.hpp"

namespace pipecorr::bb {
namespace {

// Per thread, so that counting is no shared state between calls.
thread_local std::uint64_t fallbacks = 0;

}  // namespace

std::uint64_t fallbacks_in_this_thread() noexcept { return fallbacks; }

namespace detail {
void count_fallback() noexcept { ++fallbacks; }
}  // namespace detail

}  // namespace pipecorr::bb
