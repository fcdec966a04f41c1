#include "app/Paths.h"

#include "TempFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

struct ProgramPathCase {
  std::wstring path;
  std::wstring directory;
  std::wstring name;
};

class SplitProgramPathTest : public ::testing::TestWithParam<ProgramPathCase> {};

TEST_P(SplitProgramPathTest, CutsTheExtensionFromTheFileNameOnly) {
  const ProgramLocation location = SplitProgramPath(GetParam().path);
  EXPECT_EQ(location.directory, GetParam().directory);
  EXPECT_EQ(location.name, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitProgramPathTest,
    ::testing::Values(ProgramPathCase{L"/games/tavlin.exe", L"/games/", L"tavlin"},
                      ProgramPathCase{L"/usr/bin/tavlin", L"/usr/bin/", L"tavlin"},
                      ProgramPathCase{L"/home/ann/v1.1/build/tavlin", L"/home/ann/v1.1/build/", L"tavlin"},
                      ProgramPathCase{L"/opt/tavlin.d/tavlin.bin.exe", L"/opt/tavlin.d/", L"tavlin.bin"},
                      ProgramPathCase{L"/opt/.tavlin", L"/opt/", L".tavlin"}));

class PathsTest : public TempFolders {};

TEST_F(PathsTest, DesktopSettingsFolderIsMadeInsideTheDataHome) {
  const ProgramLocation program{root_.wstring() + L"/program/", L"tavlin"};
  const std::wstring dataHome = root_.wstring() + L"/data/share";  // parents missing, no trailing '/'
  const std::wstring folder = MakeDesktopSettingsDirectory(dataHome, program);
  EXPECT_EQ(folder, dataHome + L"/tavlin/");
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "data/share/tavlin"));
}

TEST_F(PathsTest, DesktopSettingsFallsBackBesideTheProgram) {
  std::filesystem::create_directory(root_ / "program");
  const ProgramLocation program{root_.wstring() + L"/program/", L"tavlin"};
  WriteBytes(root_ / "not-a-folder", "x");
  for (const std::wstring& unusable : {root_.wstring() + L"/not-a-folder/share", std::wstring()}) {
    EXPECT_EQ(MakeDesktopSettingsDirectory(unusable, program), program.directory + L"settings/");
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "program/settings"));
  }
}

TEST_F(PathsTest, SettingsFolderUnderANonAsciiHomeIsCreatedWithItsRealName) {
  unsetenv("TAVLIN_SETTINGS_DIR");
  const std::filesystem::path dataHome = root_ / "J\xC3\xB6rg" / "share";
  setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
  ClearPathCache();
  const std::wstring folder = SettingsDirectory();
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(folder, root_.wstring() + L"/J\u00F6rg/share/" + ProgramName() + L"/");
  EXPECT_TRUE(std::filesystem::is_directory(dataHome / NativePath(ProgramName())));
}

TEST_F(PathsTest, FoldersAreCachedUntilTheCacheIsCleared) {
  const std::wstring first = SettingsDirectory();
  const std::wstring firstCache = CachedResourcesFileName();
  setenv("TAVLIN_SETTINGS_DIR", (root_ / "other").c_str(), 1);
  EXPECT_EQ(SettingsDirectory(), first);
  EXPECT_EQ(CachedResourcesFileName(), firstCache);
  ClearPathCache();
  EXPECT_EQ(SettingsDirectory(), root_.wstring() + L"/other/");
  EXPECT_EQ(CachedResourcesFileName(), root_.wstring() + L"/other/cached_resources.dat");
  EXPECT_TRUE(std::filesystem::is_directory(root_ / "other"));
}

TEST_F(PathsTest, EveryFolderEndsWithTheSeparator) {
  for (const std::wstring& folder : {ModuleDirectory(), SettingsDirectory(), GetResourcesDirectory()}) {
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'/') << NativePath(folder);
  }
  EXPECT_EQ(ResourcesFileName(), GetResourcesDirectory() + L"resources.dat");
  EXPECT_EQ(JoinPath(L"/a/", L"b.txt"), L"/a/b.txt");
}

TEST_F(PathsTest, ModuleDirectoryNamesTheRunningProgram) {
  EXPECT_EQ(ProgramName(), L"app_tests");
  EXPECT_TRUE(std::filesystem::is_regular_file(NativePath(ModuleDirectory() + ProgramName())));
}

TEST_F(PathsTest, ResourcesOfAnInstalledProgramLieUnderShare) {
  std::filesystem::create_directories(root_ / "bin");
  std::filesystem::create_directories(root_ / "share/tavlin/resources");
  const std::wstring bin = root_.wstring() + L"/bin/";
  EXPECT_EQ(ChooseResourcesDirectory(bin), root_.wstring() + L"/share/tavlin/resources/");
  std::filesystem::create_directories(root_ / "bin/resources");
  EXPECT_EQ(ChooseResourcesDirectory(bin), bin + L"resources/");
}

}  // namespace
