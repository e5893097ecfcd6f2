// The keys of a case file, read with messages that name the file, the line
// and the key ("well.case:7: key 'wellhead_pressure': unit 'psig' ...").
// Every key must be one of a known list; alternatives must not be mixed.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/key_value.hpp"
#include "units/quantity.hpp"

namespace pipecorr::hostkit {

class CaseKeys {
 public:
  // Parses the text; throws Error for a malformed line, a repeated key or
  // a key not in `known` (the message lists the known keys).
  CaseKeys(std::string_view text, std::string source,
           std::span<const std::string_view> known);

  [[nodiscard]] const std::string& source() const { return source_; }

  // The entry of `key`, or null when the case does not give it.
  [[nodiscard]] const KeyValue* find(std::string_view key) const;
  // The entry of `key`; throws "source: key 'k' is missing" without one.
  [[nodiscard]] const KeyValue& require(std::string_view key) const;
  // The one of `keys` the case gives, or null when it gives none and
  // `required` is false. Throws when it gives two ("give glr, gor or
  // gas_rate, not both"), or none when one is required.
  [[nodiscard]] const KeyValue* one_of(
      std::initializer_list<std::string_view> keys, bool required) const;

  // "source:line: key 'k': why".
  [[noreturn]] void fail(const KeyValue& entry, const std::string& why) const;
  // "source: why", for what no single line holds.
  [[noreturn]] void fail(const std::string& why) const;

  // The entry's value as a quantity in SI, and as a plain number; Error
  // from the value is rethrown with the file, line and key.
  [[nodiscard]] double quantity(const KeyValue& entry, Dimension dimension,
                                UnitSystem system) const;
  [[nodiscard]] std::vector<double> quantities(const KeyValue& entry,
                                               Dimension dimension,
                                               UnitSystem system) const;
  [[nodiscard]] double number(const KeyValue& entry) const;

  // The position in `choices` of the entry's value, matched ignoring
  // case; otherwise throws "'x' is not one of a, b or c".
  [[nodiscard]] std::size_t choice(
      const KeyValue& entry, std::span<const std::string_view> choices) const;

 private:
  std::string source_;
  std::vector<KeyValue> entries_;
};

// "a, b or c".
[[nodiscard]] std::string list_of(std::span<const std::string_view> words,
                                  std::string_view last_joint = " or ");

}  // namespace pipecorr::hostkit
