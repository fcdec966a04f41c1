// The player's options and statistics between the application and the
// settings files: the change of player saves the old player's and takes the
// new one's; the save keeps the player's data file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "forms/application/UserSettingsCommands.h"
#include "forms/dialogs/LoadCurrentUserSettings.h"
#include "tests/support/application_fixture.h"

namespace application_test {
namespace {

using dialogs_test::Bytes;
using dialogs_test::OptionsOfPlayer;
using dialogs_test::StatisticsOfPlayer;
using dialogs_test::StoredPlayers;

// Ann (id 0, current) and Bob (id 1) with settings files, Dan (id 2)
// without; Ann's data file holds bytes of her own.  The application holds
// Ann's settings, changed since they were loaded.
class ChangeUserTest : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    dialogs_test::WritePlayers({L"Ann", L"Bob"}, L"Ann");
    data_objects::users users = StoredPlayers();
    ASSERT_TRUE(AddUser(users, L"Dan"));
    ASSERT_TRUE(SaveUsers(users));
    std::ofstream(NativePath(UserDataFileName(0)), std::ios::binary) << annData;
    LoadCurrentUserSpecificSettings_Command().Execute();
    ASSERT_EQ(state->options, OptionsOfPlayer(0));
    state->options.showGuideLines = true;
    state->statistics.push_back(StatisticRecord{5, 2, 100, 1, 100, 100, 100});
    annOptions = state->options;
    annStatistics = state->statistics;
  }

  UserSettings StoredSettings(int id) {
    UserSettings settings(L"");
    LoadUserSettings(settings, id);
    return settings;
  }

  const std::string annData = std::string(500, '\x07');
  Options annOptions;
  std::vector<StatisticRecord> annStatistics;
};

// The player asked for, the current player afterwards, and the settings
// the application then holds: that player's stored ones, or (nobody of
// that name) still Ann's.
struct ChangeCase {
  const char* test;
  std::wstring name;
  std::wstring current;
  bool keepsAnns;
  Options options;
  std::vector<StatisticRecord> statistics;
};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.test; }

class ChangeUserCaseTest : public ChangeUserTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangeUserCaseTest, TheOldPlayersSettingsAreSavedAndTheNewPlayersTaken) {
  const ChangeCase& c = GetParam();
  const std::shared_ptr<GameBase> game = state->game;
  ChangeUserCommand(c.name).Execute();

  const UserSettings ann = StoredSettings(0);
  EXPECT_EQ(ann.options, annOptions);
  EXPECT_EQ(ann.statistics, annStatistics);
  EXPECT_EQ(Bytes(UserDataFileName(0)), annData);
  EXPECT_EQ(GetCurrentUserName(StoredPlayers()), c.current);
  EXPECT_EQ(state->options, c.keepsAnns ? annOptions : c.options);
  EXPECT_EQ(state->statistics, c.keepsAnns ? annStatistics : c.statistics);
  EXPECT_EQ(state->game, game) << "the game goes on";
}

INSTANTIATE_TEST_SUITE_P(Players, ChangeUserCaseTest,
                         ::testing::Values(ChangeCase{"ToBob", L"Bob", L"Bob", false, OptionsOfPlayer(1),
                                                      StatisticsOfPlayer(1)},
                                           ChangeCase{"ToDanWithoutSettings", L"Dan", L"Dan", false, Options{}, {}},
                                           ChangeCase{"ToAnnAgain", L"Ann", L"Ann", true, {}, {}},
                                           ChangeCase{"ToNobody", L"Cleo", L"Ann", true, {}, {}}),
                         [](const auto& info) { return std::string(info.param.test); });

// The texts are not reloaded on a change of player, so the options keep
// naming the loaded language whatever the new player had stored; otherwise
// the language dialog would preselect a language the screen is not in.
TEST_F(ChangeUserTest, TheLoadedLanguageStaysInTheOptions) {
  UserSettings bob = StoredSettings(1);
  bob.name = L"Bob";
  bob.options.language = L"en";
  ASSERT_TRUE(SaveUserSettings(bob, 1));
  state->options.language = L"de";

  ChangeUserCommand(L"Bob").Execute();
  EXPECT_EQ(state->options.language, L"de");
  EXPECT_EQ(state->options.enteringNumbers, OptionsOfPlayer(1).enteringNumbers) << "the rest is Bob's";

  LoadCurrentUserSpecificSettings_Command().Execute();
  EXPECT_EQ(state->options.language, L"de");
}

TEST_F(ApplicationTest, WithoutAPlayerTheSaveWritesNothing) {
  state->options.showGuideLines = true;
  SaveGameOptionsToCurrentUserCommand().Execute();
  EXPECT_FALSE(std::filesystem::exists(NativePath(UserSettingsFileName(0))));
  EXPECT_FALSE(std::filesystem::exists(NativePath(UserDataFileName(0))));
}

}  // namespace
}  // namespace application_test
