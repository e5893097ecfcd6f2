#include "jobs/describe_library.hpp"

#include <algorithm>

#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

std::string pad(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string argument_list(std::int32_t link_info) {
  switch (link_info) {
    case 2:
      return "single precision";
    case 3:
      return "double precision";
    default:
      return "unsupported";
  }
}

void append_identification(std::string& out, const PluginLibrary& library,
                           IdentificationVariant variant) {
  const bool version = variant == IdentificationVariant::kVersion;
  out += version ? "\nIdentification (COPYRIGHT_I):\n"
                 : "\nIdentification (COPYRIGHT_E):\n";
  const auto lines = library.identification(variant);
  if (!lines) {
    out += "  (not exported)\n";
    return;
  }
  for (auto line : *lines) {
    // Tabs are kept in the texts; shown as a blank so columns stay tidy.
    std::replace(line.begin(), line.end(), '\t', ' ');
    out += for_terminal(line) + '\n';
  }
}

}  // namespace

std::string describe_library(const PluginLibrary& library) {
  const auto entries = library.catalogue();
  std::string out =
      "Plug-in: " + for_terminal(library.path().string()) + "\n\n";
  out += "Correlations (DESCRIPTN_2, " + std::to_string(entries.size()) +
         " rows):\n";
  std::size_t name_width = 4;
  for (const auto& entry : entries) {
    name_width = std::max(name_width, for_terminal(entry.name).size());
  }
  out += "  " + pad("name", name_width) +
         "  type  link  arguments         exported  description\n";
  for (const auto& entry : entries) {
    const bool exported = library.symbol(entry.name.c_str()) != nullptr;
    out += "  " + pad(for_terminal(entry.name), name_width) + "  " +
           pad(std::to_string(entry.type), 4) + "  " +
           pad(std::to_string(entry.link_info), 4) + "  " +
           pad(argument_list(entry.link_info), 16) + "  " +
           pad(exported ? "yes" : "NO", 8) + "  " +
           for_terminal(entry.description) + "\n";
  }
  append_identification(out, library, IdentificationVariant::kVersion);
  append_identification(out, library, IdentificationVariant::kInterface);
  return out;
}

}  // namespace pipecorr::hostkit
