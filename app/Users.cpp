#include "app/Users.h"

#include "app/Paths.h"
#include "base/SmallFile.h"
#include "base/utf.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <filesystem>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace {

// A player record takes at most about 120 bytes, so this leaves room for
// thousands of players; anything longer is not a list of ours.
constexpr std::size_t kMaxUsersFileBytes = 1024 * 1024;

// A damaged list is read only up to the damage, and the next save would
// drop the rest for good; the copy keeps it for whoever mends it.  Far more
// than a list of ours, yet bounded: the copy is read whole.
constexpr std::size_t kMaxDamagedCopyBytes = 64 * 1024 * 1024;

std::wstring UsersFileName() { return JoinPath(SettingsDirectory(), L"users.txt"); }
std::wstring DamagedUsersFileName() { return JoinPath(SettingsDirectory(), L"users.txt.damaged"); }

// The name as the file stores it: at most kMaxUserNameUnits UTF-16 units,
// never ending in half a surrogate pair.
std::u16string StoredUnits(const std::wstring& name) {
  std::u16string units = wide_to_utf16(name);
  if (units.size() > kMaxUserNameUnits) {
    std::size_t length = kMaxUserNameUnits;
    if (units[length - 1] >= 0xD800 && units[length - 1] <= 0xDBFF) --length;
    units.resize(length);
  }
  return units;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The bytes of "users.txt" read front to back.  The format has exactly one
// LF between fields and none at the end, so anything else is damage.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

  bool AtEnd() const { return m_pos == m_bytes.size(); }
  bool Newline() { return Take('\n'); }

  // A decimal number, '-' allowed when signed; nothing when there is no
  // digit or it does not fit an int.
  std::optional<int> Number(bool allowSign) {
    const char* first = m_bytes.data() + m_pos;
    const char* last = m_bytes.data() + m_bytes.size();
    if (!allowSign && first != last && *first == '-') return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc()) return std::nullopt;
    m_pos += static_cast<std::size_t>(end - first);
    return value;
  }

  std::optional<std::string_view> Bytes(std::size_t count) {
    if (m_bytes.size() - m_pos < count) return std::nullopt;
    const std::string_view taken = m_bytes.substr(m_pos, count);
    m_pos += count;
    return taken;
  }

  // Whether a field ends here: an LF follows, or the end of the file.
  bool AtFieldEnd() const { return AtEnd() || m_bytes[m_pos] == '\n'; }

  std::size_t Position() const { return m_pos; }

 private:
  bool Take(char expected) {
    if (AtEnd() || m_bytes[m_pos] != expected) return false;
    ++m_pos;
    return true;
  }

  std::string_view m_bytes;
  std::size_t m_pos = 0;
};

// The length line and the name of a record, after its leading LF; nothing
// when they are not there.  A length beyond the names the file holds is not
// one.
std::optional<std::string_view> LengthAndName(Reader& in) {
  const std::optional<int> length = in.Number(false);
  if (!length || *length > kMaxUserNameUnits || !in.Newline()) return std::nullopt;
  return in.Bytes(static_cast<std::size_t>(*length) * 2);
}

// Whether a name's bytes end the way a record does: an LF and an id.
bool EndsInAnId(std::string_view raw) {
  const std::size_t newline = raw.rfind('\n');
  if (newline == std::string_view::npos) return false;
  std::string_view id = raw.substr(newline + 1);
  if (!id.empty() && id.front() == '-') id.remove_prefix(1);
  return !id.empty() && std::all_of(id.begin(), id.end(), IsDigit);
}

struct PlayerRecord {
  data_objects::users::item_type player;
  // Where its id's digits lie in the file, and whether its name's bytes
  // end in an LF and an id (see IdMayBeTheNextLengthLine).
  std::size_t idStart = 0;
  std::size_t idEnd = 0;
  bool nameEndsInAnId = false;
};

// A record's fields after the LF that opens it: a length within the names
// the file can hold, an LF, that many units, an LF, an id, and then an LF
// (the next record's) or the end of the file; nothing when any of it is
// not there.
std::optional<PlayerRecord> ReadRecordFields(Reader& in) {
  const std::optional<std::string_view> raw = LengthAndName(in);
  if (!raw || !in.Newline()) return std::nullopt;
  const std::size_t idStart = in.Position();
  const std::optional<int> id = in.Number(true);
  if (!id || !in.AtFieldEnd()) return std::nullopt;

  std::u16string units;
  for (std::size_t i = 0; i < raw->size(); i += 2) {
    const auto unit =
        static_cast<char16_t>(static_cast<unsigned char>((*raw)[i]) | static_cast<unsigned char>((*raw)[i + 1]) << 8);
    if (unit == 0) break;  // the name ends at the first zero unit
    units.push_back(unit);
  }
  return PlayerRecord{{utf16_to_wide(units, utf_errors::lenient), *id}, idStart, in.Position(), EndsInAnId(*raw)};
}

// Reads one player record by its own bytes: an LF, then its fields.  What
// the name holds never counts: any unit may be part of a name, so a name
// whose bytes look like an LF and digits, or like whole records, is a name.
// (A length stretched to end just before a later id line therefore reads as
// one long name holding the records between, with that later id; no file
// the game writes looks like that, and telling it apart would mean refusing
// names players can type.)  A name that is not valid
// UTF-16 is not damage either: the length has already told where the
// record goes on, so the player is kept with U+FFFD for each bad unit.
std::optional<PlayerRecord> ReadPlayer(Reader& in) {
  if (!in.Newline()) return std::nullopt;
  return ReadRecordFields(in);
}

// Whether the bytes from here on are one record's fields and then whole
// records up to the end of the file.
bool WholeToTheEnd(Reader& in) {
  if (!ReadRecordFields(in)) return false;
  while (!in.AtEnd()) {
    if (!ReadPlayer(in)) return false;
  }
  return true;
}

// Whether a record read whole, just before a damaged one, may have taken
// its id from the next record's length line; then its id is not its own
// but a length, perhaps the id of a player lost with the damage, whose
// files it would take over.  So it is when the damage goes away once that
// is assumed: when the bytes from its id line, or from inside its id's
// digits, on read as whole records to the end of the file, starting with a
// length line this program writes (no zero, no leading zero):
// - from its id line when its name's bytes end in an LF and an id: its
//   length was stretched over its own end, and its name holds its real id;
// - from inside its digits: the LF between its id and the next length line
//   was lost, and its id runs on into that length.
bool IdMayBeTheNextLengthLine(std::string_view bytes, const PlayerRecord& record) {
  for (std::size_t at = record.idStart; at < record.idEnd; ++at) {
    if (at == record.idStart && !record.nameEndsInAnId) continue;
    if (bytes[at] < '1' || bytes[at] > '9') continue;
    Reader rest(bytes.substr(at));
    if (WholeToTheEnd(rest)) return true;
  }
  return false;
}

// Raises the next id above every player's id and above highestIdInUse, and
// makes a current id that names no player the first player's (or, with no
// players, the next id).
void MakeIdsUsable(data_objects::users& users, std::optional<int> highestIdInUse = std::nullopt) {
  bool currentFound = false;
  for (const auto& player : users.players) {
    highestIdInUse = std::max(highestIdInUse.value_or(INT_MIN), player->id);
    currentFound = currentFound || player->id == users.currentId;
  }
  if (highestIdInUse && users.nextId <= *highestIdInUse) {
    users.nextId = *highestIdInUse == INT_MAX ? INT_MAX : *highestIdInUse + 1;
  }
  if (!currentFound) users.currentId = users.players.empty() ? users.nextId : users.players.front()->id;
}

// The id in a file name that UserDataFileName or UserSettingsFileName gives,
// written exactly as they write it; nothing for any other name.
std::optional<int> PlayerFileId(std::string_view name) {
  static constexpr std::pair<std::string_view, std::string_view> kPatterns[] = {
      {"UserData", ".txt"},
      {"UserSettings", ".xml"},
  };
  for (const auto& [prefix, suffix] : kPatterns) {
    if (name.size() <= prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - suffix.size()) != suffix) {
      continue;
    }
    const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    int id = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    // A number beyond int is no id of ours; and only the form std::to_string
    // gives ("7", not "07") names a file that a player would load.
    if (error == std::errc() && end == digits.data() + digits.size() && std::to_string(id) == digits) return id;
  }
  return std::nullopt;
}

// The highest id that a player's file in the settings folder is named
// after.  Those files outlive a damaged "users.txt"; a new player given one
// of their ids would load another player's options and statistics.  Any
// entry counts, whatever its type: one that is not a file would still stand
// where that player's file has to go.
std::optional<int> HighestIdOfPlayerFiles() {
  std::optional<int> highest;
  std::error_code error;
  std::filesystem::directory_iterator entry(NativePath(SettingsDirectory()), error);
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    const std::optional<int> id = PlayerFileId(entry->path().filename().native());
    if (id) highest = std::max(highest.value_or(INT_MIN), *id);
  }
  return highest;
}

// Copies "users.txt" to "users.txt.damaged" when it cannot be read whole,
// before a save replaces it; one copy, the latest damaged list.  False when
// the copy could not be written: then the list must not be replaced either.
bool KeepDamagedListAside() {
  const std::optional<std::string> bytes = ReadSmallFile(UsersFileName(), kMaxDamagedCopyBytes);
  if (!bytes) return true;
  bool damaged = bytes->size() > kMaxUsersFileBytes;
  if (!damaged) ParseUsers(*bytes, damaged);
  return !damaged || ReplaceFileAtomically(DamagedUsersFileName(), *bytes);
}

}  // namespace

data_objects::users ParseUsers(const std::string& bytes, bool& damaged) {
  data_objects::users users;
  Reader in(bytes);
  const std::optional<int> nextId = in.Number(true);
  const std::optional<int> currentId = nextId && in.Newline() ? in.Number(true) : std::nullopt;
  if (!currentId) {
    damaged = !bytes.empty();
    MakeIdsUsable(users);
    return users;
  }
  users.nextId = *nextId;
  users.currentId = *currentId;
  // Each player's files are named after the id, so two players with one id
  // would read and overwrite each other's settings, and deleting one would
  // delete the other's: a repeated id is a damaged record like any other.
  std::unordered_set<int> ids;
  std::optional<PlayerRecord> last;
  damaged = false;
  while (!in.AtEnd() && !damaged) {
    std::optional<PlayerRecord> record = ReadPlayer(in);
    damaged = !record || !ids.insert(record->player.id).second;
    if (!damaged) {
      users.players.push_back(std::make_shared<data_objects::users::item_type>(record->player));
      last = std::move(record);
    }
  }
  // Each record is judged by its own bytes, so whole records before the
  // damage are kept; only the one just before it may have run into the
  // damaged one, and then it goes with it.
  if (damaged && last && IdMayBeTheNextLengthLine(bytes, *last)) users.players.pop_back();
  MakeIdsUsable(users);
  return users;
}

data_objects::users ParseUsers(const std::string& bytes) {
  bool damaged = false;
  return ParseUsers(bytes, damaged);
}

std::string SerializeUsers(const data_objects::users& users) {
  std::string bytes = std::to_string(users.nextId);
  bytes += '\n';
  bytes += std::to_string(users.currentId);
  for (const auto& player : users.players) {
    const std::u16string units = StoredUnits(player->name);
    bytes += '\n';
    bytes += std::to_string(units.size());
    bytes += '\n';
    for (char16_t unit : units) {
      bytes.push_back(static_cast<char>(unit & 0xFF));
      bytes.push_back(static_cast<char>(unit >> 8));
    }
    bytes += '\n';
    bytes += std::to_string(player->id);
  }
  return bytes;
}

void LoadUsers(data_objects::users& users) {
  const std::optional<std::string> bytes = ReadSmallFile(UsersFileName(), kMaxUsersFileBytes);
  users = bytes ? ParseUsers(*bytes) : data_objects::users{};
  MakeIdsUsable(users, HighestIdOfPlayerFiles());
}

bool SaveUsers(const data_objects::users& users) {
  if (!KeepDamagedListAside()) return false;
  return ReplaceFileAtomically(UsersFileName(), SerializeUsers(users));
}

bool AddUser(data_objects::users& users, const std::wstring& name) {
  const std::wstring stored = utf16_to_wide(StoredUnits(name));
  const bool exists = std::any_of(users.players.begin(), users.players.end(),
                                  [&](const auto& player) { return player->name == stored; });
  // An id at the top of the range cannot be followed by another; refusing is
  // better than handing out an id twice.
  if (exists || users.nextId == INT_MAX) return false;
  auto player = std::make_shared<data_objects::users::item_type>();
  player->name = stored;
  player->id = users.nextId++;
  users.players.push_back(std::move(player));
  return true;
}

std::wstring GetCurrentUserName(const data_objects::users& users) {
  for (const auto& player : users.players) {
    if (player->id == users.currentId) return player->name;
  }
  throw "There is no active user!";
}

void SelectUserByName(data_objects::users& users, const std::wstring& name) {
  for (const auto& player : users.players) {
    if (player->name == name) {
      users.currentId = player->id;
      return;
    }
  }
  throw "There is no such user!";
}

std::wstring UserDataFileName(int id) {
  return JoinPath(SettingsDirectory(), L"UserData" + std::to_wstring(id) + L".txt");
}

std::wstring UserSettingsFileName(int id) {
  return JoinPath(SettingsDirectory(), L"UserSettings" + std::to_wstring(id) + L".xml");
}

void DeleteUserFiles(int id) {
  unlink(NativePath(UserDataFileName(id)).c_str());
  unlink(NativePath(UserSettingsFileName(id)).c_str());
}
