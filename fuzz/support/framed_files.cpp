#include "support/framed_files.hpp"

#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::fuzz {
namespace {

constexpr std::string_view kMarker = "=== ";

}  // namespace

FramedFiles::FramedFiles(std::string_view input) {
  // Every line start at which a marker stands.
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < input.size();) {
    if (input.substr(at).starts_with(kMarker)) starts.push_back(at);
    const auto end = input.find('\n', at);
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  first_ = input.substr(0, starts.empty() ? input.size() : starts.front());
  for (std::size_t k = 0; k < starts.size(); ++k) {
    const std::size_t stop =
        k + 1 < starts.size() ? starts[k + 1] : input.size();
    std::string_view block = input.substr(starts[k], stop - starts[k]);
    const auto end = block.find('\n');
    std::string_view name = block.substr(kMarker.size(), end - kMarker.size());
    if (name.ends_with('\r')) name.remove_suffix(1);
    block.remove_prefix(end == std::string_view::npos ? block.size() : end + 1);
    files_.push_back({name, block});
  }
}

std::string FramedFiles::read(const std::filesystem::path& path) const {
  const std::string wanted = path.generic_string();
  for (auto file = files_.rbegin(); file != files_.rend(); ++file) {
    if (file->name == wanted) return std::string(file->text);
  }
  throw hostkit::Error("cannot read '" + hostkit::for_terminal(wanted) +
                       "': the input holds no file of that name");
}

}  // namespace pipecorr::fuzz
