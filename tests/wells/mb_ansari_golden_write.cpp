// Writes golden_mb_ansari.txt from this (native) build:
//   mb_ansari_golden_write GOLDEN_FILE
#include <cstdio>
#include <fstream>

#include "mb_ansari_golden.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mb_ansari_golden_write GOLDEN_FILE\n");
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  for (const auto& line : pipecorr::wells::golden::lines()) {
    out << line.text << '\n';
  }
  out.close();
  return out ? 0 : 1;
}
