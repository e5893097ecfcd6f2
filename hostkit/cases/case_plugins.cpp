#include "cases/case_plugins.hpp"

#include <string>

#include "files/input_file.hpp"
#include "numbers/number_text.hpp"
#include "text/error.hpp"
#include "text/key_value.hpp"

namespace pipecorr::hostkit {

std::vector<std::filesystem::path> case_plugins(
    std::string_view text, const std::filesystem::path& case_file) {
  const std::string source = case_file.string();
  std::vector<std::filesystem::path> files;
  for (const KeyValue& entry : parse_key_values(text, source)) {
    if (entry.key != "plugins") continue;
    const std::string place =
        source + ":" + std::to_string(entry.line) + ": key 'plugins': ";
    std::string_view rest = entry.value;
    while (true) {
      const auto comma = rest.find(',');
      const auto name = trim_blanks(rest.substr(0, comma));
      if (name.empty()) {
        throw Error(place +
                    "expected a comma list of plug-in files, found an empty "
                    "name");
      }
      std::filesystem::path file{std::string(name)};
      if (file.is_relative()) file = case_file.parent_path() / file;
      files.push_back(std::move(file));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  return files;
}

std::vector<std::filesystem::path> case_file_plugins(
    const std::filesystem::path& case_file) {
  return case_plugins(
      read_input(case_file, "case file", InputKind::kRegularFile), case_file);
}

}  // namespace pipecorr::hostkit
