// A FIFO or a device where the program expects one of its files must not
// block start-up: every reader of the application refuses it at once and
// goes on as with a missing file.

#include "TempFolders.h"
#include "app/LevelsPackage.h"
#include "app/ResourceManager.h"
#include "app/UserSettings.h"
#include "app/Users.h"
#include "tests/support/FifoWatchdog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>

namespace {

struct ReaderCase {
  const char* name;
  bool inResources;  // else in the settings folder
  const char* file;
  std::function<bool()> read;  // true when it read something
};
void PrintTo(const ReaderCase& c, std::ostream* out) { *out << c.name; }

class FifoInDataFolder : public TempFolders, public ::testing::WithParamInterface<ReaderCase> {};

TEST_P(FifoInDataFolder, IsRefusedAtOnce) {
  const ReaderCase& c = GetParam();
  const std::string fifo = (c.inResources ? Resources(c.file) : Settings(c.file)).string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  bool readSomething = true;
  EXPECT_TRUE(ReturnsAtOnceOnFifo(fifo, [&] { readSomething = c.read(); })) << "blocked on the FIFO";
  EXPECT_FALSE(readSomething);
}

INSTANTIATE_TEST_SUITE_P(Table, FifoInDataFolder,
                         ::testing::Values(ReaderCase{"Users", false, "users.txt",
                                                      [] {
                                                        data_objects::users users;
                                                        LoadUsers(users);
                                                        return !users.players.empty();
                                                      }},
                                           ReaderCase{"UserSettings", false, "UserSettings0.xml",
                                                      [] {
                                                        UserSettings settings(L"Ann");
                                                        return LoadUserSettings(settings, 0);
                                                      }},
                                           ReaderCase{"CachedResources", false, "cached_resources.dat",
                                                      [] { return LoadResources(L"English", 480, 640); }},
                                           ReaderCase{"Resources", true, "resources.dat",
                                                      [] { return LoadResources(L"English", 480, 640); }},
                                           ReaderCase{
                                               "Languages", true, "resources.dat",
                                               [] { return !ReadSupportedLanguages(ResourcesFileName()).empty(); }},
                                           ReaderCase{"Package", true, "Packege3x3.dat",
                                                      [] {
                                                        data_objects::levels_package<kPuzzlesPerLevel> package(1, 1);
                                                        return LoadLevelsPackage(package);
                                                      }}),
                         [](const auto& info) { return std::string(info.param.name); });

// The player's data block is read after the settings file: a FIFO in its
// place leaves the block as it was.
class SpecialFiles : public TempFolders {};

TEST_F(SpecialFiles, AFifoForThePlayersDataBlockLeavesItUnread) {
  UserSettings settings(L"Ann");
  ASSERT_TRUE(SaveUserSettings(settings, 0));
  std::filesystem::remove(Settings("UserData0.txt"));
  const std::string fifo = Settings("UserData0.txt").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  UserSettings loaded(L"Ann");
  loaded.data.assign(500, 7);
  bool readSettings = false;
  EXPECT_TRUE(ReturnsAtOnceOnFifo(fifo, [&] { readSettings = LoadUserSettings(loaded, 0); }));
  EXPECT_TRUE(readSettings);
  EXPECT_EQ(loaded.data, std::vector<unsigned char>(500, 7));
}

}  // namespace
