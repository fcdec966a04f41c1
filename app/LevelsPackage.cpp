#include "app/LevelsPackage.h"

#include "app/Paths.h"
#include "base/SmallFile.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

std::wstring GetPackageFileName(int kind) {
  if (kind == 1) return JoinPath(GetResourcesDirectory(), L"Packege3x3.dat");
  if (kind == 2) return JoinPath(GetResourcesDirectory(), L"Packege4x4.dat");
  throw "";
}

int GetLevelOffset(int bytesPerPuzzle, int level) {
  if (level < 1 || level > kPackageLevels) throw "";
  return bytesPerPuzzle * kPuzzlesPerLevel * (level - 1);
}

bool LoadLevelsPackage(data_objects::levels_package<kPuzzlesPerLevel>& package) {
  // The file is read from its start up to the end of the level: at most the
  // whole package, 128000 bytes for the 16x16 one.
  const auto offset = static_cast<std::size_t>(GetLevelOffset(package.bytesPerPuzzle, package.level));
  const auto size = static_cast<std::size_t>(package.Size());
  const std::optional<std::string> start = ReadFileStart(GetPackageFileName(package.kind), offset + size);
  if (!start || start->size() < offset + size) return false;
  const std::string_view bytes = std::string_view(*start).substr(offset);

  const int side = package.kind == 1 ? 9 : 16;
  const bool valid =
      std::all_of(bytes.begin(), bytes.end(), [side](char byte) { return static_cast<unsigned char>(byte) <= side; });
  if (!valid) return false;
  std::copy(bytes.begin(), bytes.end(), package.data.get());
  package.loaded = true;
  return true;
}
