#include "exports/plugin.hpp"

#include "exports/boundary.hpp"
#include "exports/corr_int.hpp"

namespace pipecorr::exports {

void descriptn_2(const Plugin& plugin, char* names, std::int32_t* types,
                 char* descriptions, std::int32_t* link_info,
                 std::int32_t* lines) noexcept {
  at_boundary([&] {
    describe_correlations(plugin.catalogue, names, types, descriptions,
                          link_info, *lines);
  });
}

void copyright(const Plugin& plugin, Variant variant, char* lines,
               std::int32_t* count) noexcept {
  at_boundary([&] { identify(plugin.identification, variant, lines, *count); });
}

void corr_int_setup(const Plugin& plugin) noexcept {
  at_boundary([&] { run_setup(plugin.log_file_name); });
}

void corr_int_cleanup() noexcept {
  at_boundary([] { run_cleanup(); });
}

}  // namespace pipecorr::exports
