// `pipecorr check --static DLL`: the checks a 32-bit Windows DLL can have
// where nothing can load it. They are the project's own export-table
// checks (tests/abi/check_dll.cmake, run by `cmake -P` with the MinGW
// objdump), told which names the interface requires and that every other
// export is a correlation removing 19 stack words.
#pragma once

#include <string>

namespace pipecorr::hostkit {

// Prints the verdict (text or JSON) and returns the exit status: 0 when the
// DLL passed.
int run_static_dll_check(const std::string& dll, bool json);

}  // namespace pipecorr::hostkit
