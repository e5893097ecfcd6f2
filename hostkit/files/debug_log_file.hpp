// The plug-in traces a run only when usercorr.dbg exists in the working
// directory at the run setup; a host that wants the trace creates it first.
// The plug-in writes only a regular file of that name with no other name:
// a link, a FIFO, a device or a folder there leaves the log off and is not
// touched.
#pragma once

namespace pipecorr::hostkit {

inline constexpr const char* kDebugLogName = "usercorr.dbg";
// The second bundled plug-in's own log, by the same rule.
inline constexpr const char* kWellsDebugLogName = "pipecorr_wells.dbg";

// Creates an empty usercorr.dbg in the working directory, or accepts an
// existing regular file the user can write. Never creates it through a
// symbolic link, never opens a FIFO in its place (which could block), and
// refuses anything the plug-in would not trace into, saying why and what
// is safe to do.
void prepare_debug_log_file();

// Whether the plug-in's next run setup will find a log to trace into: a
// regular file of that name, not a link, with no other name.
[[nodiscard]] bool debug_log_file_usable();
// The same for a log of another name.
[[nodiscard]] bool debug_log_file_usable(const char* name);

}  // namespace pipecorr::hostkit
