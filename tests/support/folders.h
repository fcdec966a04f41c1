#pragma once
// A private settings folder and resources folder for each test: the
// resources folder gets the named files of the source tree's resources, or
// whatever a test writes into it, and the form layouts are loaded from its
// "resources.dat" when it has one.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Paths.h"
#include "app/ResourceManager.h"

namespace grid_test {

class Folders {
 public:
  explicit Folders(const std::vector<std::string>& copied) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-grid-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    root = pattern;
    std::filesystem::create_directory(root / "settings");
    std::filesystem::create_directory(root / "resources");
    for (const std::string& name : copied)
      std::filesystem::copy_file(std::filesystem::path(TAVLIN_SOURCE_RESOURCES) / name, root / "resources" / name);
    setenv("TAVLIN_SETTINGS_DIR", (root / "settings").c_str(), 1);
    setenv("TAVLIN_RESOURCES_DIR", (root / "resources").c_str(), 1);
    ClearPathCache();
    ResourceManager::Clear();
  }
  ~Folders() {
    ClearPathCache();
    ResourceManager::Clear();
    unsetenv("TAVLIN_SETTINGS_DIR");
    unsetenv("TAVLIN_RESOURCES_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }

  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(root / "resources" / name) << text;
  }
  // The layouts of "resources.dat" for a 480 x 640 screen.
  bool LoadLayouts() const {
    return LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), L"en", 480, 640);
  }

  std::filesystem::path root;
};

}  // namespace grid_test
