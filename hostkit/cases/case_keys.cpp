#include "cases/case_keys.hpp"

#include "numbers/number_text.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

bool equal_any_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string quoted(std::string_view text) {
  return "'" + for_terminal(text) + "'";
}

}  // namespace

std::string list_of(std::span<const std::string_view> words,
                    std::string_view last_joint) {
  std::string text;
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (k > 0) text += k + 1 == words.size() ? last_joint : ", ";
    text += words[k];
  }
  return text;
}

CaseKeys::CaseKeys(std::string_view text, std::string source,
                   std::span<const std::string_view> known)
    : source_(std::move(source)), entries_(parse_key_values(text, source_)) {
  for (const KeyValue& entry : entries_) {
    bool listed = false;
    for (const auto key : known) listed = listed || key == entry.key;
    if (!listed) {
      throw Error(source_ + ":" + std::to_string(entry.line) +
                  ": unknown key " + quoted(entry.key) +
                  "; known keys: " + list_of(known, ", "));
    }
  }
}

const KeyValue* CaseKeys::find(std::string_view key) const {
  for (const KeyValue& entry : entries_) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

const KeyValue& CaseKeys::require(std::string_view key) const {
  const KeyValue* entry = find(key);
  if (entry == nullptr) fail("key '" + std::string(key) + "' is missing");
  return *entry;
}

const KeyValue* CaseKeys::one_of(std::initializer_list<std::string_view> keys,
                                 bool required) const {
  const std::vector<std::string_view> names(keys);
  const KeyValue* given = nullptr;
  for (const auto key : names) {
    const KeyValue* entry = find(key);
    if (entry == nullptr) continue;
    if (given == nullptr) {
      given = entry;
      continue;
    }
    const KeyValue& later = entry->line > given->line ? *entry : *given;
    const KeyValue& earlier = entry->line > given->line ? *given : *entry;
    const std::string give = names.size() == 2
                                 ? "give " + list_of(names) + ", not both"
                                 : "give only one of " + list_of(names);
    fail(later, give + " (" + std::string(earlier.key) + " is on line " +
                    std::to_string(earlier.line) + ")");
  }
  if (given == nullptr && required) {
    std::string text;
    for (std::size_t k = 0; k < names.size(); ++k) {
      if (k > 0) text += k + 1 == names.size() ? " or " : ", ";
      text += "'" + std::string(names[k]) + "'";
    }
    fail("key " + text + " is missing");
  }
  return given;
}

void CaseKeys::fail(const KeyValue& entry, const std::string& why) const {
  throw Error(source_ + ":" + std::to_string(entry.line) + ": key " +
              quoted(entry.key) + ": " + why);
}

void CaseKeys::fail(const std::string& why) const {
  throw Error(source_ + ": " + why);
}

double CaseKeys::quantity(const KeyValue& entry, Dimension dimension,
                          UnitSystem system) const {
  try {
    return parse_quantity(entry.value, dimension, system);
  } catch (const Error& error) {
    fail(entry, error.what());
  }
}

std::vector<double> CaseKeys::quantities(const KeyValue& entry,
                                         Dimension dimension,
                                         UnitSystem system) const {
  try {
    return parse_quantity_list(entry.value, dimension, system);
  } catch (const Error& error) {
    fail(entry, error.what());
  }
}

double CaseKeys::number(const KeyValue& entry) const {
  double value = 0.0;
  const NumberProblem problem = parse_number(entry.value, value);
  if (problem == NumberProblem::kEmpty) fail(entry, "no value given");
  if (problem != NumberProblem::kNone) {
    fail(entry, quoted(entry.value) + " " + std::string(describe(problem)));
  }
  return value;
}

std::size_t CaseKeys::choice(const KeyValue& entry,
                             std::span<const std::string_view> choices) const {
  for (std::size_t k = 0; k < choices.size(); ++k) {
    if (equal_any_case(entry.value, choices[k])) return k;
  }
  fail(entry, quoted(entry.value) + " is not one of " + list_of(choices));
}

}  // namespace pipecorr::hostkit
