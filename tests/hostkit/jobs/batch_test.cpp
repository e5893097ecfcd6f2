// batch through the library: a stream that never ends stops at its bound
// with a message, options a column makes unused are named, and a malformed
// record spanning lines is placed by both of them.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <thread>
#include <vector>

#include "jobs/batch.hpp"
#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"
#include "support/work_dir.hpp"
#include "text/error.hpp"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace pipecorr::hostkit {
namespace {

using pipecorr::testing::read_file;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::write_file;

constexpr const char* kHeader =
    "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p\n";
constexpr const char* kRow =
    "0.5,2,850,40,0.003,1.3e-5,4.6e-5,0.025,0.1,10,4e6\n";

class Batch : public ::testing::Test {
 protected:
  PluginLibrary library_{MINI_PLUGIN};
  CorrelationSet correlations_{library_};
};

#if !defined(_WIN32)
// Writes a header and rows into `fd` until the reader goes away.
void write_endlessly(int fd) {
  std::string block = kHeader;
  while (block.size() < 4096) block += kRow;
  const std::string rows = block.substr(std::string(kHeader).size());
  for (const std::string* next = &block;; next = &rows) {
    if (::write(fd, next->data(), next->size()) < 0 && errno != EINTR) break;
  }
  ::close(fd);
}
#endif

TEST_F(Batch, AStreamThatNeverEndsStopsAtItsBound) {
#if defined(_WIN32)
  GTEST_SKIP() << "named pipes and descriptor 0 are POSIX here";
#else
  const ScopedWorkDir dir;
  std::signal(SIGPIPE, SIG_IGN);  // the writer learns of the end by EPIPE
  BatchOptions options;
  options.output = "out.csv";
  options.max_stream_bytes = std::size_t{1} << 20;
  const std::string bound =
      " goes on past 1 MiB, the most a table is read from a stream: save it "
      "to a file and name the file instead";

  // A named pipe.
  ASSERT_EQ(::mkfifo("endless.csv", 0600), 0);
  std::thread writer(
      [] { write_endlessly(::open("endless.csv", O_WRONLY | O_CLOEXEC)); });
  options.input = "endless.csv";
  try {
    (void)run_batch(correlations_, options);
    ADD_FAILURE() << "read an endless pipe to its end";
  } catch (const Error& error) {
    EXPECT_EQ(error.what(), "input table 'endless.csv'" + bound);
  }
  // Had the batch never opened the pipe, this lets the writer go.
  ::close(::open("endless.csv", O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  writer.join();

  // Standard input.
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const int saved = ::dup(0);
  ASSERT_EQ(::dup2(ends[0], 0), 0);
  ::close(ends[0]);
  std::thread feeder(write_endlessly, ends[1]);
  options.input = "-";
  try {
    (void)run_batch(correlations_, options);
    ADD_FAILURE() << "read an endless standard input to its end";
  } catch (const Error& error) {
    EXPECT_EQ(error.what(), "input table (standard input)" + bound);
  }
  ::dup2(saved, 0);  // closes the pipe's reading end: the feeder stops
  ::close(saved);
  feeder.join();
  EXPECT_FALSE(std::filesystem::exists("out.csv"));

  // Within the bound a stream is read to its end.
  ASSERT_EQ(::pipe(ends), 0);
  const std::string table = std::string(kHeader) + kRow + kRow;
  ASSERT_EQ(::write(ends[1], table.data(), table.size()),
            static_cast<long>(table.size()));
  ::close(ends[1]);
  const int saved_again = ::dup(0);
  ASSERT_EQ(::dup2(ends[0], 0), 0);
  ::close(ends[0]);
  const BatchSummary summary = run_batch(correlations_, options);
  ::dup2(saved_again, 0);
  ::close(saved_again);
  EXPECT_EQ(summary.computed, 2U);
#endif
}

TEST_F(Batch, NamesOptionsTheColumnsMakeUnused) {
  const ScopedWorkDir dir;
  write_file("in.csv", std::string(kHeader) + kRow);
  BatchOptions options;
  options.input = "in.csv";
  options.output = "out.csv";
  options.defaults[8] = 0.2;   // diam: the table's column wins
  options.defaults[10] = 5e6;  // p: the same
  std::vector<std::string> warnings;
  options.warning = [&](std::string_view text) { warnings.emplace_back(text); };
  const BatchSummary summary = run_batch(correlations_, options);
  EXPECT_EQ(summary.computed, 1U);
  EXPECT_EQ(warnings,
            (std::vector<std::string>{
                "--diam 0.2 m is not used: column 9 ('diam') gives diam on "
                "every row",
                "--p 5e+06 Pa is not used: column 11 ('p') gives p on every "
                "row"}));
  // The row was computed with the column's diam (0.1): 1000 + 100 Pa/m.
  EXPECT_NE(read_file("out.csv").find(",1100,"), std::string::npos);
}

TEST_F(Batch, PlacesARecordThatSpansLinesByBoth) {
  const ScopedWorkDir dir;
  // A stray quote on line 3 swallows lines 4 and 5 up to the next one.
  write_file("in.csv", std::string("note,") + kHeader + "a," + kRow + "\"b," +
                           kRow + "c," + kRow + "d\"x," + kRow + "e," + kRow);
  BatchOptions options;
  options.input = "in.csv";
  options.output = "out.csv";
  std::vector<std::string> places;
  options.malformed_row = [&](std::string_view place, std::string_view) {
    places.emplace_back(place);
  };
  const BatchSummary summary = run_batch(correlations_, options);
  EXPECT_EQ(summary.rows, 3U);
  EXPECT_EQ(summary.malformed, 1U);
  EXPECT_EQ(places, (std::vector<std::string>{"3-5"}));
  EXPECT_NE(read_file("out.csv").find(",-1,lines 3-5: text follows a closing "
                                      "quote\n"),
            std::string::npos)
      << read_file("out.csv");
}

}  // namespace
}  // namespace pipecorr::hostkit
