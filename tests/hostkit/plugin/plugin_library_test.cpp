// Loading plug-ins by path: the catalogue as the library reports it, calls
// through the double-precision list, and a clear message for every library
// a host cannot use.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "plugin/correlation.hpp"
#include "plugin/plugin_library.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

std::string error_of(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "(no error)";
}

TEST(PluginLibrary, ReadsTheCatalogueOfAThirdPartyPlugin) {
  const PluginLibrary library(MINI_PLUGIN);
  const auto entries = library.catalogue();
  ASSERT_EQ(entries.size(), 2U);
  EXPECT_EQ(entries[0].name, "LIN_3");
  EXPECT_EQ(entries[0].type, 1);
  EXPECT_EQ(entries[0].description, "Linear test correlation");
  EXPECT_EQ(entries[0].link_info, 3);
}

TEST(PluginLibrary, IdentificationIsOptional) {
  const PluginLibrary library(MINI_PLUGIN);
  const auto version = library.identification(IdentificationVariant::kVersion);
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(*version, std::vector<std::string>{"  Minimal test plug-in"});
  EXPECT_FALSE(
      library.identification(IdentificationVariant::kInterface).has_value());
}

TEST(Correlation, CallsThroughTheDoublePrecisionList) {
  const PluginLibrary library(MINI_PLUGIN);
  const CorrelationSet correlations(library);
  FlowInputs in;
  in.usl = 1.0;
  in.usg = 3.0;
  in.diam = 0.25;
  in.fi = -2.0;
  in.p = 2e5;
  FlowResult out;
  correlations.choose("LIN_3").call(in, out);
  EXPECT_EQ(out.dp, 100.0 / 0.25 - 20.0);
  EXPECT_EQ(out.holdup, 0.25);
  EXPECT_EQ(out.id, 5);
  EXPECT_EQ(out.ierr, 0);
  EXPECT_EQ(out.message(), "");

  in.p = 5e4;
  correlations.choose("LIN_3").call(in, out);
  EXPECT_EQ(out.ierr, 3);
  EXPECT_EQ(out.message(), "pressure below 1 bar");
}

struct LoadCase {
  const char* name;
  const char* path;
  const char* message;
};

class UnusableLibrary : public ::testing::TestWithParam<LoadCase> {};

TEST_P(UnusableLibrary, IsRefusedWithAMessage) {
  const auto message =
      error_of([&] { const PluginLibrary library(GetParam().path); });
  EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, UnusableLibrary,
    ::testing::Values(
        LoadCase{"missing_file", "/nonexistent/libnothing.so",
                 "'/nonexistent/libnothing.so' does not exist"},
        LoadCase{"a_folder", "/", "is a directory"},
        LoadCase{"a_device", "/dev/null", "is not a regular file"},
        LoadCase{"no_catalogue", MINI_PLUGIN_NOCAT,
                 "does not export DESCRIPTN_2"},
        LoadCase{"not_a_library", MINI_PLUGIN_SOURCE, "cannot load plug-in"}),
    [](const auto& entry) { return std::string(entry.param.name); });

struct LookupCase {
  const char* name;
  const char* correlation;
  const char* message;
};

class UncallableCorrelation : public ::testing::TestWithParam<LookupCase> {};

TEST_P(UncallableCorrelation, IsNamedWithTheReason) {
  const PluginLibrary library(MINI_PLUGIN_GHOST);
  const CorrelationSet correlations(library);
  const auto message =
      error_of([&] { (void)correlations.choose(GetParam().correlation); });
  EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, UncallableCorrelation,
    ::testing::Values(
        LookupCase{"unknown", "BB_9",
                   "unknown correlation 'BB_9'; libmini_plugin_ghost.so "
                   "offers LIN_3, GONE_3, ODD_7"},
        LookupCase{"listed_not_exported", "GONE_3",
                   "the plug-in itself does not export it"},
        LookupCase{"unknown_link_info", "ODD_7", "has link info 7"}),
    [](const auto& entry) { return std::string(entry.param.name); });

TEST(CorrelationSet, TheDefaultIsTheFirstCallableEntry) {
  const PluginLibrary library(MINI_PLUGIN_GHOST);
  const CorrelationSet correlations(library);
  EXPECT_EQ(correlations.choose("").name(), "LIN_3");
  EXPECT_NE(correlations.find("LIN_3", nullptr), nullptr);
}

// A catalogue may name symbols the plug-in does not define; the loader
// would find them in its dependencies. None of them is ever callable.
struct HostileRow {
  const char* name;
  const char* message;
};

class HostileCatalogue : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileCatalogue, NamesOutsideThePlugInsOwnImageAreRefused) {
  const PluginLibrary library(MINI_PLUGIN_HOSTILE);
  const CorrelationSet correlations(library);
  const auto message =
      error_of([&] { (void)correlations.choose(GetParam().name); });
  EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
  EXPECT_EQ(library.symbol(GetParam().name), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileCatalogue,
    ::testing::Values(
        HostileRow{"abort", "the plug-in itself does not export it"},
        HostileRow{"free", "the plug-in itself does not export it"}),
    [](const auto& entry) { return std::string(entry.param.name); });

TEST(HostileCatalogue, AnInterfaceRoutineIsNoCorrelation) {
  const PluginLibrary library(MINI_PLUGIN_HOSTILE);
  const CorrelationSet correlations(library);
  EXPECT_NE(library.symbol("COPYRIGHT_I"), nullptr);
  EXPECT_NE(error_of([&] {
              (void)correlations.choose("COPYRIGHT_I");
            }).find("interface's own routines"),
            std::string::npos);
}

TEST(CorrelationNames, MatchIgnoringCaseOnlyWhenUnambiguous) {
  const PluginLibrary plain(MINI_PLUGIN);
  EXPECT_EQ(CorrelationSet(plain).choose("lin_3").name(), "LIN_3");
  const PluginLibrary hostile(MINI_PLUGIN_HOSTILE);
  const CorrelationSet both(hostile);  // LIN_3 and Lin_3
  EXPECT_EQ(both.choose("LIN_3").name(), "LIN_3");
  EXPECT_NE(error_of([&] { (void)both.choose("lin_3"); }).find("ambiguous"),
            std::string::npos);
}

TEST(Correlation, ANonFiniteResultIsAFailure) {
  const PluginLibrary library(MINI_PLUGIN_HOSTILE);
  const CorrelationSet correlations(library);
  FlowInputs in;
  in.usl = 2.0;  // WILD_3 answers dp = inf with ierr 0
  FlowResult out;
  correlations.choose("WILD_3").call(in, out);
  EXPECT_EQ(out.ierr, 3);
  EXPECT_EQ(out.dp, 0.0);
  EXPECT_EQ(out.id, -1);
  EXPECT_EQ(out.message(),
            "the plug-in returned dp inf and holdup 0.5 with ierr 0: a "
            "result that is not finite");
}

}  // namespace
}  // namespace pipecorr::hostkit
