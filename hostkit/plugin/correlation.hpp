// A catalogue entry bound to its export, called with the argument list its
// link-info number names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/flow_point.hpp"
#include "plugin/plugin_library.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {

class Correlation {
 public:
  Correlation(CatalogueEntry entry, void* address, std::string source = {})
      : entry_(std::move(entry)),
        address_(address),
        source_(std::move(source)) {}

  [[nodiscard]] const CatalogueEntry& entry() const { return entry_; }
  [[nodiscard]] const std::string& name() const { return entry_.name; }
  // The file name of the plug-in that offers it ("libpipecorr.so").
  [[nodiscard]] const std::string& source() const { return source_; }
  [[nodiscard]] bool single_precision() const {
    return entry_.link_info == PIPECORR_LINK_SINGLE;
  }
  // The export itself, for callers that build their own argument lists.
  [[nodiscard]] void* address() const { return address_; }

  // Writes every field of result; allocates nothing. A gradient or holdup
  // that is not finite counts as the correlation's failure, whatever ierr
  // the plug-in gave, and so does a holdup outside 0 to 1 with ierr 0: the
  // result becomes the failure result (ierr 3, dp and holdup 0, id -1)
  // with a message that quotes what came back.
  void call(const FlowInputs& inputs, FlowResult& result) const;

 private:
  CatalogueEntry entry_;
  void* address_;
  std::string source_;
};

// A name that picks out no callable entry of the catalogue: unknown,
// ambiguous, or listed but not callable. The Python package raises it as
// KeyError.
class UnknownCorrelation : public Error {
 public:
  using Error::Error;
};

// The catalogues of the loaded plug-ins, in load order, with each entry
// either bound to its export or carrying the reason it cannot be called. A
// name that two plug-ins offer is kept once and refused, naming both files:
// the host cannot tell which one the user means.
class CorrelationSet {
 public:
  explicit CorrelationSet(const PluginLibrary& library);
  // At least one library; every library outlives the set.
  explicit CorrelationSet(std::span<const PluginLibrary* const> libraries);

  // The correlation of that name (exactly, or else ignoring case when that
  // picks out one entry); with an empty name the first callable entry of
  // the first plug-in.
  // Throws Error naming the problem when there is none to call
  // (UnknownCorrelation when the name picks out none).
  [[nodiscard]] const Correlation& choose(std::string_view name) const;

  // As choose(), but an empty name is refused as unknown: for callers
  // that must always name the correlation.
  [[nodiscard]] const Correlation& named(std::string_view name) const;

  // The same without throwing: null and the reason in *why. Allocates
  // nothing unless the name is ambiguous, so a table can look up a name on
  // every row.
  [[nodiscard]] const Correlation* find(std::string_view name,
                                        std::string* why) const;

  // "BB_3, ORBA_3", or per plug-in when several are loaded
  // ("libpipecorr.so offers BB_3, ORBA_3; libother.so offers X_3").
  [[nodiscard]] std::string known_names() const;
  // The plug-in files the catalogues came from: inputs of every job.
  [[nodiscard]] const std::vector<std::filesystem::path>& library_paths()
      const {
    return library_paths_;
  }

  struct Offer {
    std::string name;
    std::string source;      // the plug-in's file name
    std::size_t origin = 0;  // its place in library_paths()
  };
  // Every catalogue row in load order with the plug-in it comes from, a
  // name two plug-ins offer included twice.
  [[nodiscard]] const std::vector<Offer>& offers() const { return offers_; }

 private:
  struct Slot {
    std::string name;
    std::string source;
    std::size_t origin = 0;
    std::vector<Correlation> bound;  // empty when it cannot be called
    std::string problem;
  };
  void add_library(const PluginLibrary& library);
  [[nodiscard]] const Slot* slot_named(std::string_view name,
                                       std::string* why) const;
  [[noreturn]] void refuse(std::string_view name, const std::string& why) const;

  std::vector<Slot> slots_;
  std::vector<Offer> offers_;
  std::vector<std::filesystem::path> library_paths_;
};

}  // namespace pipecorr::hostkit
