// ORBA_3 end to end through the public header: the plug-in, its import of
// TWPC20 and the stand-in engine behind it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "pipecorr/pipecorr.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

struct Call {
  double xinfo[70] = {};
  double usl = 1.0;
  double usg = 1.0;
  double rol = 1000.0;
  double rog = 50.0;
  double visl = 1e-3;
  double visg = 1e-5;
  double eps = 4.5e-5;
  double sigma = 0.07;
  double diam = 0.1;
  double fi = 0.0;
  double p = 5e6;
  double dp = -1.0;
  double holdup = -1.0;
  std::int32_t id = 99;
  std::int32_t iaux = 99;
  std::int32_t ierr = 99;
  std::string errmsg = std::string(150, 'x');

  void run() {
    ORBA_3(xinfo, &usl, &usg, &rol, &rog, &visl, &visg, &eps, &sigma, &diam,
           &fi, &p, &dp, &holdup, &id, &iaux, &ierr, errmsg.data(), 0);
  }
};

// Reference numbers worked out by hand for a 0.1 m pipe carrying water
// (1 m/s) and gas (1 m/s, 50 kg/m3): no-slip liquid fraction 0.5, mixture
// density 525 kg/m3, Re = 207921, Colebrook friction factor 0.0184911
// (relative roughness 4.5e-4), friction gradient 194.156 Pa/m; the
// hydrostatic term is 525 * 9.80665 * sin(89.99 deg) = 5148.491 Pa/m.
constexpr double kFriction = 194.1563505;
constexpr double kHydrostaticNearVertical = 5148.491172;

TEST(OrbaExport, HorizontalPipeGivesFrictionOnly) {
  Call c;
  c.xinfo[0] = -999.0;
  c.run();
  EXPECT_EQ(c.ierr, 0);
  EXPECT_EQ(c.iaux, 0);
  EXPECT_EQ(c.errmsg, std::string(150, ' '));
  EXPECT_EQ(c.holdup, 0.5);
  EXPECT_NEAR(c.dp, kFriction, 1e-6);
  EXPECT_EQ(c.id, 2);  // engine pattern 4
  // The whole output vector on request; the engine never writes element 70.
  EXPECT_EQ(c.xinfo[0], c.holdup);
  EXPECT_NEAR(c.xinfo[1], kFriction, 1e-6);
  EXPECT_EQ(c.xinfo[2], 0.0);
  EXPECT_EQ(c.xinfo[54], 4.0);
  EXPECT_EQ(c.xinfo[69], 0.0);
}

TEST(OrbaExport, VerticalPipeAddsTheHydrostaticHead) {
  Call c;
  c.fi = 90.0;  // screened to 89.99
  c.run();
  EXPECT_EQ(c.ierr, 0);
  EXPECT_EQ(c.holdup, 0.5);
  EXPECT_NEAR(c.dp, kHydrostaticNearVertical + kFriction, 1e-5);
  EXPECT_EQ(c.xinfo[0], 2.0999999046325684);

  Call down;
  down.fi = -90.0;
  down.run();
  EXPECT_NEAR(down.dp, kFriction - kHydrostaticNearVertical, 1e-5);
}

TEST(OrbaExport, InvalidInputIsReportedNotComputed) {
  Call c;
  c.usg = std::nan("");
  c.run();
  EXPECT_EQ(c.ierr, 3);
  EXPECT_EQ(c.id, -1);
  EXPECT_EQ(c.dp, 0.0);
  EXPECT_EQ(c.holdup, 0.0);
  EXPECT_EQ(c.errmsg.substr(0, 46),
            "Unable to calculate flow regime: invalid input");
  EXPECT_EQ(c.errmsg.substr(46), std::string(104, ' '));
}

TEST(OrbaExport, EngineLibraryIsLoadedWithThePlugIn) {
  // This program links only the plug-in; the engine library comes in as
  // the plug-in's own dependency.
#if defined(_WIN32)
  EXPECT_NE(GetModuleHandleA("twpc2032.dll"), nullptr);
#else
  void* engine = dlopen("libtwpc2032.so", RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(engine, nullptr);
  if (engine != nullptr) dlclose(engine);
#endif
}

}  // namespace
