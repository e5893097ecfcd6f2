#include "files/debug_log_file.hpp"

#include <cerrno>
#include <string>

#include "files/native_file.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {

void prepare_debug_log_file() {
  const int fd = native::create_new(kDebugLogName);
  if (fd >= 0) {
    native::close_file(fd);
    return;
  }
  const int error = errno;
  const std::string name =
      std::string(kDebugLogName) + " in the working directory";
  if (error != EEXIST) {
    throw Error("cannot create " + name + ": " + native::reason(error));
  }
  switch (native::entry_kind(kDebugLogName)) {
    case native::Kind::kLink:
      throw Error(name +
                  " is a symbolic link; the plug-in would write the trace "
                  "wherever it points. Remove it or run without --log");
    case native::Kind::kRegular:
      break;
    case native::Kind::kMissing:
    case native::Kind::kUnreadable:
      throw Error("cannot look at " + name);
    case native::Kind::kDirectory:
    case native::Kind::kOther:
      throw Error(name + " exists but is not a regular file");
  }
  if (const std::string refusal = native::write_refusal(kDebugLogName);
      !refusal.empty()) {
    throw Error(name + " exists but cannot be written: " + refusal);
  }
}

}  // namespace pipecorr::hostkit
