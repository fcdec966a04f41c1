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

#include "app/ResourceManager.h"
#include "forms/application/UserSettingsCommands.h"
#include "forms/commands/OptionSetters.h"
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

  // As the preferences page does it: the option changes and is written.
  static void SetEnteringNumbersToZero() { SetEnteringNumbers(0).Execute(); }

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

// The new player's stored language decides the texts: one that loads is
// put on screen and into the options; one that cannot be loaded leaves the
// texts and the options as they were, but stays the player's in the file.
struct LanguageCase {
  const char* test;
  std::wstring bobsLanguage;
  std::wstring shown;     // the options' language afterwards
  std::wstring undoText;  // layout item (16, 3) in the texts loaded
};

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.test; }

class ChangeUserLanguageTest : public ChangeUserTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(ChangeUserLanguageTest, TheNewPlayersLanguageIsLoadedOrKeptInTheFile) {
  const LanguageCase& c = GetParam();
  UserSettings bob = StoredSettings(1);
  bob.options.language = c.bobsLanguage;
  ASSERT_TRUE(SaveUserSettings(bob, 1));
  ASSERT_EQ(state->options.language, L"en");

  ChangeUserCommand(L"Bob").Execute();
  EXPECT_EQ(state->options.language, c.shown);
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 3).text, c.undoText);
  EXPECT_EQ(state->options.enteringNumbers, OptionsOfPlayer(1).enteringNumbers) << "the rest is Bob's";

  // Saved by the option change and by the change back to Ann.
  SetEnteringNumbersToZero();
  ChangeUserCommand(L"Ann").Execute();
  EXPECT_EQ(StoredSettings(1).options.language, c.bobsLanguage);
  EXPECT_EQ(StoredSettings(1).options.enteringNumbers, 0);
  EXPECT_EQ(StoredSettings(0).options.language, L"en");
}

INSTANTIATE_TEST_SUITE_P(Languages, ChangeUserLanguageTest,
                         ::testing::Values(LanguageCase{"Loaded", L"de", L"de", L"R\u00FCckg\u00E4ngig"},
                                           LanguageCase{"NotLoadable", L"xx", L"en", L"Undo"},
                                           LanguageCase{"AsOnScreen", L"en", L"en", L"Undo"}),
                         [](const auto& info) { return std::string(info.param.test); });

// Two copies on one settings folder, both started with Ann current.  Copy A
// changes to Bob and is closed; then copy B, still playing as Ann, is
// closed.  Each copy's save goes to its own player's file, although
// "users.txt" names Bob by the time B saves.  One application object at a
// time: B's held settings are put back as B had them.
TEST_F(ChangeUserTest, TwoCopiesEachSaveTheirOwnPlayer) {
  const Application::HeldPlayer copyB = state->player.value();
  Options bOptions = annOptions;
  bOptions.gridSymbols = 1;

  ChangeUserCommand(L"Bob").Execute();
  state->options.sound = false;
  const Options bobOptions = state->options;
  SaveGameOptionsToCurrentUserCommand().Execute();
  ASSERT_EQ(GetCurrentUserName(StoredPlayers()), L"Bob");

  state->player = copyB;
  state->options = bOptions;
  state->statistics = annStatistics;
  SaveGameOptionsToCurrentUserCommand().Execute();

  EXPECT_EQ(StoredSettings(0).options, bOptions);
  EXPECT_EQ(StoredSettings(0).statistics, annStatistics);
  EXPECT_EQ(Bytes(UserDataFileName(0)), annData);
  EXPECT_EQ(StoredSettings(1).options, bobOptions);
  EXPECT_EQ(StoredSettings(1).statistics, StatisticsOfPlayer(1));
}

TEST_F(ApplicationTest, WithoutAPlayerTheSaveWritesNothing) {
  state->options.showGuideLines = true;
  SaveGameOptionsToCurrentUserCommand().Execute();
  EXPECT_FALSE(std::filesystem::exists(NativePath(UserSettingsFileName(0))));
  EXPECT_FALSE(std::filesystem::exists(NativePath(UserDataFileName(0))));
}

}  // namespace
}  // namespace application_test
