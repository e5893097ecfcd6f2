// usercorr.dbg on Windows: created exclusively where nothing is; an
// existing entry must be a plain writable file, not a link (a reparse
// point) or a folder.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "files/debug_log_file.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {

void prepare_debug_log_file() {
  const int fd =
      ::_wopen(L"usercorr.dbg", _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
               _S_IREAD | _S_IWRITE);
  if (fd >= 0) {
    ::_close(fd);
    return;
  }
  const int error = errno;
  const std::string name =
      std::string(kDebugLogName) + " in the working directory";
  if (error != EEXIST) {
    throw Error("cannot create " + name + ": " +
                std::error_code(error, std::generic_category()).message());
  }
  const DWORD attributes = GetFileAttributesW(L"usercorr.dbg");
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    throw Error("cannot look at " + name);
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    throw Error(name +
                " is a symbolic link; the plug-in would write the trace "
                "wherever it points. Remove it or run without --log");
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    throw Error(name + " exists but is not a regular file");
  }
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    throw Error(name + " exists but cannot be written: it is read-only");
  }
}

}  // namespace pipecorr::hostkit
