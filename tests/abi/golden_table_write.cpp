// Writes the golden file from the native build's plug-in:
//
//   golden_table_write PLUGIN GOLDEN_FILE
//
// Run it (target golden-table) only when a change of results is intended,
// and commit the new file with that change.
#include <cstdio>
#include <exception>
#include <string>

#include "abi/golden_rows.hpp"
#include "abi/host_cases.hpp"
#include "support/plugin_library.hpp"
#include "support/work_dir.hpp"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PLUGIN GOLDEN_FILE\n", argv[0]);
    return 2;
  }
  try {
    const pipecorr::testing::PluginLibrary plugin(argv[1]);
    std::string text =
        "# Outputs of the fixed host cases (tests/abi/host_cases.cpp) as bit\n"
        "# patterns, written by the native x86-64 build with "
        "golden_table_write.\n"
        "# log= and the part of xinfo= after ':' are FNV-1a fingerprints.\n";
    {
      const pipecorr::testing::ScopedWorkDir work_dir;
      const pipecorr::abi::GoldenRunner runner(plugin);
      for (const auto& host_case : pipecorr::abi::host_cases()) {
        for (const auto& row : runner.rows(host_case)) text += row.line + '\n';
      }
    }
    pipecorr::testing::write_file(argv[2], text);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "golden_table_write: %s\n", error.what());
    return 1;
  }
  return 0;
}
