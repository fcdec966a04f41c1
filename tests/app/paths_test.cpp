#include "app/Paths.h"

#include "TempFolders.h"
#include "app/Users.h"
#include "base/PathBytes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

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

// Sets an environment variable for the life of the object (unsets it with
// nothing), and puts back what was there.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    if (saved_) {
      setenv(name_, saved_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

struct LatinFolderCase {
  const char* name;
  const char* variable;  // set to the folder below
  std::string set;       // below the test's root
  std::string expected;  // the settings folder, below the test's root; "<program>" for the program's name
};
void PrintTo(const LatinFolderCase& c, std::ostream* out) { *out << c.name; }

class LatinFolders : public TempFolders, public ::testing::WithParamInterface<LatinFolderCase> {};

// A folder made under a Latin-1 locale has a name that is not UTF-8.  It is
// a folder like any other: the program finds it, and saves and loads there.
TEST_P(LatinFolders, ThePlayerListIsSavedAndLoadedThere) {
  const LatinFolderCase& c = GetParam();
  const std::string root = root_.string() + "/";
  ASSERT_TRUE(std::filesystem::create_directory(root + "j\xF6rg"));
  ScopedEnvironment settings("TAVLIN_SETTINGS_DIR", std::nullopt);
  ScopedEnvironment dataHome("XDG_DATA_HOME", std::nullopt);
  ScopedEnvironment home("HOME", std::nullopt);
  ScopedEnvironment variable(c.variable, root + c.set);
  ClearPathCache();

  std::string expected = root + c.expected;
  const std::size_t program = expected.find("<program>");
  if (program != std::string::npos) expected.replace(program, 9, NativePath(ProgramName()));
  EXPECT_EQ(NativePath(SettingsDirectory()), expected);
  ASSERT_TRUE(std::filesystem::is_directory(expected));

  data_objects::users users;
  ASSERT_TRUE(AddUser(users, L"J\u00F6rg"));
  ASSERT_TRUE(AddUser(users, L"Ann"));
  ASSERT_TRUE(SaveUsers(users));
  EXPECT_TRUE(std::filesystem::is_regular_file(expected + "users.txt"));
  data_objects::users loaded;
  LoadUsers(loaded);
  ASSERT_EQ(loaded.players.size(), 2u);
  EXPECT_EQ(loaded.players[0]->name, L"J\u00F6rg");
  EXPECT_EQ(loaded.players[1]->name, L"Ann");
  ClearPathCache();
}

INSTANTIATE_TEST_SUITE_P(
    Table, LatinFolders,
    ::testing::Values(LatinFolderCase{"SettingsDir", "TAVLIN_SETTINGS_DIR", "j\xF6rg/settings", "j\xF6rg/settings/"},
                      LatinFolderCase{"XdgDataHome", "XDG_DATA_HOME", "j\xF6rg/share", "j\xF6rg/share/<program>/"},
                      LatinFolderCase{"Home", "HOME", "j\xF6rg", "j\xF6rg/.local/share/<program>/"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PathsTest, AFolderNameThatIsNotUtf8ComesBackAsItsBytes) {
  const std::string folder = root_.string() + "/caf\xE9/";
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  EXPECT_EQ(NativePath(PathFromBytes(folder)), folder);
  EXPECT_EQ(NativePath(JoinPath(PathFromBytes(folder), L"users.txt")), folder + "users.txt");
  const ProgramLocation program = SplitProgramPath(PathFromBytes(folder + "tavlin"));
  EXPECT_EQ(NativePath(MakeDesktopSettingsDirectory(L"", program)), folder + "settings/");
  EXPECT_TRUE(std::filesystem::is_directory(folder + "settings"));
}

// The temporary files of a killed run are removed when the settings folder
// is first worked out, before anyone saves there.
TEST_F(PathsTest, StaleTemporaryFilesGoWhenTheSettingsFolderIsFirstWorkedOut) {
  std::filesystem::create_directory(root_ / "fresh-settings");
  const auto place = [&](const std::string& name, time_t modified) {
    const std::filesystem::path path = root_ / "fresh-settings" / name;
    WriteBytes(path, "partial");
    const timespec times[2] = {{modified, 0}, {modified, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
  };
  const time_t yesterday = time(nullptr) - 24 * 60 * 60;
  place("users.txt.tavlin-tmp.Ab3dE9", yesterday);
  place("users.txt.Ab3dE9", yesterday);
  setenv("TAVLIN_SETTINGS_DIR", (root_ / "fresh-settings").c_str(), 1);
  ClearPathCache();
  SettingsDirectory();
  EXPECT_FALSE(std::filesystem::exists(root_ / "fresh-settings/users.txt.tavlin-tmp.Ab3dE9"));
  EXPECT_TRUE(std::filesystem::exists(root_ / "fresh-settings/users.txt.Ab3dE9")) << "not a name of ours";
}

}  // namespace
