// The text of a table a job reads whole. A file is bounded by its own size;
// a stream (standard input, a named pipe, a terminal) may never end, so it
// is read up to a bound, and a stream that goes on past it stops the job
// with a message instead of growing until memory runs out.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace pipecorr::hostkit {

// 1 GiB: some seven million rows of a points table.
inline constexpr std::size_t kMaxStreamBytes = std::size_t{1} << 30;

// The whole table, a UTF-8 byte order mark at its start dropped, as
// read_input gives it. Throws Error naming `what` for a stream longer than
// `stream_limit` bytes, and for a table that does not fit in memory.
[[nodiscard]] std::string read_table_text(
    const std::filesystem::path& path, std::string_view what,
    std::size_t stream_limit = kMaxStreamBytes);

// "1 GiB", "64 KiB", "1000 bytes": a size as a message states it.
[[nodiscard]] std::string size_text(std::size_t bytes);

}  // namespace pipecorr::hostkit
