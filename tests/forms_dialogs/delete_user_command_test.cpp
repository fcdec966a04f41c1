// Deleting a player through the OK/Cancel dialog, with the players' files on
// disk: the removal rules, what is written and deleted, and whose settings
// the application holds afterwards.
#include <optional>
#include <string>
#include <vector>

#include "forms/dialogs/DeleteUserCommand.h"
#include "tests/support/dialogs_fixture.h"

namespace dialogs_test {
namespace {

using names = std::vector<std::wstring>;

class DeleteUserCommandTest : public DialogsTest {
 protected:
  // The settings the application holds before: the player's whose turn it
  // was, as far as these tests care, and no player's on disk.
  void HoldUnsavedSettings() {
    state->options = OptionsOfPlayer(5);
    state->statistics = {StatisticRecord{5, 2, 999, 9, 99, 199, 111}};
  }
};

struct DeleteCase {
  const char* name;
  names players;
  std::wstring current;
  std::wstring deleted;
  bool accept;
  bool executed;
  bool failed;
  names remaining;  // in file order
  std::wstring currentAfter;
  // The index of the player whose settings the application holds after;
  // none: still the unsaved ones.
  std::optional<int> settingsOf;
};

TEST_F(DeleteUserCommandTest, RemovalRules) {
  const DeleteCase cases[] = {
      {"cancelled", {L"Ann", L"Bob"}, L"Bob", L"Ann", false, false, false, {L"Ann", L"Bob"}, L"Bob", {}},
      {"the only player", {L"Ann"}, L"Ann", L"Ann", true, true, true, {L"Ann"}, L"Ann", {}},
      {"a name not in the list", {L"Ann", L"Bob"}, L"Ann", L"Ann ", true, true, true, {L"Ann", L"Bob"}, L"Ann", {}},
      {"another player, order kept",
       {L"Ann", L"Bob", L"Cid"},
       L"Cid",
       L"Bob",
       true,
       true,
       false,
       {L"Ann", L"Cid"},
       L"Cid",
       {}},
      {"the current player: the first remaining becomes current",
       {L"Ann", L"Bob", L"Cid"},
       L"Cid",
       L"Cid",
       true,
       true,
       false,
       {L"Ann", L"Bob"},
       L"Ann",
       0},
      {"the current first player",
       {L"Ann", L"Bob", L"Cid"},
       L"Ann",
       L"Ann",
       true,
       true,
       false,
       {L"Bob", L"Cid"},
       L"Bob",
       1},
  };
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(folders.root / "settings");
    std::filesystem::create_directory(folders.root / "settings");
    WritePlayers(c.players, c.current);
    const data_objects::users before = StoredPlayers();
    const std::string listBefore = Bytes(UsersFileName());
    HoldUnsavedSettings();
    const Options heldOptions = state->options;
    const std::vector<StatisticRecord> heldStatistics = state->statistics;

    DialogScript script(main);
    script.Answer().Click(15, c.accept ? 2 : 3);
    DeleteUserCommand command(c.deleted);
    command.Execute();
    EXPECT_TRUE(script.Done());

    EXPECT_EQ(command.executed, c.executed);
    EXPECT_EQ(command.failed, c.failed);
    const data_objects::users after = StoredPlayers();
    EXPECT_EQ(StoredNames(), c.remaining);
    EXPECT_EQ(GetCurrentUserName(after), c.currentAfter);
    if (c.remaining == c.players) {
      EXPECT_EQ(Bytes(UsersFileName()), listBefore) << "the list was written";
    }
    // Exactly the deleted player's files are gone.
    for (const auto& player : before.players) {
      const bool kept = std::find(c.remaining.begin(), c.remaining.end(), player->name) != c.remaining.end();
      EXPECT_EQ(PlayerFilesExist(player->id), kept) << player->id;
    }
    if (c.settingsOf) {
      EXPECT_EQ(state->options, OptionsOfPlayer(*c.settingsOf));
      EXPECT_EQ(state->statistics, StatisticsOfPlayer(*c.settingsOf));
    } else {
      EXPECT_EQ(state->options, heldOptions);
      EXPECT_EQ(state->statistics, heldStatistics);
    }
  }
}

// A list that cannot be saved keeps the player: nothing is deleted, and the
// command says it failed.
TEST_F(DeleteUserCommandTest, ASaveThatFailsIsARefusal) {
  WritePlayers({L"Ann", L"Bob"}, L"Bob");
  const std::string listBefore = Bytes(UsersFileName());
  HoldUnsavedSettings();
  const std::vector<StatisticRecord> heldStatistics = state->statistics;

  DialogScript script(main);
  script.Answer().Key(VK_RETURN);
  DeleteUserCommand command(L"Bob");
  {
    FullDisk disk;
    command.Execute();
  }
  EXPECT_TRUE(script.Done());
  EXPECT_TRUE(command.executed);
  EXPECT_TRUE(command.failed);
  EXPECT_EQ(Bytes(UsersFileName()), listBefore);
  for (const auto& player : StoredPlayers().players) EXPECT_TRUE(PlayerFilesExist(player->id)) << player->id;
  EXPECT_EQ(state->statistics, heldStatistics);
}

// A player without a settings file leaves the defaults, not the deleted
// player's settings.
TEST_F(DeleteUserCommandTest, ANewCurrentPlayerWithoutSettingsGetsTheDefaults) {
  WritePlayers({L"Ann", L"Bob"}, L"Bob");
  const data_objects::users users = StoredPlayers();
  std::filesystem::remove(NativePath(UserSettingsFileName(users.players[0]->id)));
  HoldUnsavedSettings();

  DialogScript script(main);
  script.Answer().Click(15, 2);
  DeleteUserCommand command(L"Bob");
  command.Execute();
  EXPECT_FALSE(command.failed);
  EXPECT_EQ(state->options, Options{});
  EXPECT_TRUE(state->statistics.empty());
}

TEST_F(DeleteUserCommandTest, AMissingItemThrowsBeforeTheQuestion) {
  WritePlayers({L"Ann", L"Bob"}, L"Bob");
  const std::string listBefore = Bytes(UsersFileName());
  LoadLayoutsWithout(15, 4);
  DialogScript script(main);
  DeleteUserCommand command(L"Bob");
  EXPECT_THROW(command.Execute(), std::invalid_argument);
  EXPECT_EQ(script.Answered(), 0u);
  EXPECT_FALSE(command.executed);
  EXPECT_EQ(Bytes(UsersFileName()), listBefore);
}

}  // namespace
}  // namespace dialogs_test
