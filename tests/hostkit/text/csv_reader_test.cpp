// The tables' text: numbers read by one decimal rule, the CSV dialect read
// back exactly as it is written, and the batch header and rows with every
// problem named by column and cell.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "cases/batch_table.hpp"
#include "numbers/number_text.hpp"
#include "text/csv.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

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
        NumberCase{"leading_zero_is_decimal", "010", NumberProblem::kNone, 10},
        NumberCase{"empty", "", NumberProblem::kEmpty, 0.0},
        NumberCase{"only_blanks", "   ", NumberProblem::kEmpty, 0.0},
        NumberCase{"word", "abc", NumberProblem::kNotNumber, 0.0},
        NumberCase{"hexadecimal", "0x10", NumberProblem::kNotNumber, 0.0},
        NumberCase{"hex_float", "0x1p3", NumberProblem::kNotNumber, 0.0},
        NumberCase{"trailing_text", "1.5m", NumberProblem::kNotNumber, 0.0},
        NumberCase{"decimal_comma", "1,5", NumberProblem::kNotNumber, 0.0},
        NumberCase{"two_signs", "+-1", NumberProblem::kNotNumber, 0.0},
        NumberCase{"nan", "nan", NumberProblem::kNotFinite, 0.0},
        NumberCase{"infinity", "inf", NumberProblem::kNotFinite, 0.0},
        NumberCase{"overflow", "1e999", NumberProblem::kOutOfRange, 0.0},
        NumberCase{"underflow", "1e-400", NumberProblem::kOutOfRange, 0.0}),
    [](const auto& entry) { return std::string(entry.param.name); });

TEST(ParseCount, WholeDecimalsOnly) {
  int value = 0;
  EXPECT_EQ(parse_count("010", value), NumberProblem::kNone);
  EXPECT_EQ(value, 10);
  EXPECT_EQ(parse_count("2.5", value), NumberProblem::kNotWhole);
  EXPECT_EQ(parse_count("0x10", value), NumberProblem::kNotNumber);
  EXPECT_EQ(parse_count("1e10", value), NumberProblem::kOutOfRange);
  EXPECT_EQ(value, 10);
}

// All records of a text, each as its cells.
std::vector<std::vector<std::string>> records(std::string_view text) {
  std::vector<std::vector<std::string>> out;
  CsvReader reader(text);
  while (reader.next()) {
    EXPECT_EQ(reader.problem(), "") << text;
    out.emplace_back(reader.cells().begin(), reader.cells().end());
  }
  return out;
}

TEST(CsvReader, CommentsBlankLinesAndLineNumbers) {
  CsvReader reader("# note\r\nh1,h2\r\n\r\n  \n a , b \r\n# late\n\"#x\",y");
  std::vector<std::size_t> lines;
  while (reader.next()) lines.push_back(reader.line_number());
  EXPECT_EQ(lines, (std::vector<std::size_t>{2, 5, 7}));
  EXPECT_EQ(records("a , b \r\n"),
            (std::vector<std::vector<std::string>>{{"a", "b"}}));
}

TEST(CsvReader, QuotedCellsSpanLinesAndKeepTheirBlanks) {
  const auto got =
      records("\"a,b\",\" x \",\"say \"\"hi\"\"\"\n\"two\nlines\",z\n");
  const std::vector<std::vector<std::string>> expected{
      {"a,b", " x ", "say \"hi\""}, {"two\nlines", "z"}};
  EXPECT_EQ(got, expected);
}

TEST(CsvReader, NamesWhatItCannotRead) {
  for (const auto& [text, problem] :
       std::vector<std::pair<std::string, std::string>>{
           {"\"open", "a quoted cell is not closed"},
           {"\"a\"b,c", "text follows a closing quote"},
           {std::string(1000, ',') + "\n",
            "the record has more than 1000 cells"}}) {
    CsvReader reader(text);
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.problem(), problem) << text;
  }
}

// A record whose quoted cell holds line breaks (or a stray quote that
// swallowed the lines after it) is placed by its first and last line.
TEST(CsvReader, PlacesARecordByTheLinesItSpans) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> texts{
      {"a,b\n\"one\ntwo\nthree\",c\nd\n", {"1", "2-4", "5"}},
      // The last record's line break is not a line of its own.
      {"h\n\"x\n\"\n", {"1", "2-3"}},
      // Open to the end of the text: every line after the quote is in it.
      {"h\nok\n\"stray,1\n2,3\n4,5\n", {"1", "2", "3-5"}},
      {"h\n\"stray,1\n2,3", {"1", "2-3"}},
      {"h\r\n\"a\r\nb\"x\r\nz", {"1", "2-3", "4"}},
  };
  for (const auto& [text, expected] : texts) {
    CsvReader reader(text);
    std::vector<std::string> places;
    while (reader.next()) places.push_back(reader.place());
    EXPECT_EQ(places, expected) << text;
  }
}

// Whatever the writer quotes, the reader gives back unchanged.
TEST(CsvRoundTrip, RandomCellsComeBackExactly) {
  std::mt19937 rng(11);
  const std::string alphabet = "ab ,\"\r\n#\t\x01\xC3\xA9";
  for (int record = 0; record < 500; ++record) {
    std::vector<std::string> cells(1 + rng() % 5);
    for (auto& cell : cells) {
      const auto length = rng() % 7;
      for (unsigned k = 0; k < length; ++k)
        cell += alphabet[rng() % alphabet.size()];
    }
    // A record that is one empty cell is a blank line, which the dialect
    // reads as nothing; the tables never write one.
    if (cells.size() == 1 && cells[0].empty()) cells[0] = "x";
    std::string text;
    for (std::size_t k = 0; k < cells.size(); ++k) {
      if (k > 0) text += ',';
      append_cell(text, cells[k]);
    }
    text += '\n';
    ASSERT_EQ(records(text), std::vector<std::vector<std::string>>{cells})
        << text;
  }
}

// A header's cells, held while a test looks at them.
struct Cells {
  std::vector<std::string> text;
  std::vector<std::string_view> views;
  operator std::span<const std::string_view>() const { return views; }
};

Cells cells_of(std::string_view line) {
  Cells cells;
  CsvReader reader(line);
  EXPECT_TRUE(reader.next());
  cells.text.assign(reader.cells().begin(), reader.cells().end());
  cells.views.assign(cells.text.begin(), cells.text.end());
  return cells;
}

struct HeaderCase {
  const char* name;
  std::string_view header;
  const char* message;  // empty: accepted
};

class BatchHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(BatchHeader, AcceptsOrNamesTheColumn) {
  const auto& c = GetParam();
  InputDefaults defaults{};
  const auto cells = cells_of(c.header);
  if (std::string_view(c.message).empty()) {
    EXPECT_NO_THROW((void)parse_batch_header(cells, defaults));
    return;
  }
  try {
    (void)parse_batch_header(cells, defaults);
    FAIL() << "accepted a bad header";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
        << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, BatchHeader,
    ::testing::Values(
        HeaderCase{"any_order_with_correlation",
                   "correlation,p,fi,diam,sigma,eps,visg,visl,rog,rol,usg,usl",
                   ""},
        HeaderCase{"with_units_and_other_columns",
                   "case,usl_m_per_s,usg,rol_kg_per_m3,rog,visl_Pa_s,visg,eps,"
                   "sigma_N_per_m,diam_m,fi_deg,p_Pa,note",
                   ""},
        HeaderCase{"missing_column",
                   "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi",
                   "lacks column 'p' and no --p gives its value"},
        HeaderCase{"repeated_column",
                   "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p,usl_m_per_s",
                   "names column 'usl' twice"},
        HeaderCase{"wrong_unit_is_another_column",
                   "usl_ft_per_s,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p",
                   "lacks column 'usl'"},
        // Batch's own output read back: no second, stale copy of results.
        HeaderCase{"own_output",
                   "usl_m_per_s,usg_m_per_s,rol_kg_per_m3,rog_kg_per_m3,"
                   "visl_Pa_s,visg_Pa_s,eps_m,sigma_N_per_m,diam_m,fi_deg,p_Pa,"
                   "correlation,dp_Pa_per_m,holdup,id,pattern,ierr,errmsg",
                   "header has column 'dp_Pa_per_m' (column 13), one of the "
                   "results batch writes: the table looks like batch's own "
                   "output"},
        HeaderCase{"own_error_column",
                   "usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p,errmsg",
                   "header has column 'errmsg' (column 12)"},
        HeaderCase{"case_id_and_measured_holdup_are_the_tables_own",
                   "id,usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p,holdup,"
                   "pattern",
                   ""}),
    [](const auto& entry) { return std::string(entry.param.name); });

TEST(BatchHeader, OutputNamesUnitsKeepsOtherColumnsInPlaceAndAddsTheRest) {
  InputDefaults defaults{};
  defaults[10] = 4e6;  // p from the options
  const auto cells =
      cells_of("id,usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,\"a,b\"");
  const BatchLayout layout = parse_batch_header(cells, defaults);
  EXPECT_EQ(batch_output_header(cells, layout),
            "id,usl_m_per_s,usg_m_per_s,rol_kg_per_m3,rog_kg_per_m3,visl_Pa_s,"
            "visg_Pa_s,eps_m,sigma_N_per_m,diam_m,fi_deg,\"a,b\",p_Pa,"
            "correlation,dp_Pa_per_m,holdup,id,pattern,ierr,errmsg\n");
}

TEST(BatchHeader, NamesEveryOptionAColumnMakesUnused) {
  InputDefaults defaults{};
  defaults[8] = 0.2;   // diam: the table has it
  defaults[9] = 5.0;   // fi: the table has not
  defaults[10] = 4e6;  // p: the table has it, with its unit
  const auto cells =
      cells_of("usl,usg,rol,rog,visl,visg,eps,sigma,diam,p_Pa,note");
  const BatchLayout layout = parse_batch_header(cells, defaults);
  EXPECT_EQ(unused_defaults(cells, layout, defaults),
            (std::vector<std::string>{
                "--diam 0.2 m is not used: column 9 ('diam') gives diam on "
                "every row",
                "--p 4e+06 Pa is not used: column 10 ('p_Pa') gives p on "
                "every row"}));
  defaults[8].reset();
  defaults[10].reset();
  EXPECT_TRUE(unused_defaults(cells, layout, defaults).empty());
}

struct RowCase {
  const char* name;
  std::string_view line;
  const char* problem;
};

class BatchRowProblems : public ::testing::TestWithParam<RowCase> {};

TEST_P(BatchRowProblems, NamesColumnAndCell) {
  InputDefaults defaults{};
  const auto layout = parse_batch_header(
      cells_of("usl,usg,rol,rog,visl,visg,eps,sigma,diam,fi,p,correlation"),
      defaults);
  CsvReader reader(GetParam().line);
  ASSERT_TRUE(reader.next());
  BatchRow row;
  std::string problem;
  EXPECT_FALSE(parse_batch_row(layout, reader.cells(), reader.cell_count(),
                               defaults, row, problem));
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
        RowCase{"too_small_for_a_double",
                "0.5,2,850,40,0.003,1e-5,4e-5,0.02,0.1,1e-400,4e6,BB_3",
                "column 'fi': '1e-400' is beyond the range of a double (about "
                "1e-308 to 1e308)"},
        RowCase{"too_few_cells", "0.5,2,850,40,0.003,1e-5,4e-5,0.02,0.1,0,4e6",
                "expected 12 cells as in the header, found 11"}),
    [](const auto& entry) { return std::string(entry.param.name); });

TEST(BatchRow, ReadsColumnsByNameAndTakesDefaults) {
  InputDefaults defaults{};
  defaults[10] = 3e6;
  const auto layout = parse_batch_header(
      cells_of("correlation,fi,diam,sigma,eps,visg,visl,rog,rol,usg,usl"),
      defaults);
  CsvReader reader(" BB_2 ,30,0.1,0.02,4e-5,1e-5,0.003,40,850,2,0.5");
  ASSERT_TRUE(reader.next());
  BatchRow row;
  std::string problem;
  ASSERT_TRUE(parse_batch_row(layout, reader.cells(), reader.cell_count(),
                              defaults, row, problem))
      << problem;
  const FlowInputs expected{0.5,  2,    850, 40, 0.003, 1e-5,
                            4e-5, 0.02, 0.1, 30, 3e6};
  EXPECT_EQ(row.inputs.values(), expected.values());
  EXPECT_EQ(row.correlation, "BB_2");
}

}  // namespace
}  // namespace pipecorr::hostkit

// JSON literals of texts a plug-in may write: valid JSON whatever the bytes.
TEST(JsonString, EscapesWhatJsonForbidsAndKeepsUtf8) {
  const struct {
    std::string_view text;
    std::string_view json;
  } cases[] = {
      {"BB_3", R"("BB_3")"},
      {R"(a "b" \c)", R"("a \"b\" \\c")"},
      {std::string_view("n\0l\n\x1f\x7f", 6),
       R"("n\u0000l\u000a\u001f\u007f")"},
      {"85 \xC2\xB0"
       "F",
       "\"85 \xC2\xB0"
       "F\""},  // well-formed UTF-8
      {"\xB0"
       "F \xC3",
       R"("\u00b0F \u00c3")"},  // stray bytes
      {"", R"("")"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pipecorr::hostkit::json_string(c.text), c.json) << c.json;
  }
}
