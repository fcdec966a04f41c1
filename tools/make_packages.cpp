// make_packages <resources folder> [kind] [seed]
//
// Makes the puzzle packages with our own generator: "Packege3x3.dat" (kind 1,
// 9x9) and "Packege4x4.dat" (kind 2, 16x16), five levels of 100 puzzles, one
// byte per cell in cell order, 0 for an empty cell.  Without a kind both are
// made.  The seed (default 2024) makes the output repeatable; each package
// starts from it afresh, so one can be remade without the other.  Prints how
// long each level took.

#include "app/LevelsPackage.h"
#include "base/SmallFile.h"
#include "engine/CSudokuGeneratorLevels.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

template <unsigned N>
std::string MakePackage(unsigned seed) {
  std::srand(seed);
  std::string bytes;
  for (int level = 1; level <= kPackageLevels; ++level) {
    const auto start = std::chrono::steady_clock::now();
    const auto generator = MakeLevelGenerator<N>(level);
    unsigned ratingSum = 0;
    for (int puzzle = 0; puzzle < kPuzzlesPerLevel; ++puzzle) {
      generator->Generate(nullptr);
      ratingSum += generator->GetBestRating();
      // The engine keeps digits 0-based; a package byte is 1-based with 0
      // for an empty cell.
      for (std::uint8_t value : generator->GetTable().values) {
        if (value != kEmptyValue && value >= N * N) {
          std::fprintf(stderr, "%ux%u level %d puzzle %d: the generator left the value %u in a cell\n", N * N, N * N,
                       level, puzzle, value);
          std::exit(1);
        }
        bytes.push_back(static_cast<char>(value == kEmptyValue ? 0 : value + 1));
      }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%ux%u level %d: %d puzzles in %.1f s, mean rating %u (target %u)\n", N * N, N * N, level,
                kPuzzlesPerLevel, took.count(), ratingSum / kPuzzlesPerLevel, generator->GetTargetRating());
    std::fflush(stdout);
  }
  return bytes;
}

bool Write(const std::string& folder, const char* name, const std::string& bytes) {
  const std::string path = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name;
  if (!ReplaceFileAtomically(path, bytes)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("wrote %s (%zu bytes)\n", path.c_str(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: %s <resources folder> [kind 1|2] [seed]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const int kind = argc > 2 ? std::atoi(argv[2]) : 0;
  const unsigned seed = argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 2024u;
  bool written = true;
  if (kind == 0 || kind == 1) written = Write(folder, "Packege3x3.dat", MakePackage<3>(seed)) && written;
  if (kind == 0 || kind == 2) written = Write(folder, "Packege4x4.dat", MakePackage<4>(seed)) && written;
  return written ? 0 : 1;
}
