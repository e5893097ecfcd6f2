#include "files/debug_log_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "text/error.hpp"

namespace pipecorr::hostkit {

void prepare_debug_log_file() {
  const int fd = ::open(
      kDebugLogName,
      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd >= 0) {
    ::close(fd);
    return;
  }
  const int error = errno;
  const std::string name =
      std::string(kDebugLogName) + " in the working directory";
  if (error != EEXIST) {
    throw Error("cannot create " + name + ": " +
                std::error_code(error, std::generic_category()).message());
  }
  struct stat info {};
  if (::lstat(kDebugLogName, &info) != 0) {
    throw Error("cannot look at " + name);
  }
  if (S_ISLNK(info.st_mode)) {
    throw Error(name +
                " is a symbolic link; the plug-in would write the trace "
                "wherever it points. Remove it or run without --log");
  }
  if (!S_ISREG(info.st_mode)) {
    throw Error(name + " exists but is not a regular file");
  }
  if (::access(kDebugLogName, W_OK) != 0) {
    throw Error(name + " exists but cannot be written: " +
                std::error_code(errno, std::generic_category()).message());
  }
}

}  // namespace pipecorr::hostkit
