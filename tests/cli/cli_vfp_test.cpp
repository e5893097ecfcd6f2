// pipecorr vfp end to end: the table's axes, its agreement with a single
// traverse, the fill rule where the well cannot flow, and its refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/pipecorr_runner.hpp"
#include "support/program_launcher.hpp"
#include "support/work_dir.hpp"

namespace {

using pipecorr::testing::read_file;
using pipecorr::testing::run;
using pipecorr::testing::ScopedWorkDir;
using pipecorr::testing::write_file;

// The records of a keyword as lists of words, comments dropped: the
// heading, the axes, then the body records.
std::vector<std::vector<std::string>> records(const std::string& deck) {
  std::vector<std::vector<std::string>> out;
  std::vector<std::string> record;
  std::istringstream lines(deck);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("--", 0) == 0 || line.rfind("VFP", 0) == 0) continue;
    std::istringstream words(line);
    for (std::string word; words >> word;) {
      if (word == "/") {
        out.push_back(record);
        record.clear();
      } else {
        record.push_back(word);
      }
    }
  }
  return out;
}

std::vector<double> numbers(const std::vector<std::string>& words,
                            std::size_t from = 0) {
  std::vector<double> out;
  for (std::size_t k = from; k < words.size(); ++k) {
    out.push_back(std::stod(words[k]));
  }
  return out;
}

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

// The case's own rate, THP, water cut and GOR are points of the default
// axes, so the table holds the traverse of the case itself there:
// 1910.1 psia at the bottom (the bundled well's figure in README).
TEST(Vfp, TheBundledWellsDefaultTableHoldsTheCaseItself) {
  const ScopedWorkDir dir;
  const auto one = run("vfp {examples}/field_well.case -o one.vfp --threads 1");
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.err, "vfp: 1250 points on 1 thread, 1250 computed, 0 filled\n");
  const auto deck = records(read_file("one.vfp"));
  ASSERT_EQ(deck.size(), 6U + 5 * 5 * 5);
  EXPECT_EQ(joined(deck[0]),
            "1 8801.4589653 'LIQ' 'WCT' 'GOR' 'THP' ' ' 'FIELD' 'BHP'");
  // 0.05 to 2 times 1000 STB/d; 0.75 to 2 times 150 psia; the case's
  // water cut 0.5 and GOR 800 / 0.5 = 1600 scf/STB (1.6 Mscf/STB).
  EXPECT_EQ(joined(deck[1]), "50 100 150 250 400 600 800 1000 1500 2000");
  EXPECT_EQ(joined(deck[2]), "112.5 150 187.5 225 300");
  EXPECT_EQ(joined(deck[3]), "0 0.25 0.5 0.725 0.95");
  EXPECT_EQ(joined(deck[4]), "0.4 0.8 1.6 2.4 3.2");
  // THP index 2, water 3, gas 3: record 6 + ((1 * 5 + 2) * 5 + 2); rate 8.
  const auto& line = deck[6 + (1 * 5 + 2) * 5 + 2];
  ASSERT_EQ(joined({line[0], line[1], line[2], line[3]}), "2 3 3 1");
  const auto traverse = run("traverse {examples}/field_well.case");
  ASSERT_NE(traverse.out.find("bottom-hole 1910.1 psia"), std::string::npos);
  EXPECT_NEAR(std::stod(line[4 + 7]), 1910.1, 0.05);

  // Threads share the points, never the arithmetic.
  const auto two = run("vfp {examples}/field_well.case -o two.vfp --threads 2");
  ASSERT_EQ(two.status, 0) << two.err;
  EXPECT_EQ(read_file("two.vfp"), read_file("one.vfp"));
}

// At 60 psia the mixture reaches its sonic speed at the wellhead from 2000
// STB/d up: those traverses stop, and their points lie on the straight
// line through the two highest rates computed on the same line.
TEST(Vfp, PointsWhereTheWellCannotFlowFollowTheRateAxisAndAreCounted) {
  const ScopedWorkDir dir;
  const std::string examples = pipecorr::testing::expand("{examples}");
  write_file("dying.case",
             "units = field\nsurvey = " + examples +
                 "/field_well_survey.csv\n"
                 "inside_diameter = 2.441 in\nroughness = 0.0006 in\n"
                 "api = 36\ngas_gravity = 0.75\nwater_gravity = 1.05\n"
                 "liquid_rate = 1000 STB/d\nwater_cut = 0.5\n"
                 "glr = 800 scf/STB\nwellhead_pressure = 150 psia\n"
                 "wellhead_temperature = 85 F\n"
                 "bottomhole_temperature = 200 F\ntolerance = 0.1 psi\n"
                 "vfp_rates = 500, 1000, 2000, 3000, 4000, 6000 STB/d\n"
                 "vfp_thp = 60, 150 psia\nvfp_water = 0, 0.5\n"
                 "vfp_gas = 1600, 3200 scf/STB\n");
  const auto result = run("vfp dying.case -o dying.vfp --threads 2");
  EXPECT_EQ(result.status, 2) << result.err;
  EXPECT_NE(result.err.find("vfp: 48 points on 2 threads, 30 computed, 18 "
                            "filled\n"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("vfp: 14 points filled: the correlation or the "
                            "fluid refused a point; the first: 3000.0 STB/d "
                            "LIQ, THP 60.0 psia, WCT 0.000, GOR 1600.0 "
                            "scf/STB: stopped at md 0.0 ft"),
            std::string::npos)
      << result.err;
  EXPECT_NE(read_file("dying.vfp").find("30 from traverses, 18 filled"),
            std::string::npos);

  // THP 60, dry, GOR 1600: 500 and 1000 computed, the rest on their line.
  const auto deck = records(read_file("dying.vfp"));
  const auto rates = numbers(deck[1]);
  const auto bhp = numbers(deck[6], 4);
  ASSERT_EQ(bhp.size(), 6U);
  const double slope = (bhp[1] - bhp[0]) / (rates[1] - rates[0]);
  for (std::size_t r = 2; r < rates.size(); ++r) {
    EXPECT_NEAR(bhp[r], bhp[1] + slope * (rates[r] - rates[1]), 1e-9 * bhp[r])
        << "rate " << rates[r];
  }
  // At 150 psia and half water every rate flows: no straight line there.
  const auto wet = numbers(deck[6 + 6], 4);
  const double wet_slope = (wet[1] - wet[0]) / (rates[1] - rates[0]);
  EXPECT_GT(std::fabs(wet[5] - (wet[1] + wet_slope * (rates[5] - rates[1]))),
            10.0);
}

TEST(Vfp, RefusesTablesThatCannotBeMade) {
  const ScopedWorkDir dir;
  const std::string survey =
      pipecorr::testing::expand("{examples}") + "/field_well_survey.csv";
  const std::string base =
      "units = field\nsurvey = " + survey +
      "\ninside_diameter = 2.441 in\nroughness = 0.0006 in\napi = 36\n"
      "gas_gravity = 0.75\n"
      "liquid_rate = 1000 STB/d\nwater_cut = 0.5\ngor = 800\n"
      "wellhead_pressure = 150\nwellhead_temperature = 85\n"
      "bottomhole_temperature = 200\n";
  struct Case {
    std::string extra;
    std::string arguments;
    std::string message;
  } const cases[] = {
      {"vfp_rate_type = OIL\nvfp_water = 0, 1\n", "",
       "key 'vfp_water': a water cut must stay below 1, got 1"},
      {"vfp_rates = 100, 100\n", "", "the values must rise strictly"},
      {"flow = injector\nvfp_gas = 100\n", "",
       "belongs to a producer's lift table"},
      {"", "--datum md:20000", "lies outside the well"},
      {"", "--datum tvd:deep", "'deep' is not a number"},
  };
  for (const auto& c : cases) {
    write_file("bad.case", base + c.extra);
    const auto result = run("vfp bad.case -o out.vfp " + c.arguments);
    EXPECT_EQ(result.status, 1) << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists("out.vfp")) << c.message;
  }
}

}  // namespace
