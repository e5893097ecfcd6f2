// Run setup and cleanup, the catalogue and the identification texts, with
// the log text they write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "exports/catalogue.hpp"
#include "exports/corr_int.hpp"
#include "exports/identification.hpp"
#include "exports/pipecorr_plugin.hpp"
#include "log/debug_log.hpp"
#include "log/fixed_text.hpp"
#include "support/work_dir.hpp"

namespace pipecorr::exports {
namespace {

using pipecorr::testing::read_file;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::write_file;
using text::kDescriptionLength;
using text::kLineLength;
using text::kNameLength;

// libpipecorr's log file, as hosts and users know it.
constexpr const char* kLogFile = "usercorr.dbg";
const Plugin& kPipecorr = libpipecorr::kPlugin;

void start_run() { run_setup(kPipecorr.log_file_name); }

LocalTime fixed_clock() { return {9, 5, 7, 8, 12, 2026}; }

const std::string kHeader =
    "  Entering CORR_INT_SETUP\r\n"
    " 09:05:07     08/12/2026\r\n"
    "\r\n"
    "  \r\n";

class HostRoutines : public ::testing::Test {
 protected:
  void SetUp() override {
    dbg::log_switch = 0;
    set_clock(&fixed_clock);
  }
  void TearDown() override {
    dbg::log_switch = 0;
    dbg::use_file_name(nullptr);
    set_clock(nullptr);
  }
  ScopedWorkDir dir_;
};

TEST_F(HostRoutines, SetupWithoutFileTurnsLogOffAndCreatesNothing) {
  start_run();
  EXPECT_EQ(dbg::log_switch, dbg::kSwitchOff);
  run_cleanup();
  EXPECT_FALSE(std::filesystem::exists(kLogFile));
}

#if !defined(_WIN32)
// A link planted under the log's name: the run is not traced, and the file
// it points to is neither cut nor written by the setup or the cleanup.
TEST_F(HostRoutines, SetupWithALinkInPlaceOfTheFileTurnsLogOff) {
  write_file("victim.txt", "precious\n");
  std::filesystem::create_symlink("victim.txt", kLogFile);
  start_run();
  EXPECT_EQ(dbg::log_switch, dbg::kSwitchOff);
  run_cleanup();
  EXPECT_EQ(read_file("victim.txt"), "precious\n");
}
#endif

TEST_F(HostRoutines, SetupEmptiesExistingFileAndWritesHeader) {
  write_file(kLogFile, "a previous run's trace\r\nmore\r\n");
  start_run();
  EXPECT_EQ(dbg::log_switch, dbg::kSwitchOn);
  EXPECT_EQ(read_file(kLogFile), kHeader);
}

TEST_F(HostRoutines, SecondSetupStartsAfresh) {
  write_file(kLogFile, "");
  start_run();
  run_cleanup();
  start_run();
  EXPECT_EQ(read_file(kLogFile), kHeader);
}

TEST_F(HostRoutines, CleanupAppendsOneLineAndKeepsLogOn) {
  write_file(kLogFile, "");
  start_run();
  run_cleanup();
  EXPECT_EQ(dbg::log_switch, dbg::kSwitchOn);
  EXPECT_EQ(read_file(kLogFile), kHeader + "  Leaving CORR_INT_CLEANUP\r\n");
}

TEST_F(HostRoutines, CleanupBeforeAnySetupWritesNothing) {
  write_file(kLogFile, "untouched");
  run_cleanup();
  EXPECT_EQ(dbg::log_switch, 0);
  EXPECT_EQ(read_file(kLogFile), "untouched");
}

TEST_F(HostRoutines, FileRemovedBetweenRunsTurnsLogOff) {
  write_file(kLogFile, "");
  start_run();
  std::filesystem::remove(kLogFile);
  run_cleanup();  // the log is on but its file is gone: skipped quietly
  EXPECT_FALSE(std::filesystem::exists(kLogFile));
  start_run();
  EXPECT_EQ(dbg::log_switch, dbg::kSwitchOff);
}

TEST_F(HostRoutines, LibpipecorrLogsToUsercorrDbg) {
  EXPECT_STREQ(kPipecorr.log_file_name, "usercorr.dbg");
}

// Two plug-ins in one host run, each with its own log: a setup empties
// only its own file, and traces go only there.
TEST_F(HostRoutines, SetupEmptiesOnlyThePluginsOwnLog) {
  write_file(kLogFile, "the other plug-in's trace\r\n");
  write_file("pipecorr_wells.dbg", "an earlier run\r\n");
  run_setup("pipecorr_wells.dbg");
  run_cleanup();
  EXPECT_EQ(read_file("pipecorr_wells.dbg"),
            kHeader + "  Leaving CORR_INT_CLEANUP\r\n");
  EXPECT_EQ(read_file(kLogFile), "the other plug-in's trace\r\n");
}

TEST_F(HostRoutines, SetupWithoutItsOwnFileIgnoresAnother) {
  write_file(kLogFile, "kept");
  run_setup("pipecorr_wells.dbg");
  EXPECT_EQ(dbg::log_switch, dbg::kSwitchOff);
  EXPECT_FALSE(std::filesystem::exists("pipecorr_wells.dbg"));
  EXPECT_EQ(read_file(kLogFile), "kept");
}

TEST_F(HostRoutines, AnySelectorButCleanupIsSetup) {
  write_file(kLogFile, "old");
  corr_int(0, kPipecorr.log_file_name);
  EXPECT_EQ(read_file(kLogFile), kHeader);
}

// Host arrays with two spare elements that must come back untouched.
struct CatalogueArrays {
  char names[5 * kNameLength];
  std::int32_t types[5];
  char descriptions[5 * kDescriptionLength];
  std::int32_t link_info[5];
  std::int32_t lines = -7;

  CatalogueArrays() {
    std::fill(std::begin(names), std::end(names), '#');
    std::fill(std::begin(types), std::end(types), -9);
    std::fill(std::begin(descriptions), std::end(descriptions), '#');
    std::fill(std::begin(link_info), std::end(link_info), -9);
  }
  void describe() {
    describe_correlations(kPipecorr.catalogue, names, types, descriptions,
                          link_info, lines);
  }
  [[nodiscard]] std::string name(std::size_t i) const {
    return {names + i * kNameLength, kNameLength};
  }
  [[nodiscard]] std::string description(std::size_t i) const {
    return {descriptions + i * kDescriptionLength, kDescriptionLength};
  }
};

std::string padded(const std::string& text, std::size_t length) {
  return text + std::string(length - text.size(), ' ');
}

TEST_F(HostRoutines, CatalogueFillsThreeRowsAndLeavesTheRest) {
  CatalogueArrays a;
  a.describe();
  EXPECT_EQ(a.lines, 3);
  EXPECT_EQ(a.name(0), padded("BB_2", 40));
  EXPECT_EQ(a.name(1), padded("BB_3", 40));
  EXPECT_EQ(a.name(2), padded("ORBA_3", 40));
  EXPECT_EQ(a.description(0), padded("Beggs & Brill Revised from USERDLL", 80));
  EXPECT_EQ(a.description(1),
            padded("real*8 Beggs & Brill Revised from USERDLL", 80));
  EXPECT_EQ(a.description(2), padded("32-bit ORBA Correlation", 80));
  EXPECT_EQ((std::vector<std::int32_t>(a.types, a.types + 5)),
            (std::vector<std::int32_t>{1, 1, 1, -9, -9}));
  EXPECT_EQ((std::vector<std::int32_t>(a.link_info, a.link_info + 5)),
            (std::vector<std::int32_t>{2, 3, 3, -9, -9}));
  EXPECT_EQ(a.name(3) + a.name(4), std::string(80, '#'));
  EXPECT_EQ(a.description(3) + a.description(4), std::string(160, '#'));
}

TEST_F(HostRoutines, CatalogueOfAnotherPluginHasItsRows) {
  constexpr CatalogueRow kRows[] = {{"XY_3", 1, "a test row", 3}};
  CatalogueArrays a;
  describe_correlations(kRows, a.names, a.types, a.descriptions, a.link_info,
                        a.lines);
  EXPECT_EQ(a.lines, 1);
  EXPECT_EQ(a.name(0), padded("XY_3", 40));
  EXPECT_EQ(a.description(0), padded("a test row", 80));
  EXPECT_EQ(a.link_info[0], 3);
  EXPECT_EQ(a.name(1), std::string(40, '#'));
  EXPECT_EQ(a.types[1], -9);
}

TEST_F(HostRoutines, CatalogueBeforeSetupLogsNothing) {
  write_file(kLogFile, "");
  CatalogueArrays a;
  a.describe();
  EXPECT_EQ(read_file(kLogFile), "");
}

std::string catalogue_trace() {
  std::string t = "  Entering DESCRIPTN_2\r\n";
  t += "  \r\n";
  t += "  lines of info =           3\r\n";
  t += "  names = \r\n";
  for (const char* n : {"BB_2", "BB_3", "ORBA_3"}) {
    t += "     " + padded(n, 40) + "\r\n";
  }
  t += "  \r\n  types = \r\n";
  t += "         1\r\n         1\r\n         1\r\n";
  t += "  \r\n  descriptions = \r\n";
  for (const char* d : {"Beggs & Brill Revised from USERDLL",
                        "real*8 Beggs & Brill Revised from USERDLL",
                        "32-bit ORBA Correlation"}) {
    t += "     " + padded(d, 80) + "\r\n";
  }
  t += "  \r\n  link info = \r\n";
  t += "         2\r\n         3\r\n         3\r\n";
  t += "  \r\n leaving DESCRIPTN_2\r\n";
  return t;
}

TEST_F(HostRoutines, CatalogueTraceTwiceGivesTwoFullBlocks) {
  write_file(kLogFile, "");
  start_run();
  CatalogueArrays a;
  a.describe();
  a.describe();
  EXPECT_EQ(read_file(kLogFile),
            kHeader + catalogue_trace() + catalogue_trace());
}

struct IdentificationBuffer {
  char lines[10 * kLineLength];
  std::int32_t count = 0;
  IdentificationBuffer() { std::fill(std::begin(lines), std::end(lines), '#'); }
  [[nodiscard]] std::string line(std::size_t i) const {
    return {lines + i * kLineLength, kLineLength};
  }
};

TEST_F(HostRoutines, IdentificationVariantsDifferOnlyInLineThree) {
  IdentificationBuffer version;
  IdentificationBuffer interface_lines;
  identify(kPipecorr.identification, Variant::kVersion, version.lines,
           version.count);
  identify(kPipecorr.identification, Variant::kInterface, interface_lines.lines,
           interface_lines.count);
  EXPECT_EQ(version.count, 8);
  EXPECT_EQ(interface_lines.count, 8);
  for (std::size_t i = 0; i < 8; ++i) {
    if (i == 2) continue;
    EXPECT_EQ(version.line(i), interface_lines.line(i)) << "line " << i + 1;
  }
  EXPECT_EQ(version.line(2),
            padded("  32-bit version created 29 September 1997", 80));
  EXPECT_EQ(interface_lines.line(2),
            padded("  32-bit interface 11 December 1997", 80));
}

TEST_F(HostRoutines, IdentificationLinesKeepTabsAndBlanks) {
  IdentificationBuffer id;
  identify(kPipecorr.identification, Variant::kVersion, id.lines, id.count);
  EXPECT_EQ(id.line(0), padded("  32-bit DLL with Kerno ORBA Correlation", 80));
  EXPECT_EQ(id.line(1), padded("  Twpc20 correlation 14 March 97 version", 80));
  EXPECT_EQ(id.line(3), padded("  Quorvandelics and Associates ", 80));
  EXPECT_EQ(id.line(4), padded("  19 Tormandle Road", 80));
  EXPECT_EQ(id.line(5), padded("  Eldham QX9 9ZZ", 80));
  EXPECT_EQ(id.line(6), padded("  Telephone\t+00 100 555 0100", 80));
  EXPECT_EQ(id.line(7), padded("  FAX\t\t+00 100 555 0199", 80));
  EXPECT_EQ(std::count(id.lines, id.lines + 8 * kLineLength, '\t'), 3);
  EXPECT_EQ(id.line(8) + id.line(9), std::string(160, '#'));
}

TEST_F(HostRoutines, IdentificationOfAnotherPluginHasItsLines) {
  const std::string long_line(100, 'x');
  const Identification texts{
      {"v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8"},
      {"i1", "i2", "i3", "i4", "i5", "i6", "i7", long_line}};
  IdentificationBuffer v;
  identify(texts, Variant::kVersion, v.lines, v.count);
  EXPECT_EQ(v.line(0), padded("v1", 80));
  EXPECT_EQ(v.line(7), padded("v8", 80));
  IdentificationBuffer i;
  identify(texts, Variant::kInterface, i.lines, i.count);
  EXPECT_EQ(i.line(2), padded("i3", 80));
  // A line longer than 80 characters is cut, never spills into the next.
  EXPECT_EQ(i.line(7), std::string(80, 'x'));
  EXPECT_EQ(i.line(8), std::string(80, '#'));
}

TEST_F(HostRoutines, IdentificationTracesOneLineEach) {
  write_file(kLogFile, "");
  start_run();
  IdentificationBuffer id;
  identify(kPipecorr.identification, Variant::kVersion, id.lines, id.count);
  identify(kPipecorr.identification, Variant::kInterface, id.lines, id.count);
  EXPECT_EQ(read_file(kLogFile),
            kHeader + "  Entering COPYRIGHT_I\r\n  Entering COPYRIGHT_E\r\n");
}

}  // namespace
}  // namespace pipecorr::exports
