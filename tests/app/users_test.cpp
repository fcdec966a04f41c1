#include "app/Users.h"

#include "TempFolders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
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

// A test name made of the case's words: "lone high" gives "LoneHigh".
std::string CaseName(const char* what) {
  std::string name;
  bool startOfWord = true;
  for (const char* c = what; *c != '\0'; ++c) {
    const auto character = static_cast<unsigned char>(*c);
    if (std::isalnum(character)) {
      name += static_cast<char>(startOfWord ? std::toupper(character) : character);
      startOfWord = false;
    } else {
      startOfWord = startOfWord || std::isspace(character);
    }
  }
  return name;
}

// One player record as the file stores it: LF length LF UTF-16LE units LF id.
std::string Record(const std::u16string& units, int id) {
  std::string bytes = "\n" + std::to_string(units.size()) + "\n";
  for (char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes + "\n" + std::to_string(id);
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

// Every BMP unit a name may hold (printable: no C0 or C1 control, no DEL, no
// surrogate half), first, in the middle and last in a name, each such name
// with two players or more after it: the list reads back whole and is not
// taken for damaged.  A unit such as U+300A ends in the bytes of an LF and a
// digit, the shape of the record fields around a name.
TEST(UsersFormat, EveryUnitANameMayHoldReadsBackAnywhereInTheName) {
  int failures = 0;
  for (char32_t unit = 0x20; unit <= 0xFFFF && failures < 10; ++unit) {
    if ((unit >= 0x7F && unit < 0xA0) || (unit >= 0xD800 && unit <= 0xDFFF)) continue;
    const std::wstring u(1, static_cast<wchar_t>(unit));
    const data_objects::users users =
        MakeUsers({{u + L"nn", 3}, {L"A" + u + L"n", 4}, {L"An" + u, 5}, {L"Bo", 6}, {L"Cy", 7}}, 8, 7);
    bool damaged = true;
    const data_objects::users read = ParseUsers(SerializeUsers(users), damaged);
    if (damaged || PlayersOf(read) != PlayersOf(users) || read.nextId != 8 || read.currentId != 7) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(unit) << ": " << read.players.size() << " players";
      ++failures;
    }
  }
}

// Names whose units together spell the fields around a name: an LF and an
// id, a length line, whole records.  Structure alone tells damage, so they
// read back whole too.
TEST(UsersFormat, NamesThatSpellWholeRecordsReadBackWhole) {
  const std::wstring spellsARecord = L"a\u300A\u310A\u0A30bcdefghijk";  // LF 0, LF 1, 0 LF, ten units
  const std::wstring spellsTwo = L"Ann\u300A\u330A\u420A\u6F00\u6200\u0A00\u0A31\u0A33Cid";
  const data_objects::users users = MakeUsers({{spellsARecord, 0}, {spellsTwo, 1}, {L"Bo", 2}}, 3, 2);
  bool damaged = true;
  const data_objects::users read = ParseUsers(SerializeUsers(users), damaged);
  EXPECT_FALSE(damaged);
  EXPECT_EQ(PlayersOf(read), PlayersOf(users));
}

struct DamagedCase {
  const char* what;
  std::string bytes;
  Players players;
  int nextId;
  int currentId;
};

void PrintTo(const DamagedCase& c, std::ostream* out) { *out << c.what; }

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
        DamagedCase{"zero unit ends the name", "1\n0\n2\nA\0\0\0\n0"s, {{L"A", 0}}, 1, 0},
        DamagedCase{"current id names no player", "2\n7\n1\nA\0\n0"s, {{L"A", 0}}, 2, 0},
        DamagedCase{"next id below a player's id", "1\n5\n1\nA\0\n5"s, {{L"A", 5}}, 6, 5},
        DamagedCase{"no players: the next player added becomes current", "5\n3", {}, 5, 5},
        // Ann's length stretched over exactly Bob's and Cid's records leaves
        // a sound structure: its bytes are those of a 14-unit name with
        // Cid's id, which a player may have typed, so it reads as that.
        DamagedCase{"a length that swallows whole records reads as the name they spell",
                    "6\n5\n3\nZ\0o\0e\0\n5\n14\nA\0n\0n\0\n0\n3\nB\0o\0b\0\n1\n3\nC\0i\0d\0\n2"s,
                    {{L"Zoe", 5}, {L"Ann\u300A\u330A\u420A\u6F00\u6200\u0A00\u0A31\u0A33Cid", 2}},
                    6,
                    5},
        DamagedCase{"a length that ends inside the id",
                    "6\n5\n3\nZ\0o\0e\0\n5\n4\nA\0n\0n\0\n0\n3\nB\0o\0b\0\n1"s,
                    {{L"Zoe", 5}},
                    6,
                    5},
        DamagedCase{"a length that ends inside the id, before a name that starts with a digit",
                    "6\n5\n3\nZ\0o\0e\0\n5\n4\nA\0n\0n\0\n0\n2\n7\0x\0\n1"s,
                    {{L"Zoe", 5}},
                    6,
                    5},
        DamagedCase{"a length one unit short", "6\n5\n3\nZ\0o\0e\0\n5\n2\nA\0n\0n\0\n0"s, {{L"Zoe", 5}}, 6, 5},
        DamagedCase{"a blank where a newline belongs", kFirstRecord + "\n1\nB\0 1"s, {{L"Player 1", 0}}, 2, 0},
        DamagedCase{"an id that an earlier player has",
                    "3\n1\n1\nA\0\n1\n1\nB\0\n2\n1\nC\0\n1\n1\nD\0\n0"s,
                    {{L"A", 1}, {L"B", 2}},
                    3,
                    1}));

// The damage starts right after a whole record: the records before it are
// judged by their own bytes and kept, whatever the damaged one holds.  Only
// a record whose id may be the next record's length line goes with the
// damage: its length stretched over its own end, or its id run on into
// that line.
const std::string kZoeAndAnn = "4\n2" + Record(u"Zoe", 0) + Record(u"Ann", 2);
const std::string kBob = "B\0o\0b\0\n3"s;
const Players kZoeAndAnnPlayers = {{L"Zoe", 0}, {L"Ann", 2}};

INSTANTIATE_TEST_SUITE_P(
    DamageAfterAWholeRecord, DamagedUsersTest,
    ::testing::Values(
        DamagedCase{
            "the example of a garbled length line", "4\n1" + Record(u"Ann", 1) + "\nx3\n" + kBob, {{L"Ann", 1}}, 4, 1},
        DamagedCase{"an emptied length line", kZoeAndAnn + "\n\n" + kBob, kZoeAndAnnPlayers, 4, 2},
        DamagedCase{"an extra LF before the length line", kZoeAndAnn + "\n\n3\n" + kBob, kZoeAndAnnPlayers, 4, 2},
        DamagedCase{"a blank before the length", kZoeAndAnn + "\n 3\n" + kBob, kZoeAndAnnPlayers, 4, 2},
        DamagedCase{"a letter after the length", kZoeAndAnn + "\n3b\n" + kBob, kZoeAndAnnPlayers, 4, 2},
        DamagedCase{"a lost length line", kZoeAndAnn + "\n" + kBob, kZoeAndAnnPlayers, 4, 2},
        DamagedCase{"a name ending in the bytes of an LF and a digit",
                    "4\n2" + Record(u"Zoe", 0) + Record(u"Ann\u300A", 2) + "\nx3\n" + kBob,
                    {{L"Zoe", 0}, {L"Ann\u300A", 2}},
                    4,
                    2},
        // Ann's length 10 runs over her id and Bob's record, up to Cid's
        // length line, which would give her Cid's id.
        DamagedCase{"a length stretched over a whole record up to the next length line",
                    "13\n5" + Record(u"Zoe", 5) + "\n10\nA\0n\0n\0\n0\n3\nB\0o\0b\0\n12"s + Record(u"Cid", 3),
                    {{L"Zoe", 5}},
                    13,
                    5},
        // The LF between Ann's id and Bob's length line lost: her id would
        // run on into the length, 1 and 3 making Cy's 13.
        DamagedCase{"an id run on into the next length line",
                    "14\n0" + Record(u"Zoe", 0) + "\n3\nA\0n\0n\0\n1"s + "3\nB\0o\0b\0\n2"s + Record(u"Cy", 13),
                    {{L"Zoe", 0}},
                    14,
                    0}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) { return CaseName(info.param.what); });

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

// The damaged list is kept whole beside the one that replaces it: the copy
// of the first damaged list survives later saves, a list damaged anew
// replaces it, and a copy that cannot be written stops the save.
TEST_F(UsersFileTest, ADamagedListIsCopiedAsideBeforeASaveReplacesIt) {
  const std::string damaged = kFirstRecord + "\n40\nB\0o\0b\0\n1"s;
  WriteBytes(Settings("users.txt"), damaged);
  data_objects::users users;
  LoadUsers(users);
  ASSERT_TRUE(AddUser(users, L"Cy"));
  ASSERT_TRUE(SaveUsers(users));
  EXPECT_EQ(ReadBytes(Settings("users.txt.damaged")), damaged);
  EXPECT_EQ(ReadBytes(Settings("users.txt")), SerializeUsers(users));
  ASSERT_TRUE(AddUser(users, L"Di"));
  ASSERT_TRUE(SaveUsers(users));
  EXPECT_EQ(ReadBytes(Settings("users.txt.damaged")), damaged) << "a sound list is not copied";

  const std::string damagedAgain = kExampleBytes + "\n";
  WriteBytes(Settings("users.txt"), damagedAgain);
  ASSERT_TRUE(SaveUsers(users));
  EXPECT_EQ(ReadBytes(Settings("users.txt.damaged")), damagedAgain);

  WriteBytes(Settings("users.txt"), damaged);
  std::filesystem::remove(Settings("users.txt.damaged"));
  std::filesystem::create_directory(Settings("users.txt.damaged"));
  EXPECT_FALSE(SaveUsers(users));
  EXPECT_EQ(ReadBytes(Settings("users.txt")), damaged);
}

// Names whose units hold the bytes of an LF and a digit.  The list the game
// wrote reads back whole, and the copy of an earlier damaged list is not
// replaced by it.
TEST_F(UsersFileTest, AListOfNamesWithLineFeedBytesSurvivesSavesAndKeepsTheDamagedCopy) {
  const std::string damaged = kFirstRecord + "\n40\nB\0o\0b\0\n1"s;
  WriteBytes(Settings("users.txt"), damaged);
  data_objects::users users;
  LoadUsers(users);
  for (const wchar_t* name : {L"Ann\u300A", L"\u310A", L"Cy", L"\u300A\u310A\u0A32"}) ASSERT_TRUE(AddUser(users, name));
  ASSERT_TRUE(SaveUsers(users));
  const Players expected = PlayersOf(users);

  data_objects::users read;
  LoadUsers(read);
  EXPECT_EQ(PlayersOf(read), expected);
  ASSERT_TRUE(SaveUsers(read));
  EXPECT_EQ(ReadBytes(Settings("users.txt.damaged")), damaged);
  LoadUsers(read);
  EXPECT_EQ(PlayersOf(read), expected);
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

// A list the program cannot read whole, beside the files of the players it
// held.  Each file name that is a player's keeps that id from every player
// added later, or the new player would load the old one's options and
// statistics.
struct DamagedFileCase {
  const char* what;
  std::optional<std::string> bytes;  // nothing: no users.txt at all
  std::size_t padWithBlanksTo;       // 0: as it is
  std::vector<std::string> files;
  std::optional<int> newId;  // nothing: no id is left to hand out
};

void PrintTo(const DamagedFileCase& c, std::ostream* out) { *out << c.what; }

class DamagedUsersFileTest : public TempFolders, public ::testing::WithParamInterface<DamagedFileCase> {};

TEST_P(DamagedUsersFileTest, TheNextPlayerTakesAnIdAboveEveryPlayerFile) {
  const DamagedFileCase& c = GetParam();
  if (c.bytes) {
    std::ofstream out(Settings("users.txt"), std::ios::binary);
    out << *c.bytes;
    const std::string blanks(1024 * 1024, ' ');
    for (std::size_t size = c.bytes->size(); size < c.padWithBlanksTo; size += blanks.size()) {
      out.write(blanks.data(), static_cast<std::streamsize>(std::min(blanks.size(), c.padWithBlanksTo - size)));
    }
  }
  for (const std::string& file : c.files) WriteBytes(Settings(file), "a player's file");

  data_objects::users users;
  LoadUsers(users);
  const bool wasEmpty = users.players.empty();
  if (!c.newId) {
    EXPECT_FALSE(AddUser(users, L"New"));
    return;
  }
  ASSERT_TRUE(AddUser(users, L"New"));
  EXPECT_EQ(users.players.back()->id, *c.newId);
  // With no players left, the one added becomes current, as on a first start.
  if (wasEmpty) {
    EXPECT_EQ(GetCurrentUserName(users), L"New");
  }
}

std::string WithFirstByte(std::string bytes, char first) {
  bytes[0] = first;
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedUsersFileTest,
    ::testing::Values(
        DamagedFileCase{"header",
                        WithFirstByte(kExampleBytes, 'x'),
                        0,
                        {"UserSettings0.xml", "UserData0.txt", "UserSettings1.xml", "UserData1.txt"},
                        2},
        DamagedFileCase{"record length 3 read as 9",
                        std::string("2\n1\n8\n") + "P\0l\0a\0y\0e\0r\0 \0001\0"s + "\n0\n9\n" + "A\0n\0n\0"s + "\n1",
                        0,
                        {"UserSettings0.xml", "UserData0.txt", "UserSettings1.xml", "UserData1.txt"},
                        2},
        DamagedFileCase{"a valid list padded with blanks to 100 MB",
                        kExampleBytes,
                        100 * 1024 * 1024,
                        {"UserSettings0.xml", "UserData1.txt", "UserSettings7.xml"},
                        8},
        DamagedFileCase{"no users.txt", std::nullopt, 0, {"UserData3.txt"}, 4},
        DamagedFileCase{"names that are no player's file",
                        WithFirstByte(kExampleBytes, 'x'),
                        0,
                        {"UserData1.txt", "UserSettings07.xml", "UserSettings+5.xml", "UserSettings 5.xml",
                         "UserSettings5.xml.bak", "usersettings5.xml", "UserSettings5.txt", "UserData.txt",
                         "UserData2147483648.txt", "UserData99999999999999999999.txt", "UserSettings-9.xml"},
                        2},
        DamagedFileCase{"a next id above the files stays", "9\n1" + Record(u"Ann", 1), 0, {"UserSettings1.xml"}, 9},
        DamagedFileCase{
            "the last id there is", WithFirstByte(kExampleBytes, 'x'), 0, {"UserData2147483647.txt"}, std::nullopt}),
    [](const ::testing::TestParamInfo<DamagedFileCase>& info) { return CaseName(info.param.what); });

// A name that is not valid UTF-16 is one damaged field of a length-prefixed
// record, so the reader goes on past it: the player stays, with U+FFFD for
// each unit that cannot be read, and so do the players after it.
struct BadNameCase {
  const char* what;
  std::u16string units;
  std::wstring name;
};

void PrintTo(const BadNameCase& c, std::ostream* out) { *out << c.what; }

class BadNameTest : public TempFolders, public ::testing::WithParamInterface<BadNameCase> {};

TEST_P(BadNameTest, KeepsThePlayerAndEveryPlayerAfterIt) {
  const BadNameCase& c = GetParam();
  // The player after the bad name is current.
  WriteBytes(Settings("users.txt"), "10\n9" + Record(u"Ann", 4) + Record(c.units, 7) + Record(u"Cy", 9));
  const Players expected = {{L"Ann", 4}, {c.name, 7}, {L"Cy", 9}};

  data_objects::users users;
  LoadUsers(users);
  EXPECT_EQ(PlayersOf(users), expected);
  EXPECT_EQ(users.nextId, 10);
  EXPECT_EQ(users.currentId, 9);

  // Saved and read again, every player is still there.
  ASSERT_TRUE(SaveUsers(users));
  data_objects::users again;
  LoadUsers(again);
  EXPECT_EQ(PlayersOf(again), expected);
  EXPECT_EQ(again.nextId, 10);
  EXPECT_EQ(again.currentId, 9);
}

INSTANTIATE_TEST_SUITE_P(Table, BadNameTest,
                         ::testing::Values(BadNameCase{"lone high", {u'B', 0xD834, u'o'}, L"B\uFFFDo"},
                                           BadNameCase{"lone high at the end", {u'B', 0xD834}, L"B\uFFFD"},
                                           BadNameCase{"lone low", {0xDD1E, u'x'}, L"\uFFFDx"},
                                           BadNameCase{"reversed pair", {0xDD1E, 0xD834}, L"\uFFFD\uFFFD"},
                                           BadNameCase{"lone high before a pair",
                                                       {0xD834, 0xD834, 0xDD1E},
                                                       L"\uFFFD" + std::wstring{wchar_t(0x1D11E)}}),
                         [](const ::testing::TestParamInfo<BadNameCase>& info) { return CaseName(info.param.what); });

}  // namespace
