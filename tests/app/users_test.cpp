#include "app/Users.h"

#include "TempFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::string_literals;
using Players = std::vector<std::pair<std::wstring, int>>;

Players PlayersOf(const data_objects::users& users) {
  Players players;
  for (const auto& player : users.players) players.emplace_back(player->name, player->id);
  return players;
}

data_objects::users MakeUsers(const Players& players, int nextId, int currentId) {
  data_objects::users users;
  for (const auto& [name, id] : players) {
    users.players.push_back(std::make_shared<data_objects::users::item_type>(data_objects::users::item_type{name, id}));
  }
  users.nextId = nextId;
  users.currentId = currentId;
  return users;
}

// The two players of the file format's example: "Player 1" (id 0) and a
// three-letter name (id 1), the second current, next id 2.
const std::string kExampleBytes =
    std::string("2\n1\n8\n") + "P\0l\0a\0y\0e\0r\0 \0001\0"s + "\n0\n3\n" + "A\0n\0n\0"s + "\n1";

TEST(UsersFormat, WritesTheExampleBytesAndReadsThemBack) {
  const data_objects::users users = MakeUsers({{L"Player 1", 0}, {L"Ann", 1}}, 2, 1);
  EXPECT_EQ(SerializeUsers(users), kExampleBytes);
  const data_objects::users read = ParseUsers(kExampleBytes);
  EXPECT_EQ(PlayersOf(read), PlayersOf(users));
  EXPECT_EQ(read.nextId, 2);
  EXPECT_EQ(read.currentId, 1);
}

TEST(UsersFormat, AnEmptyListIsJustTheTwoIds) {
  EXPECT_EQ(SerializeUsers(data_objects::users{}), "0\n0");
  const data_objects::users read = ParseUsers("0\n0");
  EXPECT_TRUE(read.players.empty());
  EXPECT_EQ(read.nextId, 0);
  EXPECT_EQ(read.currentId, 0);
}

TEST(UsersFormat, NamesOutsideTheBmpCountTwoUnits) {
  const std::wstring clef{wchar_t(0x1D11E)};
  const data_objects::users users = MakeUsers({{L"J\u00F6" + clef, 4}}, 5, 4);
  const std::string bytes = SerializeUsers(users);
  EXPECT_EQ(bytes, "5\n4\n4\nJ\0\xF6\0\x34\xD8\x1E\xDD\n4"s);
  EXPECT_EQ(PlayersOf(ParseUsers(bytes)), PlayersOf(users));
}

TEST(UsersFormat, NamesAreCutToWhatTheFileCanHoldWithoutSplittingAPair) {
  const std::wstring clef{wchar_t(0x1D11E)};
  data_objects::users users;
  ASSERT_TRUE(AddUser(users, std::wstring(47, L'a') + clef));  // 49 units
  ASSERT_TRUE(AddUser(users, std::wstring(60, L'b')));
  EXPECT_EQ(users.players[0]->name, std::wstring(47, L'a'));
  EXPECT_EQ(users.players[1]->name, std::wstring(48, L'b'));
  EXPECT_EQ(PlayersOf(ParseUsers(SerializeUsers(users))), PlayersOf(users));
}

struct DamagedCase {
  const char* what;
  std::string bytes;
  Players players;
  int nextId;
  int currentId;
};

class DamagedUsersTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedUsersTest, KeepsThePlayersBeforeTheFirstBadRecord) {
  const DamagedCase& c = GetParam();
  const data_objects::users users = ParseUsers(c.bytes);
  EXPECT_EQ(PlayersOf(users), c.players) << c.what;
  EXPECT_EQ(users.nextId, c.nextId) << c.what;
  EXPECT_EQ(users.currentId, c.currentId) << c.what;
}

const Players kExamplePlayers = {{L"Player 1", 0}, {L"Ann", 1}};
const std::string kFirstRecord = std::string("2\n0\n8\n") + "P\0l\0a\0y\0e\0r\0 \0001\0"s + "\n0";

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedUsersTest,
    ::testing::Values(
        DamagedCase{"final newline", kExampleBytes + "\n", kExamplePlayers, 2, 1},
        DamagedCase{"header is not a number", "x\n0", {}, 0, 0}, DamagedCase{"nothing at all", "", {}, 0, 0},
        DamagedCase{"id is not a number", kFirstRecord + "\n1\nB\0\nx"s, {{L"Player 1", 0}}, 2, 0},
        DamagedCase{
            "length above 48", kFirstRecord + "\n49\n" + std::string(98, 'a') + "\n1", {{L"Player 1", 0}}, 2, 0},
        DamagedCase{"negative length", kFirstRecord + "\n-1\n\n1", {{L"Player 1", 0}}, 2, 0},
        DamagedCase{"name cut short", kFirstRecord + "\n3\nB\0o"s, {{L"Player 1", 0}}, 2, 0},
        DamagedCase{"unpaired surrogate", kFirstRecord + "\n1\n" + "\x34\xD8"s + "\n1", {{L"Player 1", 0}}, 2, 0},
        DamagedCase{"zero unit ends the name", "1\n0\n2\nA\0\0\0\n0"s, {{L"A", 0}}, 1, 0},
        DamagedCase{"current id names no player", "2\n7\n1\nA\0\n0"s, {{L"A", 0}}, 2, 0},
        DamagedCase{"next id below a player's id", "1\n5\n1\nA\0\n5"s, {{L"A", 5}}, 6, 5},
        DamagedCase{"no players: the next player added becomes current", "5\n3", {}, 5, 5},
        DamagedCase{"an id that an earlier player has",
                    "3\n1\n1\nA\0\n1\n1\nB\0\n2\n1\nC\0\n1\n1\nD\0\n0"s,
                    {{L"A", 1}, {L"B", 2}},
                    3,
                    1}));

TEST(Users, AddUserAppendsWithTheNextIdAndRefusesDuplicates) {
  data_objects::users users = MakeUsers({{L"Player 1", 0}}, 3, 0);
  EXPECT_TRUE(AddUser(users, L"Ann"));
  EXPECT_EQ(PlayersOf(users), (Players{{L"Player 1", 0}, {L"Ann", 3}}));
  EXPECT_EQ(users.nextId, 4);
  EXPECT_EQ(users.currentId, 0);

  const std::string before = SerializeUsers(users);
  EXPECT_FALSE(AddUser(users, L"Ann"));
  EXPECT_EQ(SerializeUsers(users), before);
  EXPECT_TRUE(AddUser(users, L"ann"));  // the comparison is case-sensitive
}

TEST(Users, CurrentAndSelectedPlayersThrowTheirCharacterStrings) {
  data_objects::users users = MakeUsers({{L"A", 0}, {L"B", 1}, {L"B", 2}}, 3, 0);
  EXPECT_EQ(GetCurrentUserName(users), L"A");
  SelectUserByName(users, L"B");
  EXPECT_EQ(users.currentId, 1);  // the first of that name

  try {
    SelectUserByName(users, L"C");
    FAIL();
  } catch (const char* message) {
    EXPECT_STREQ(message, "There is no such user!");
  }
  EXPECT_EQ(users.currentId, 1);
  try {
    GetCurrentUserName(data_objects::users{});
    FAIL();
  } catch (const char* message) {
    EXPECT_STREQ(message, "There is no active user!");
  }
}

class UsersFileTest : public TempFolders {};

TEST_F(UsersFileTest, SavedListReadsBackFromUsersTxt) {
  data_objects::users users;
  LoadUsers(users);  // no file yet
  EXPECT_TRUE(users.players.empty());
  ASSERT_TRUE(AddUser(users, L"\u00C5sa"));
  ASSERT_TRUE(SaveUsers(users));
  EXPECT_EQ(ReadBytes(Settings("users.txt")), "1\n0\n3\n\xC5\0s\0a\0\n0"s);
  // Only users.txt: the temporary file was renamed over it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Settings()), {}), 1);

  data_objects::users read = MakeUsers({{L"stale", 9}}, 10, 9);
  LoadUsers(read);
  EXPECT_EQ(PlayersOf(read), (Players{{L"\u00C5sa", 0}}));
}

TEST_F(UsersFileTest, AListLongerThanAnyOfOursGivesTheEmptyList) {
  // Far more than thousands of players would take, and a link to a device
  // that never ends: neither is read whole.
  data_objects::users users;
  ASSERT_TRUE(AddUser(users, L"Ann"));
  ASSERT_TRUE(SaveUsers(users));
  std::filesystem::resize_file(Settings("users.txt"), 2 * 1024 * 1024);
  data_objects::users read = MakeUsers({{L"stale", 9}}, 10, 9);
  LoadUsers(read);
  EXPECT_TRUE(read.players.empty());
  EXPECT_EQ(read.nextId, 0);

  std::filesystem::remove(Settings("users.txt"));
  std::filesystem::create_symlink("/dev/zero", Settings("users.txt"));
  read = MakeUsers({{L"stale", 9}}, 10, 9);
  LoadUsers(read);
  EXPECT_TRUE(read.players.empty());
}

TEST_F(UsersFileTest, DeleteUserFilesRemovesBothAndToleratesMissingOnes) {
  EXPECT_EQ(UserSettingsFileName(3), Settings().wstring() + L"UserSettings3.xml");
  EXPECT_EQ(UserDataFileName(3), Settings().wstring() + L"UserData3.txt");
  WriteBytes(Settings("UserData3.txt"), "d");
  WriteBytes(Settings("UserSettings3.xml"), "s");
  WriteBytes(Settings("UserSettings4.xml"), "other player");
  DeleteUserFiles(3);
  EXPECT_FALSE(std::filesystem::exists(Settings("UserData3.txt")));
  EXPECT_FALSE(std::filesystem::exists(Settings("UserSettings3.xml")));
  EXPECT_TRUE(std::filesystem::exists(Settings("UserSettings4.xml")));
  DeleteUserFiles(3);
  WriteBytes(Settings("UserSettings5.xml"), "s");  // data file already gone
  DeleteUserFiles(5);
  EXPECT_FALSE(std::filesystem::exists(Settings("UserSettings5.xml")));
}

}  // namespace
