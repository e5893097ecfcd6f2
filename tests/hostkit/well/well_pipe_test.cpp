// Pipe sections: lookup by md and validation.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "well/pipe.hpp"

namespace {

using pipecorr::well::PipeSection;
using pipecorr::well::PipeSections;
using pipecorr::well::WellInputError;

TEST(Pipe, LookupTakesTheLowerSectionAtABoundary) {
  const auto pipe = PipeSections::by_md({{0, 800, 0.1, 1e-5},
                                         {800, 2000, 0.076, 4.5e-5},
                                         {2000, 3000, 0.062, 0.0}});
  struct Probe {
    double md, diameter;
  };
  for (const Probe p :
       {Probe{-10, 0.1}, Probe{0, 0.1}, Probe{799.9, 0.1}, Probe{800, 0.076},
        Probe{2000, 0.062}, Probe{2999, 0.062}, Probe{3500, 0.062}}) {
    EXPECT_EQ(pipe.at(p.md).diameter, p.diameter) << p.md;
  }
  EXPECT_EQ(pipe.at(1000).roughness, 4.5e-5);
  EXPECT_NO_THROW(pipe.check_covers(0, 3000));
  EXPECT_THROW(pipe.check_covers(0, 3000.5), WellInputError);
  EXPECT_THROW(pipe.check_covers(-1, 3000), WellInputError);
  const auto whole = PipeSections::whole_well(0.1, 3e-5);
  EXPECT_NO_THROW(whole.check_covers(-1e6, 1e6));
  EXPECT_EQ(whole.at(12345).diameter, 0.1);
}

TEST(Pipe, ValidationNamesTheSection) {
  struct Bad {
    std::vector<PipeSection> sections;
    std::size_t row;
    std::string says;
  };
  const std::vector<Bad> cases = {
      {{{0, 100, 0.1, 0}, {100, 200, 0.0, 0}}, 1, "not a positive length"},
      {{{0, 100, 0.1, -1e-6}}, 0, "roughness"},
      {{{0, 100, 0.1, 0}, {101, 200, 0.1, 0}}, 1, "(a gap)"},
      {{{0, 100, 0.1, 0}, {99, 200, 0.1, 0}}, 1, "(an overlap)"},
      {{{0, 100, 0.1, 0}, {100, 100, 0.1, 0}}, 1, "top must lie above"},
  };
  for (const Bad& c : cases) {
    try {
      (void)PipeSections::by_md(c.sections);
      ADD_FAILURE() << "accepted: " << c.says;
    } catch (const WellInputError& e) {
      EXPECT_EQ(e.row(), c.row) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos)
          << e.what();
    }
  }
  EXPECT_THROW((void)PipeSections::by_md({}), WellInputError);
  EXPECT_THROW((void)PipeSections::whole_well(std::nan(""), 0), WellInputError);
}

}  // namespace
