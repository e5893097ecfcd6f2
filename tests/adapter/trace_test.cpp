// The adapter's four debug-log blocks, byte for byte.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <string_view>

#include "adapter/orba_adapter.hpp"
#include "log/debug_log.hpp"
#include "support/orba_scripted_engine.hpp"
#include "support/work_dir.hpp"

namespace {

using pipecorr::orba::Adapter;
using pipecorr::orba::HostInputs;
using pipecorr::testing::engine_script;
using pipecorr::testing::EngineScript;
using pipecorr::testing::read_file;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::scripted_engine;
using pipecorr::testing::write_file;

// A number's text right-justified in its list-directed field: 24 columns
// for a double, 11 for an integer, one more after an earlier number.
std::string dbl(std::string_view text, std::size_t width = 24) {
  return std::string(width - text.size(), ' ') + std::string(text);
}
std::string dbl2(std::string_view text) { return dbl(text, 25); }
std::string int32(std::string_view text) { return dbl(text, 11); }

std::string line(const std::string& items) { return " " + items + "\r\n"; }

// Several inputs out of range, so blocks 1 and 2 differ.
constexpr HostInputs kInputs{200.0,  1.0,    1000.0, 50.0, 0.001,   1e-05,
                             -0.001, 0.0625, 0.125,  90.0, 100000.0};

class OrbaTrace : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file("usercorr.dbg", "");
    saved_switch_ = pipecorr::dbg::log_switch;
    pipecorr::dbg::use_file_name("usercorr.dbg");
    pipecorr::dbg::log_switch = pipecorr::dbg::kSwitchOn;
    engine_script = EngineScript{};
    engine_script.writes = {
        {1, 0.25}, {2, 10.0}, {3, 20.0}, {4, 30.0}, {55, 4.0}};
  }
  void TearDown() override {
    pipecorr::dbg::log_switch = saved_switch_;
    pipecorr::dbg::use_file_name(nullptr);
  }

  std::string log() const { return read_file(dir_.path() / "usercorr.dbg"); }

  ScopedWorkDir dir_;
  std::int32_t saved_switch_ = 0;
  Adapter adapter_;
  std::array<double, 70> xinfo_{};
};

std::string block1() {
  return line(" Entered ORBA_3:") +
         line("    usl = " + dbl("200.000000000000000") +
              "    usg = " + dbl2("1.000000000000000")) +
         line("    rol = " + dbl("1000.000000000000000") +
              "    rog = " + dbl2("50.000000000000000")) +
         line("    visl = " + dbl("1.000000000000000E-003") +
              "    visg = " + dbl2("1.000000000000000E-005")) +
         line("    eps = " + dbl("-1.000000000000000E-003") +
              "    sigma = " + dbl2("6.250000000000000E-002")) +
         line("    diam = " + dbl("1.250000000000000E-001") +
              "    fi = " + dbl2("90.000000000000000")) +
         line("    p = " + dbl("100000.000000000000000"));
}

TEST_F(OrbaTrace, WritesTheFourBlocks) {
  adapter_.call(&scripted_engine, xinfo_.data(), kInputs);

  const std::string block2 =
      line(" Calling twpc20...") +
      line("    usl = " + dbl("100.000000000000000")) +
      line("    usg = " + dbl("1.000000000000000")) +
      line("    rol = " + dbl("1000.000000000000000")) +
      line("    rog = " + dbl("50.000000000000000")) +
      line("    visl = " + dbl("1.000000000000000E-003")) +
      line("    visg = " + dbl("1.000000000000000E-005")) +
      line("    eps = " + dbl("0.000000000000000E+000")) +
      line("    sigma = " + dbl("6.250000000000000E-002")) +
      line("    diam = " + dbl("1.250000000000000E-001")) +
      line("    fi = " + dbl("89.990000000000000")) +
      line("    wc = " + dbl("0.000000000000000E+000")) +
      line("    entr = " + dbl("0.000000000000000E+000")) +
      line("    ptclc = " + dbl("0.000000000000000E+000")) +
      line("    constr = 12114001212000000000");
  const std::string block3 = line(" returned from twpc20.");
  // The scripted engine scribbles on its ptclc argument: block 4 shows
  // vecout(55) all the same.
  const std::string block4 =
      line("leaving ORBA_3 with: ") +
      line("           holdup    =" + dbl("2.500000000000000E-001")) +
      line("           vecout(1) =" + dbl("2.500000000000000E-001")) +
      line("           vecout(2) =" + dbl("10.000000000000000")) +
      line("           vecout(3) =" + dbl("20.000000000000000")) +
      line("           vecout(4) =" + dbl("30.000000000000000")) +
      line("           dp        =" + dbl("60.000000000000000")) +
      line("           ptclc     =" + dbl("4.000000000000000")) +
      line("           iflowp    =" + int32("4")) +
      line("           id        =" + int32("2"));

  EXPECT_EQ(log(), block1() + block2 + block3 + block4);
}

// After a sound point has filled the engine vector, a point whose engine
// is never called must not show that vector as its own.
TEST_F(OrbaTrace, InvalidInputSaysTheEngineWasNotCalled) {
  adapter_.call(&scripted_engine, xinfo_.data(), kInputs);
  write_file("usercorr.dbg", "");
  HostInputs in = kInputs;
  in.rog = std::numeric_limits<double>::quiet_NaN();
  adapter_.call(&scripted_engine, xinfo_.data(), in);

  std::string entry = block1();
  const std::string rog = dbl2("50.000000000000000");
  entry.replace(entry.find(rog), rog.size(), dbl2("1#QNAN................"));
  const std::string not_called =
      line(" twpc20 not called: an input is not a number.");
  const std::string block4 =
      line("leaving ORBA_3 with: ") +
      line("           holdup    =" + dbl("0.000000000000000E+000")) +
      line("           vecout(1) =" + dbl("0.000000000000000E+000")) +
      line("           vecout(2) =" + dbl("0.000000000000000E+000")) +
      line("           vecout(3) =" + dbl("0.000000000000000E+000")) +
      line("           vecout(4) =" + dbl("0.000000000000000E+000")) +
      line("           dp        =" + dbl("0.000000000000000E+000")) +
      line("           ptclc     =" + dbl("0.000000000000000E+000")) +
      line("           iflowp    =" + int32("0")) +
      line("           id        =" + int32("-1"));
  EXPECT_EQ(log(), entry + not_called + block4);
}

TEST_F(OrbaTrace, NothingWhileTheLogIsOff) {
  pipecorr::dbg::log_switch = pipecorr::dbg::kSwitchOff;
  adapter_.call(&scripted_engine, xinfo_.data(), kInputs);
  EXPECT_EQ(log(), "");
  EXPECT_EQ(engine_script.calls, 1);
}

}  // namespace
