// The plug-in traces a run only when usercorr.dbg exists in the working
// directory at the run setup; a host that wants the trace creates it first.
#pragma once

namespace pipecorr::hostkit {

inline constexpr const char* kDebugLogName = "usercorr.dbg";

// Creates an empty usercorr.dbg in the working directory, or accepts an
// existing regular file the user can write. Never creates it through a
// symbolic link, never opens a FIFO in its place (which could block), and
// refuses anything that is not a plain writable file, saying why.
void prepare_debug_log_file();

}  // namespace pipecorr::hostkit
