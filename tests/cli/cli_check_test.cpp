// `pipecorr check` end to end: the bundled plug-in and a third-party one
// that keeps every promise pass; each deliberately broken plug-in fails
// exactly the check meant for it, and the `pipecorr calc` line printed
// under the failure shows the fault again. Hostile plug-ins that break a
// promise only where the check once did not look, that end their child
// without finishing its job, or leave processes behind, fail too; the
// run's bound names what it did not reach.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

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
  // A generous limit where the reproduction must end (a sanitizer build on
  // a busy machine is slow), a short one where it must hang.
  const bool hangs = fault.status == pipecorr::testing::kTimedOut;
  const auto repeated = run_program(PIPECORR_PROGRAM, again, hangs ? 2 : 30);
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

// The checks printed as failed: "HOMOG_3: result", "session-survives".
std::set<std::string> failed_checks(const std::string& out) {
  std::set<std::string> found;
  for (const auto& line : lines_starting(out, "failed ")) {
    const auto start = line.find_first_not_of(' ', 6);
    const auto end = line.find("  ", start);
    found.insert(line.substr(start, end - start));
  }
  return found;
}

struct Hostile {
  const char* plugin;
  std::set<std::string> failed;  // exactly these checks fail
  const char* shows;             // in the report
};

class HostilePlugin : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostilePlugin, FailsWhatItBreaksAndNothingElse) {
  const ScopedWorkDir dir;
  const Hostile& hostile = GetParam();
  const auto run = pipecorr("--lib '" + plugin(hostile.plugin) + "' " + kQuick);
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_EQ(failed_checks(run.out), hostile.failed) << run.out;
  EXPECT_NE(run.out.find(hostile.shows), std::string::npos) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Check, HostilePlugin,
    ::testing::Values(
        // An exception out of the C entry is a call that did not return.
        Hostile{"conformance_throws",
                {"HOMOG_3: returns", "HOMOG_3: result", "HOMOG_3: repeatable"},
                "got        a C++ exception left the entry: thrown on purpose"},
        Hostile{"conformance_no_id_iaux",
                {"HOMOG_3: result"},
                "id not written, iaux not written"},
        // A record stream of the plug-in's own making ends no job.
        Hostile{"conformance_forges_end",
                {"session-survives", "HOMOG_3: returns"},
                "an end record the child did not write"},
        // Faults only in the timed run, or only with the log on.
        Hostile{"conformance_late_flags_in_second_run",
                {"HOMOG_3: fp-state"},
                "(the timed run), host state nearest"},
        Hostile{"conformance_late_dp1_in_second_run",
                {"HOMOG_3: no-overrun"},
                "got        a write to byte 0 past dp"},
        Hostile{"conformance_late_nan_in_second_run",
                {"HOMOG_3: result", "HOMOG_3: repeatable"},
                "got        ierr 0, dp nan, holdup 7"},
        Hostile{"conformance_late_nul_in_second_run",
                {"HOMOG_3: errmsg", "HOMOG_3: repeatable"},
                "got        a terminator (NUL) at character 11"},
        Hostile{"conformance_late_flags_with_log",
                {"HOMOG_3: fp-state"},
                "host state nearest, debug log on"},
        Hostile{"conformance_late_dp1_with_log",
                {"HOMOG_3: no-overrun"},
                "got        a write to byte 0 past dp"},
        Hostile{"conformance_late_nan_with_log",
                {"HOMOG_3: result", "HOMOG_3: log-neutral"},
                "got        ierr 0, dp nan, holdup 7"},
        Hostile{"conformance_late_nul_with_log",
                {"HOMOG_3: errmsg", "HOMOG_3: log-neutral"},
                "got        a terminator (NUL) at character 11"}),
    [](const ::testing::TestParamInfo<Hostile>& param) {
      return std::string(param.param.plugin).substr(12);
    });

void set_variable(const char* name, const std::string& value) {
#if defined(_WIN32)
  _putenv_s(name, value.c_str());
#else
  ::setenv(name, value.c_str(), 1);
#endif
}

void unset_variable(const char* name) {
#if defined(_WIN32)
  _putenv_s(name, "");
#else
  ::unsetenv(name);
#endif
}

// Whether the process is gone (a zombie waiting for its reaper counts as
// gone: it runs no more).
bool process_gone(long pid) {
#if defined(_WIN32)
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return true;
  const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
#else
  const std::string stat =
      pipecorr::testing::read_file("/proc/" + std::to_string(pid) + "/stat");
  const auto close = stat.rfind(')');
  return stat.empty() ||
         (close != std::string::npos && stat.size() > close + 2 &&
          (stat[close + 2] == 'Z' || stat[close + 2] == 'X'));
#endif
}

TEST(Check, AProcessThePluginStartsNeitherHoldsTheCheckNorOutlivesIt) {
  // The sleeper holds the record pipe for 100 s: a check that waited for
  // the pipe to close would fail every job by the child time limit.
  const ScopedWorkDir dir;
  const auto list = dir.path() / "sleepers.txt";
  set_variable("CONF_SLEEPER_PIDS", list.string());
  const auto run = pipecorr("--lib '" + plugin("conformance_forks_sleeper") +
                            "' check --points 20 --child-timeout 30");
  unset_variable("CONF_SLEEPER_PIDS");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(lines_starting(run.out, "failed").empty()) << run.out;
  std::istringstream pids(pipecorr::testing::read_file(list));
  std::size_t started = 0;
  for (long pid = 0; pids >> pid; ++started) {
    // Killed as the check ended; give the kernel a moment to finish it.
    bool gone = process_gone(pid);
    for (int wait = 0; wait < 50 && !gone; ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      gone = process_gone(pid);
    }
    EXPECT_TRUE(gone) << "process " << pid << " outlived the check";
  }
  // One per child that called HOMOG_3: the session's and the battery's.
  EXPECT_EQ(started, 2U) << run.out;
}

TEST(Check, ABatteryLongerThanTheChildTimeLimitIsNotHung) {
  // 4 ms a call, some 700 calls: the battery takes about 3 s, far longer
  // than the limit, which applies to one call at a time.
  const ScopedWorkDir dir;
  const auto run = pipecorr("--lib '" + plugin("conformance_slow") +
                            "' check --points 1 --child-timeout 1.5");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(lines_starting(run.out, "failed").empty()) << run.out;
}

TEST(Check, TheRunsBoundNamesWhatItDidNotReachAndFails) {
  const ScopedWorkDir dir;
  const auto run = pipecorr("--lib '" + plugin("conformance_slow") +
                            "' check --points 1 --time-limit 1 --json");
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_NE(run.out.find("\"unreached\":[{\"subject\":\"HOMOG_3\","
                         "\"job\":\"correlation\",\"stopped_at\":\""),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("{\"subject\":\"HOMOG_2\",\"job\":\"correlation\","
                         "\"stopped_at\":null}]"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\"time_limit\":1,"), std::string::npos);
  EXPECT_NE(run.out.find(",\"unreached\":2,"), std::string::npos);
  EXPECT_EQ(run.out.find("\"subject\":\"HOMOG_2\",\"check\""),
            std::string::npos)
      << "nothing judged of a correlation not reached";
}

struct Refusal {
  const char* arguments;
  const char* says;
};

class CheckRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(CheckRefuses, WithTheLimitItBreaks) {
  const ScopedWorkDir dir;
  const auto run = pipecorr(std::string("check ") + GetParam().arguments);
  EXPECT_EQ(run.status, 1) << run.out << run.err;
  EXPECT_TRUE(run.out.empty()) << run.out;
  EXPECT_NE(run.err.find(GetParam().says), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Check, CheckRefuses,
    ::testing::Values(
        Refusal{"--points 2147483648",
                "'2147483648' must be a whole number from 1 to 1000000"},
        Refusal{"--points 1e9", "'1e9' must be a whole number from 1 to"},
        Refusal{"--points 0", "'0' must be a whole number from 1 to"},
        Refusal{"--seed -1",
                "'-1' must be a whole number from 0 to 18446744073709551615"},
        Refusal{"--seed 18446744073709551616",
                "must be a whole number from 0 to 18446744073709551615"},
        Refusal{"--time-limit 0", "--time-limit must be positive"}));

#if !defined(_WIN32)
TEST(Check, AnEmptyTmpdirIsUnsetAndAMissingOneIsNamed) {
  const ScopedWorkDir dir;
  const char* kept = std::getenv("TMPDIR");
  const std::string before = kept != nullptr ? kept : "";
  set_variable("TMPDIR", "");
  const auto empty = pipecorr("--lib '" + plugin("conformance_plugin") +
                              "' check --points 1 --child-timeout 2");
  const std::string missing = (dir.path() / "no-such-folder").string();
  set_variable("TMPDIR", missing);
  const auto named = pipecorr("check --points 1");
  if (kept != nullptr) {
    set_variable("TMPDIR", before);
  } else {
    unset_variable("TMPDIR");
  }
  EXPECT_EQ(empty.status, 0) << empty.out << empty.err;
  EXPECT_EQ(named.status, 1) << named.out << named.err;
  EXPECT_NE(
      named.err.find("TMPDIR is '" + missing + "', which is not a folder"),
      std::string::npos)
      << named.err;
}
#endif

TEST(Check, JsonGivesNullForAnInputThatIsNotFinite) {
  // As calc's JSON does; the reproduction keeps the exact word.
  const ScopedWorkDir dir;
  const auto run = pipecorr("--lib '" + plugin("conformance_crash_on_nan") +
                            "' " + kQuick + " --json");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.out.find("\"inputs\":{\"usl\":null,\"usg\":3.5,"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\"--usl\",\"nan\""), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("\"nan\"}"), std::string::npos) << run.out;
}

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
