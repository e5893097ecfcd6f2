// Survey inclination (from vertical) to the correlations' fi (from
// horizontal, uphill along the flow). The march's part, the same fi
// whichever way it goes, is in well_march_test.
#include <gtest/gtest.h>

#include "well/inclination.hpp"

namespace {

using pipecorr::well::chord_inclination;
using pipecorr::well::flow_inclination;
using pipecorr::well::FlowDirection;

TEST(Inclination, FromVerticalToUphillAlongTheFlow) {
  struct Case {
    double inclination;
    FlowDirection flow;
    double fi;
  };
  constexpr auto up = FlowDirection::kUpTheWell;
  constexpr auto down = FlowDirection::kDownTheWell;
  for (const Case c :
       {Case{0, up, 90}, Case{30, up, 60}, Case{90, up, 0}, Case{120, up, -30},
        Case{180, up, -90}, Case{0, down, -90}, Case{30, down, -60},
        Case{120, down, 30}}) {
    EXPECT_EQ(flow_inclination(c.inclination, c.flow), c.fi)
        << c.inclination << (c.flow == up ? " producer" : " injector");
  }
}

TEST(Inclination, ChordOfAStraightStretch) {
  EXPECT_EQ(chord_inclination(10, 10), 0);
  EXPECT_EQ(chord_inclination(0, 10), 90);
  EXPECT_EQ(chord_inclination(-10, 10), 180);
  EXPECT_NEAR(chord_inclination(5, 10), 60, 1e-12);
  // A TVD step a rounding longer than the hole: vertical, not NaN.
  EXPECT_EQ(chord_inclination(10.000000001, 10), 0);
}

}  // namespace
