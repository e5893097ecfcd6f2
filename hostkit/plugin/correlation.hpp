// A catalogue entry bound to its export, called with the argument list its
// link-info number names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/flow_point.hpp"
#include "plugin/plugin_library.hpp"

namespace pipecorr::hostkit {

class Correlation {
 public:
  Correlation(CatalogueEntry entry, void* address)
      : entry_(std::move(entry)), address_(address) {}

  [[nodiscard]] const CatalogueEntry& entry() const { return entry_; }
  [[nodiscard]] const std::string& name() const { return entry_.name; }

  // Writes every field of result; allocates nothing.
  void call(const FlowInputs& inputs, FlowResult& result) const;

 private:
  CatalogueEntry entry_;
  void* address_;
};

// The plug-in's catalogue with each entry either bound to its export or
// carrying the reason it cannot be called.
class CorrelationSet {
 public:
  explicit CorrelationSet(const PluginLibrary& library);

  // The correlation of that name; throws Error naming the problem when
  // it is unknown or cannot be called.
  [[nodiscard]] const Correlation& get(std::string_view name) const;

  // The same without throwing: null and the reason in *why. Allocates
  // nothing, so a table can look up a name on every row.
  [[nodiscard]] const Correlation* find(std::string_view name,
                                        std::string_view* why) const;

  // The first callable entry: the default when the user names none.
  [[nodiscard]] const Correlation& first_callable() const;

  [[nodiscard]] std::string known_names() const;

 private:
  struct Slot {
    std::string name;
    std::vector<Correlation> bound;  // empty when it cannot be called
    std::string problem;
  };
  std::vector<Slot> slots_;
  std::string library_name_;
};

}  // namespace pipecorr::hostkit
