// Copied beside an installed program, finds the resources as the program
// does (from its own folder, with no override) and loads one of each kind:
// both puzzle packages and the glyph art.  Prints the folder it found;
// exits non-zero, saying what failed, when anything cannot be loaded.

#include <tinyxml.h>

#include <cstdio>
#include <cstdlib>

#include "app/LevelsPackage.h"
#include "app/Paths.h"
#include "base/GuardedXml.h"
#include "base/utf.h"

int main() {
  if (std::getenv("TAVLIN_RESOURCES_DIR") != nullptr) {
    std::fprintf(stderr, "TAVLIN_RESOURCES_DIR is set; the probe checks the program's own lookup\n");
    return 2;
  }
  const std::string folder = wide_to_utf8(GetResourcesDirectory());
  std::printf("%s\n", folder.c_str());
  int failures = 0;
  for (const int kind : {1, 2}) {
    data_objects::levels_package<kPuzzlesPerLevel> package(kPackageLevels, kind);
    if (!LoadLevelsPackage(package)) {
      std::fprintf(stderr, "cannot load %s\n", wide_to_utf8(GetPackageFileName(kind)).c_str());
      ++failures;
    }
  }
  TiXmlDocument glyphs;
  if (!LoadGuardedXml(folder + "glyphs.dat", 1024 * 1024, glyphs) || glyphs.RootElement() == nullptr) {
    std::fprintf(stderr, "cannot load %sglyphs.dat\n", folder.c_str());
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
