#pragma once
// A fresh settings folder and resources folder for each test, so no test
// touches the user's real folders or sees another test's files.

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "app/SessionMemory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-app-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    std::filesystem::create_directory(root_ / "settings");
    std::filesystem::create_directory(root_ / "resources");
    setenv("TAVLIN_SETTINGS_DIR", (root_ / "settings").c_str(), 1);
    setenv("TAVLIN_RESOURCES_DIR", (root_ / "resources").c_str(), 1);
    ClearPathCache();
    ResourceManager::Clear();
  }

  void TearDown() override {
    ClearPathCache();
    ResourceManager::Clear();
    unsetenv("TAVLIN_SETTINGS_DIR");
    unsetenv("TAVLIN_RESOURCES_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  std::filesystem::path Settings(const std::string& name = "") const { return root_ / "settings" / name; }
  std::filesystem::path Resources(const std::string& name = "") const { return root_ / "resources" / name; }

  static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }

  static std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  std::filesystem::path root_;
};
