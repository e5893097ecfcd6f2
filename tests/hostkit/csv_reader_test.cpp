// The batch table reader: every way a header or a row can be wrong gets a
// message naming the column and the cell, and good rows read exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobs/batch_table.hpp"
#include "text/error.hpp"
#include "text/csv.hpp"
#include "text/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr std::string_view kHeader =
    "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p";

struct NumberCase {
  const char* name;
  std::string_view text;
  NumberProblem problem;
  double value;
};

class ParseNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumber, ReadsOrNamesTheProblem) {
  const auto& c = GetParam();
  double value = -12345.0;
  EXPECT_EQ(parse_number(c.text, value), c.problem);
  if (c.problem == NumberProblem::kNone) {
    EXPECT_EQ(value, c.value);
  } else {
    EXPECT_EQ(value, -12345.0) << "a failed read must leave the value alone";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, ParseNumber,
    ::testing::Values(
        NumberCase{"plain", "0.5", NumberProblem::kNone, 0.5},
        NumberCase{"blanks_around", "  850 \t", NumberProblem::kNone, 850.0},
        NumberCase{"exponent", "4.6e-5", NumberProblem::kNone, 4.6e-5},
        NumberCase{"leading_plus", "+3", NumberProblem::kNone, 3.0},
        NumberCase{"negative", "-10", NumberProblem::kNone, -10.0},
        NumberCase{"empty", "", NumberProblem::kEmpty, 0.0},
        NumberCase{"only_blanks", "   ", NumberProblem::kEmpty, 0.0},
        NumberCase{"word", "abc", NumberProblem::kNotNumber, 0.0},
        NumberCase{"trailing_text", "1.5m", NumberProblem::kNotNumber, 0.0},
        NumberCase{"decimal_comma", "1,5", NumberProblem::kNotNumber, 0.0},
        NumberCase{"two_signs", "+-1", NumberProblem::kNotNumber, 0.0},
        NumberCase{"inner_blank", "1 5", NumberProblem::kNotNumber, 0.0},
        NumberCase{"nan", "nan", NumberProblem::kNotFinite, 0.0},
        NumberCase{"infinity", "inf", NumberProblem::kNotFinite, 0.0},
        NumberCase{"overflow", "1e999", NumberProblem::kNotFinite, 0.0}),
    [](const auto& entry) { return std::string(entry.param.name); });

struct HeaderCase {
  const char* name;
  std::string_view header;
  const char* message;  // empty: accepted
};

class BatchHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(BatchHeader, AcceptsOrNamesTheColumn) {
  const auto& c = GetParam();
  if (std::string_view(c.message).empty()) {
    EXPECT_NO_THROW((void)parse_batch_header(c.header));
    return;
  }
  try {
    (void)parse_batch_header(c.header);
    FAIL() << "accepted a bad header";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
        << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, BatchHeader,
    ::testing::Values(
        HeaderCase{"argument_order", kHeader, ""},
        HeaderCase{"any_order_with_correlation",
                   "correlation,p,fi,diam,sigma,eps,visg,visl,rog,rol,usg,usl",
                   ""},
        HeaderCase{"missing_column",
                   "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi",
                   "lacks column 'p'"},
        HeaderCase{"unknown_column",
                   "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p,temp",
                   "unknown column 'temp'"},
        HeaderCase{"repeated_column",
                   "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p,usl",
                   "names column 'usl' twice"},
        HeaderCase{"repeated_correlation",
                   "correlation,usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,"
                   "p,correlation",
                   "names column 'correlation' twice"},
        HeaderCase{"case_matters",
                   "USL,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p",
                   "unknown column 'USL'"}),
    [](const auto& entry) { return std::string(entry.param.name); });

struct RowCase {
  const char* name;
  std::string_view line;
  const char* problem;
};

class BatchRowProblems : public ::testing::TestWithParam<RowCase> {};

TEST_P(BatchRowProblems, NamesColumnAndCell) {
  const auto columns = parse_batch_header(
      "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p,correlation");
  BatchRow row;
  std::string problem;
  EXPECT_FALSE(parse_batch_row(columns, GetParam().line, row, problem));
  EXPECT_EQ(problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BatchRowProblems,
    ::testing::Values(
        RowCase{"word_in_number",
                "0.5,2,abc,40,0.003,1e-5,4e-5,0.02,0.1,0,4e6,BB_3",
                "column 'rol': 'abc' is not a number"},
        RowCase{"empty_cell", "0.5,2,850,40,0.003,1e-5,4e-5,0.02,0.1,0,,BB_3",
                "column 'p' is empty"},
        RowCase{"nan_cell", "nan,2,850,40,0.003,1e-5,4e-5,0.02,0.1,0,4e6,BB_3",
                "column 'usl': 'nan' is not a finite number"},
        RowCase{"too_few_cells", "0.5,2,850,40,0.003,1e-5,4e-5,0.02,0.1,0,4e6",
                "expected 12 cells as in the header, found 11"},
        RowCase{"too_many_cells",
                "0.5,2,850,40,0.003,1e-5,4e-5,0.02,0.1,0,4e6,BB_3,9,9,9",
                "expected 12 cells as in the header, found 15"},
        RowCase{"unit_suffix",
                "0.5,2,850,40,0.003,1e-5,4e-5,0.02,0.1m,0,4e6,BB_3",
                "column 'diam': '0.1m' is not a number"}),
    [](const auto& entry) { return std::string(entry.param.name); });

TEST(BatchRow, ReadsColumnsByHeaderNameNotPosition) {
  const auto columns = parse_batch_header(
      "p,correlation,fi,diam,sigma,eps,visg,visl,rog,rol,usg,usl");
  BatchRow row;
  std::string problem;
  ASSERT_TRUE(parse_batch_row(columns,
                              "4e6, BB_2 ,30,0.1,0.02,4e-5,1e-5,"
                              "0.003,40,850,2,0.5",
                              row, problem))
      << problem;
  EXPECT_EQ(row.inputs.usl, 0.5);
  EXPECT_EQ(row.inputs.usg, 2.0);
  EXPECT_EQ(row.inputs.rol, 850.0);
  EXPECT_EQ(row.inputs.rog, 40.0);
  EXPECT_EQ(row.inputs.visl, 0.003);
  EXPECT_EQ(row.inputs.visg, 1e-5);
  EXPECT_EQ(row.inputs.eps, 4e-5);
  EXPECT_EQ(row.inputs.sigma, 0.02);
  EXPECT_EQ(row.inputs.diam, 0.1);
  EXPECT_EQ(row.inputs.fi, 30.0);
  EXPECT_EQ(row.inputs.p, 4e6);
  EXPECT_EQ(row.correlation, "BB_2");
}

TEST(LineCursor, NumbersPhysicalLinesAndSkipsCommentsAndBlanks) {
  LineCursor cursor("# note\r\nheader\r\n\r\n  \nrow1\r\n# late note\nrow2");
  std::vector<std::pair<std::string, std::size_t>> seen;
  std::string_view line;
  std::size_t number = 0;
  while (cursor.next(line, number)) seen.emplace_back(line, number);
  const std::vector<std::pair<std::string, std::size_t>> expected{
      {"header", 2}, {"row1", 5}, {"row2", 7}};
  EXPECT_EQ(seen, expected);
}

TEST(AppendCell, QuotesOnlyWhatWouldBreakTheRecord) {
  std::string out;
  append_cell(out, "plain text");
  out += '|';
  append_cell(out, "a,b");
  out += '|';
  append_cell(out, "say \"hi\"");
  EXPECT_EQ(out, "plain text|\"a,b\"|\"say \"\"hi\"\"\"");
}

}  // namespace
}  // namespace pipecorr::hostkit
