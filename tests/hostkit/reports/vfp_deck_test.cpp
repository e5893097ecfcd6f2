// The VFPPROD writer: its layout against a table written out by hand in the
// form the simulator was seen to accept, its refusals, and (where the
// simulator's Python deck parser is installed) a round trip through that
// parser.
#include "reports/vfp_deck.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "support/work_dir.hpp"
#ifdef PIPECORR_OPM_PYTHON
#include "support/program_launcher.hpp"
#endif
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

VfpProductionTable small_metric_table() {
  VfpProductionTable table;
  table.number = 3;
  table.datum_depth = 2000.5;
  table.units = VfpUnits::kMetric;
  table.rates = {50, 200};
  table.thp = {10};
  table.water = {0};
  table.gas = {50, 150.25};
  table.bhp = {120, 125, 100, 104.5};
  return table;
}

TEST(VfpDeckTest, WritesTheRecordsInTheAcceptedLayout) {
  const std::string expected =
      "-- case: well.case\n"
      "--\n"
      "-- correlation: X?Y\n"
      "VFPPROD\n"
      "-- table, datum depth, rate, water, gas, THP and ALQ types, units, "
      "quantity\n"
      " 3 2000.5 'LIQ' 'WCT' 'GOR' 'THP' ' ' 'METRIC' 'BHP' /\n"
      "-- rates (sm3/d)\n"
      " 50 200 /\n"
      "-- THP (barsa)\n"
      " 10 /\n"
      "-- water fraction\n"
      " 0 /\n"
      "-- gas fraction\n"
      " 50 150.25 /\n"
      "-- artificial lift\n"
      " 0 /\n"
      "-- THP water gas ALQ indices, BHP (barsa) at each rate\n"
      " 1 1 1 1 120 125 /\n"
      " 1 1 2 1 100 104.5 /\n"
      "\n";
  EXPECT_EQ(vfpprod_text(small_metric_table(),
                         "case: well.case\n\ncorrelation: X\tY"),
            expected);
}

TEST(VfpDeckTest, WritesAnInjectorsTableInTheAcceptedLayout) {
  VfpInjectionTable table;
  table.number = 2;
  table.datum_depth = 2000;
  table.units = VfpUnits::kMetric;
  table.rates = {100, 1000, 5000};
  table.thp = {100, 150};
  table.bhp = {290, 280, 240, 340, 330, 290};
  EXPECT_EQ(vfpinj_text(table, ""),
            "VFPINJ\n"
            "-- table, datum depth, rate type, THP type, units, quantity\n"
            " 2 2000 'WAT' 'THP' 'METRIC' 'BHP' /\n"
            "-- rates (sm3/d)\n"
            " 100 1000 5000 /\n"
            "-- THP (barsa)\n"
            " 100 150 /\n"
            "-- THP index, BHP (barsa) at each rate\n"
            " 1 290 280 240 /\n"
            " 2 340 330 290 /\n"
            "\n");
  table.bhp.pop_back();
  EXPECT_EQ(vfp_table_problems(table).front(),
            "the table holds 5 bottom-hole pressures for 6 points");
}

TEST(VfpDeckTest, NamesTheTypesOfEachAxis) {
  struct Case {
    VfpUnits units;
    VfpRateType rate;
    VfpWaterType water;
    VfpGasType gas;
    const char* heading;
  };
  const Case cases[] = {
      {VfpUnits::kField, VfpRateType::kOil, VfpWaterType::kWaterOilRatio,
       VfpGasType::kGasLiquidRatio,
       " 3 2000.5 'OIL' 'WOR' 'GLR' 'THP' ' ' 'FIELD' 'BHP' /\n"},
      {VfpUnits::kMetric, VfpRateType::kGas, VfpWaterType::kWaterGasRatio,
       VfpGasType::kOilGasRatio,
       " 3 2000.5 'GAS' 'WGR' 'OGR' 'THP' ' ' 'METRIC' 'BHP' /\n"},
  };
  for (const auto& c : cases) {
    auto table = small_metric_table();
    table.units = c.units;
    table.rate_type = c.rate;
    table.water_type = c.water;
    table.gas_type = c.gas;
    EXPECT_NE(vfpprod_text(table, "").find(c.heading), std::string::npos)
        << c.heading;
  }
}

TEST(VfpDeckTest, RefusesTablesASimulatorCouldNotUse) {
  struct Case {
    void (*spoil)(VfpProductionTable&);
    const char* problem;
  };
  const Case cases[] = {
      {[](VfpProductionTable& t) { t.number = 0; },
       "the table number is below 1"},
      {[](VfpProductionTable& t) { t.thp.clear(); }, "the THP axis is empty"},
      {[](VfpProductionTable& t) {
         t.gas = {150, 150};
       },
       "the gas fraction axis is not strictly increasing"},
      {[](VfpProductionTable& t) {
         t.rates = {200, 50};
       },
       "the rate axis is not strictly increasing"},
      {[](VfpProductionTable& t) {
         t.water = {std::numeric_limits<double>::quiet_NaN()};
       },
       "the water fraction axis value 1 is not finite"},
      {[](VfpProductionTable& t) { t.bhp.pop_back(); },
       "the table holds 3 bottom-hole pressures for 4 points"},
      {[](VfpProductionTable& t) { t.bhp[2] = HUGE_VAL; },
       "bottom-hole pressure 3 is not finite"},
  };
  for (const auto& c : cases) {
    auto table = small_metric_table();
    c.spoil(table);
    const auto problems = vfp_table_problems(table);
    ASSERT_EQ(problems.size(), 1U) << c.problem;
    EXPECT_EQ(problems.front(), c.problem);
    try {
      (void)vfpprod_text(table, "");
      ADD_FAILURE() << "written despite: " << c.problem;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()),
                std::string("cannot write lift table: ") + c.problem);
    }
  }
  EXPECT_TRUE(vfp_table_problems(small_metric_table()).empty());
}

// A table whose every value is distinct and needs all 17 digits, over axes
// long enough to wrap.
VfpProductionTable wide_table() {
  VfpProductionTable table;
  table.number = 7;
  table.datum_depth = 1234.5678901234567;
  for (int i = 0; i < 23; ++i) table.rates.push_back(10.0 + i / 3.0);
  table.thp = {100.0 / 3.0, 200.0 / 3.0, 101};
  table.water = {0, 0.1 / 3.0};
  table.gas = {0.3, 0.7 / 3.0 + 1};
  for (std::size_t i = 0; i < table.size(); ++i)
    table.bhp.push_back(1000.0 + static_cast<double>(i) / 7.0);
  return table;
}

// Every number of the keyword in the order written, built from the table's
// fields rather than from at(): table number, datum, the five axes, then
// per (THP, water, gas) the four 1-based indices and the rate row.
std::vector<double> numbers_in_deck_order(const VfpProductionTable& table) {
  std::vector<double> numbers = {static_cast<double>(table.number),
                                 table.datum_depth};
  for (const auto* axis :
       {&table.rates, &table.thp, &table.water, &table.gas, &table.alq})
    numbers.insert(numbers.end(), axis->begin(), axis->end());
  std::size_t next = 0;  // the rate index runs fastest in bhp
  for (double t = 1; t <= 3; ++t)
    for (double w = 1; w <= 2; ++w)
      for (double g = 1; g <= 2; ++g) {
        numbers.insert(numbers.end(), {t, w, g, 1.0});
        for (std::size_t r = 0; r < 23; ++r)
          numbers.push_back(table.bhp[next++]);
      }
  return numbers;
}

// The numbers of the keyword as written, in order.
std::vector<double> numbers_written(const std::string& deck) {
  std::istringstream lines(deck);
  std::string line;
  std::vector<double> numbers;
  while (std::getline(lines, line)) {
    EXPECT_LE(line.size(), 80U) << line;
    if (line.rfind("--", 0) == 0 || line == "VFPPROD") continue;
    std::istringstream words(line);
    std::string word;
    while (words >> word)
      if (word != "/" && word[0] != '\'') numbers.push_back(std::stod(word));
  }
  return numbers;
}

// Twelve significant digits: each value within half a unit of the twelfth.
TEST(VfpDeckTest, WrapsLongRecordsWithoutLosingAValue) {
  const auto table = wide_table();
  const auto numbers = numbers_written(vfpprod_text(table, ""));
  const auto expected = numbers_in_deck_order(table);
  ASSERT_EQ(numbers.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_LE(std::fabs(numbers[i] - expected[i]),
              5e-12 * std::fabs(expected[i]))
        << "number " << i << ": " << numbers[i] << " for " << expected[i];
  }
  EXPECT_NE(vfpprod_text(table, "").find(" 10.3333333333 "), std::string::npos);
}

#ifdef PIPECORR_OPM_PYTHON
// The simulator's own parser reads the written keyword back into the same
// axes and values, bit for bit as a correctly rounded reader reads the
// text (its reader is off by one ulp on about one 17-digit decimal in ten,
// but not on twelve digits).
TEST(VfpDeckTest, TheSimulatorsParserReadsTheSameTable) {
  const testing::ScopedWorkDir dir;
  const auto table = wide_table();
  testing::write_file("table.inc", vfpprod_text(table, "a comment"));
  testing::write_file("read.py", R"(
from opm.io.parser import Parser, ParseContext
kw = Parser().parse_string(open("table.inc").read(), ParseContext())["VFPPROD"]
h = kw[0]
print(",".join(h[i].get_str(0) for i in range(2, 9)))
print(h[0].get_int(0), repr(h[1].get_raw(0)))
for r in range(1, 6):
    print(*map(repr, kw[r][0].get_raw_data_list()))
for r in range(6, len(kw)):
    rec = kw[r]
    print(*(rec[i].get_int(0) for i in range(4)),
          *map(repr, rec[4].get_raw_data_list()))
)");
  const auto run = testing::run_program(PIPECORR_OPM_PYTHON, "read.py");
  ASSERT_EQ(run.status, 0) << run.err;

  std::istringstream parsed(run.out);
  std::string types;
  std::getline(parsed, types);
  EXPECT_EQ(types, "LIQ,WCT,GOR,THP, ,FIELD,BHP");
  std::vector<double> numbers;
  for (double value; parsed >> value;) numbers.push_back(value);
  EXPECT_TRUE(parsed.eof()) << "not a number in what the parser returned";
  const auto expected = numbers_written(vfpprod_text(table, "a comment"));
  EXPECT_EQ(numbers, expected);
}
#endif

}  // namespace
}  // namespace pipecorr::hostkit
