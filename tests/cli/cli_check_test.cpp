// `pipecorr check` end to end: the bundled plug-in and a third-party one
// that keeps every promise pass; each deliberately broken plug-in fails
// exactly the check meant for it, and the `pipecorr calc` line printed
// under the failure shows the fault again.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/program_launcher.hpp"
#include "support/work_dir.hpp"

namespace {

using pipecorr::testing::ProgramRun;
using pipecorr::testing::run_program;
using pipecorr::testing::ScopedWorkDir;

// Few ordinary points (the bad inputs come on top) and a short child time
// limit keep the suite fast, under an emulator too.
constexpr const char* kQuick = "check --points 20 --child-timeout 2";

std::string plugin(const std::string& name) {
  return std::string(CONFORMANCE_PLUGIN_DIR) + "/lib" + name + PLUGIN_SUFFIX;
}

ProgramRun pipecorr(const std::string& arguments) {
  return run_program(PIPECORR_PROGRAM, arguments, 120);
}

std::vector<std::string> lines_starting(const std::string& text,
                                        const std::string& start) {
  std::vector<std::string> found;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(start, 0) == 0) found.push_back(line);
  }
  return found;
}

// The reproduction printed under the first failed check, without the
// program name.
std::string reproduction(const std::string& out) {
  const std::string tag = "reproduce  pipecorr ";
  const auto at = out.find(tag);
  if (at == std::string::npos) return {};
  const auto end = out.find('\n', at);
  return out.substr(at + tag.size(), end - at - tag.size());
}

TEST(Check, TheBundledPluginKeepsEveryPromise) {
  const ScopedWorkDir dir;
  const auto run = pipecorr("check");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_NE(run.out.find(" 0 failed"), std::string::npos) << run.out;
  EXPECT_EQ(lines_starting(run.out, "figures").size(), 3U) << run.out;
}

TEST(Check, AThirdPartyPluginThatKeepsEveryPromisePasses) {
  const ScopedWorkDir dir;
  const auto run =
      pipecorr("--lib '" + plugin("conformance_plugin") + "' " + kQuick);
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(lines_starting(run.out, "failed").empty()) << run.out;
}

// A status no exit gives: the reproduction died by a signal (the launcher
// passes the signal on, or the shell reports 128 + its number; a sanitizer
// build reports the fault and exits instead).
constexpr int kKilled = -2;

bool killed(const ProgramRun& run) {
  return run.status == -1 ||
         (run.status > 128 && run.status != pipecorr::testing::kTimedOut) ||
         run.err.find("AddressSanitizer: SEGV") != std::string::npos;
}

struct Fault {
  const char* plugin;
  const char* check;  // the one failed check, as printed
  const char* shows;  // in the reproduction's output or errors
  int status;         // of the reproduction
};

class BrokenPlugin : public ::testing::TestWithParam<Fault> {};

TEST_P(BrokenPlugin, FailsItsCheckAloneAndCalcShowsTheFault) {
  const ScopedWorkDir dir;
  const Fault& fault = GetParam();
  const auto run = pipecorr("--lib '" + plugin(fault.plugin) + "' " + kQuick);
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  const auto failed = lines_starting(run.out, "failed");
  ASSERT_EQ(failed.size(), 1U) << run.out;
  EXPECT_NE(failed[0].find(std::string(" ") + fault.check + " "),
            std::string::npos)
      << failed[0];

  const std::string again = reproduction(run.out);
  ASSERT_FALSE(again.empty()) << run.out;
  const auto repeated = run_program(PIPECORR_PROGRAM, again, 2);
  if (fault.status == kKilled) {
    EXPECT_TRUE(killed(repeated))
        << repeated.status << repeated.out << repeated.err;
  } else {
    EXPECT_EQ(repeated.status, fault.status) << repeated.out << repeated.err;
  }
  EXPECT_NE((repeated.out + repeated.err).find(fault.shows), std::string::npos)
      << again << "\n"
      << repeated.out << repeated.err;
}

INSTANTIATE_TEST_SUITE_P(
    Check, BrokenPlugin,
    ::testing::Values(
        Fault{"conformance_libc_row", "catalogue-names",
              "the plug-in itself does not export it", 1},
        Fault{"conformance_leaves_invalid", "HOMOG_3: fp-state",
              "broken       fp-state: got invalid flag(s) raised", 2},
        Fault{"conformance_sets_rounding", "HOMOG_3: fp-state",
              "broken       fp-state: got rounding nearest became upward", 2},
        Fault{"conformance_nan_result", "HOMOG_3: result",
              "broken       result: got ierr 0, dp nan", 2},
        Fault{"conformance_errmsg_overrun", "HOMOG_3: no-overrun",
              "broken       no-overrun: got a write to byte 0 past errmsg", 2},
        Fault{"conformance_errmsg_unpadded", "HOMOG_3: errmsg",
              "broken       errmsg: got a terminator (NUL)", 2},
        Fault{"conformance_hidden_counter", "HOMOG_3: repeatable",
              "broken       repeatable: got dp", 2},
        Fault{"conformance_crash_on_nan", "HOMOG_3: returns", "", kKilled},
        Fault{"conformance_hang_on_zero_diam", "HOMOG_3: returns", "",
              pipecorr::testing::kTimedOut}),
    [](const ::testing::TestParamInfo<Fault>& param) {
      return std::string(param.param.plugin).substr(12);
    });

TEST(Check, JsonNamesTheFailedCheckAndItsReproduction) {
  const ScopedWorkDir dir;
  const auto run = pipecorr("--lib '" + plugin("conformance_nan_result") +
                            "' " + kQuick + " --json");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << "one line";
  EXPECT_NE(run.out.find("{\"subject\":\"HOMOG_3\",\"check\":\"result\","
                         "\"verdict\":\"failed\""),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\"reproduce\":[\"--lib\","), std::string::npos);
  EXPECT_NE(run.out.find(",\"failed\":1,\"not_applicable\":"),
            std::string::npos)
      << run.out;
}

}  // namespace
