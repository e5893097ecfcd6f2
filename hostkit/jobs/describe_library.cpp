#include "jobs/describe_library.hpp"

#include <algorithm>
#include <vector>

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

// `of` names the plug-in when several are listed (" of libx.so").
void append_identification(std::string& out, const PluginLibrary& library,
                           IdentificationVariant variant,
                           const std::string& of) {
  const bool version = variant == IdentificationVariant::kVersion;
  out += "\nIdentification" + of +
         (version ? " (COPYRIGHT_I):\n" : " (COPYRIGHT_E):\n");
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

std::string describe_libraries(
    std::span<const PluginLibrary* const> libraries) {
  struct Row {
    CatalogueEntry entry;
    bool exported = false;
    std::string source;
  };
  std::vector<Row> rows;
  std::string out;
  for (const PluginLibrary* library : libraries) {
    out += "Plug-in: " + for_terminal(library->path().string()) + "\n";
    const std::string source =
        for_terminal(library->path().filename().string());
    for (auto& entry : library->catalogue()) {
      const bool exported = library->symbol(entry.name.c_str()) != nullptr;
      rows.push_back({std::move(entry), exported, source});
    }
  }
  out += "\nCorrelations (DESCRIPTN_2, " + std::to_string(rows.size()) +
         " rows):\n";
  std::size_t name_width = 4;
  std::size_t source_width = 7;
  for (const auto& row : rows) {
    name_width = std::max(name_width, for_terminal(row.entry.name).size());
    source_width = std::max(source_width, row.source.size());
  }
  out += "  " + pad("name", name_width) +
         "  type  link  arguments         exported  " +
         pad("plug-in", source_width) + "  description\n";
  for (const auto& row : rows) {
    const auto& entry = row.entry;
    out += "  " + pad(for_terminal(entry.name), name_width) + "  " +
           pad(std::to_string(entry.type), 4) + "  " +
           pad(std::to_string(entry.link_info), 4) + "  " +
           pad(argument_list(entry.link_info), 16) + "  " +
           pad(row.exported ? "yes" : "NO", 8) + "  " +
           pad(row.source, source_width) + "  " +
           for_terminal(entry.description) + "\n";
  }
  for (const PluginLibrary* library : libraries) {
    const std::string of =
        libraries.size() > 1
            ? " of " + for_terminal(library->path().filename().string())
            : "";
    append_identification(out, *library, IdentificationVariant::kVersion, of);
    append_identification(out, *library, IdentificationVariant::kInterface, of);
  }
  return out;
}

}  // namespace pipecorr::hostkit
