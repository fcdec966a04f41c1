#include "app/LevelsPackage.h"

#include "app/Paths.h"

#include <algorithm>
#include <fstream>
#include <vector>

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
  std::ifstream in(NativePath(GetPackageFileName(package.kind)), std::ios::binary);
  if (!in) return false;
  in.seekg(GetLevelOffset(package.bytesPerPuzzle, package.level));
  std::vector<char> bytes(static_cast<std::size_t>(package.Size()));
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return false;

  const int side = package.kind == 1 ? 9 : 16;
  const bool valid =
      std::all_of(bytes.begin(), bytes.end(), [side](char byte) { return static_cast<unsigned char>(byte) <= side; });
  if (!valid) return false;
  std::copy(bytes.begin(), bytes.end(), package.data.get());
  package.loaded = true;
  return true;
}
