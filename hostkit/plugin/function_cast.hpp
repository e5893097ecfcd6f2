// Exports are looked up as data addresses, and the header declares them as
// functions; these convert between the two without a cast that the language
// leaves undefined.
#pragma once

#include <cstring>

namespace pipecorr::hostkit {

template <typename Function>
[[nodiscard]] Function function_cast(void* address) {
  Function function = nullptr;
  static_assert(sizeof function == sizeof address);
  std::memcpy(&function, &address, sizeof function);
  return function;
}

template <typename Function>
[[nodiscard]] void* function_address(Function function) {
  void* address = nullptr;
  static_assert(sizeof function == sizeof address);
  std::memcpy(&address, &function, sizeof address);
  return address;
}

}  // namespace pipecorr::hostkit
