// A catalogue entry bound to its export, called with the argument list its
// link-info number names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/flow_point.hpp"
#include "plugin/plugin_library.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {

class Correlation {
 public:
  Correlation(CatalogueEntry entry, void* address)
      : entry_(std::move(entry)), address_(address) {}

  [[nodiscard]] const CatalogueEntry& entry() const { return entry_; }
  [[nodiscard]] const std::string& name() const { return entry_.name; }
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
};

// A name that picks out no callable entry of the catalogue: unknown,
// ambiguous, or listed but not callable. The Python package raises it as
// KeyError.
class UnknownCorrelation : public Error {
 public:
  using Error::Error;
};

// The plug-in's catalogue with each entry either bound to its export or
// carrying the reason it cannot be called.
class CorrelationSet {
 public:
  explicit CorrelationSet(const PluginLibrary& library);

  // The correlation of that name (exactly, or else ignoring case when that
  // picks out one entry); with an empty name the first callable entry.
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

  [[nodiscard]] std::string known_names() const;
  [[nodiscard]] const std::string& library_name() const {
    return library_name_;
  }
  // The plug-in file the catalogue came from: an input of every job.
  [[nodiscard]] const std::filesystem::path& library_path() const {
    return library_path_;
  }

 private:
  struct Slot {
    std::string name;
    std::vector<Correlation> bound;  // empty when it cannot be called
    std::string problem;
  };
  [[nodiscard]] const Slot* slot_named(std::string_view name,
                                       std::string* why) const;
  [[noreturn]] void refuse(std::string_view name, const std::string& why) const;

  std::vector<Slot> slots_;
  std::string library_name_;
  std::filesystem::path library_path_;
};

}  // namespace pipecorr::hostkit
