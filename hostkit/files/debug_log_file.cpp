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
                  " is a symbolic link, which the plug-in never writes "
                  "through. To trace the run, remove the link (what it "
                  "points to is not touched) and run again; or run without "
                  "--log: the plug-in then traces nothing and leaves the "
                  "link and its target alone");
    case native::Kind::kRegular:
      break;
    case native::Kind::kMissing:
    case native::Kind::kUnreadable:
      throw Error("cannot look at " + name);
    case native::Kind::kDirectory:
    case native::Kind::kOther:
      throw Error(name +
                  " exists but is not a regular file; the plug-in traces "
                  "nothing into it and leaves it alone");
  }
  if (native::name_count(kDebugLogName) > 1) {
    throw Error(name +
                " has other names (hard links), so the plug-in will not "
                "write it. To trace the run, remove it (the file keeps its "
                "other names and contents) and run again; or run without "
                "--log");
  }
  if (const std::string refusal = native::write_refusal(kDebugLogName);
      !refusal.empty()) {
    throw Error(name + " exists but cannot be written: " + refusal);
  }
}

bool debug_log_file_usable() { return debug_log_file_usable(kDebugLogName); }

bool debug_log_file_usable(const char* name) {
  return native::entry_kind(name) == native::Kind::kRegular &&
         native::name_count(name) <= 1;
}

}  // namespace pipecorr::hostkit
