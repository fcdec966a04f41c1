#pragma once
// Puzzle packages: ready-made puzzles, 100 for each of the five levels.
//
// "Packege3x3.dat" (kind 1, 9x9) and "Packege4x4.dat" (kind 2, 16x16) in the
// resources folder are flat binary: level 1 to level 5, each 100 puzzles of
// S*S bytes in cell order (column + row * S), 0 for an empty cell and 1..S
// for a given.  There is no 4x4 package.

#include <memory>
#include <string>

namespace data_objects {

// One level of one package.  The bytes are zero until a load succeeds, and
// `loaded` says whether one has.
template <int PuzzlesPerLevel>
struct levels_package {
  // Throws an empty character string for a kind other than 1 or 2 or a
  // level outside 1..5.
  levels_package(int level, int kind) : level(level), kind(kind), bytesPerPuzzle(kind == 1 ? 81 : 256) {
    if ((kind != 1 && kind != 2) || level < 1 || level > 5) throw "";
    data = std::make_unique<unsigned char[]>(static_cast<std::size_t>(PuzzlesPerLevel * bytesPerPuzzle));
  }

  int Size() const { return PuzzlesPerLevel * bytesPerPuzzle; }
  const unsigned char* Puzzle(int index) const { return data.get() + index * bytesPerPuzzle; }

  std::unique_ptr<unsigned char[]> data;
  int level;
  int kind;
  int bytesPerPuzzle;
  bool loaded = false;
};

}  // namespace data_objects

constexpr int kPuzzlesPerLevel = 100;
constexpr int kPackageLevels = 5;

// The package file of a kind; any other kind throws an empty character string.
std::wstring GetPackageFileName(int kind);
// Where a level starts in its file: bytesPerPuzzle * 100 * (level - 1).  A
// level outside 1..5 throws an empty character string.
int GetLevelOffset(int bytesPerPuzzle, int level);

// Reads the package's level from its file.  False, with the bytes left as
// they were, when the file cannot be opened, is too short, or holds a byte
// above the grid's largest value.
bool LoadLevelsPackage(data_objects::levels_package<kPuzzlesPerLevel>& package);
