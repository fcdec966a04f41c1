#pragma once
// The player list, kept in "users.txt" in the settings folder.
//
// The list is read again from the file by every command that needs it; no
// copy lives between commands.  Ids are never reused: a new player takes the
// next id, which only ever grows.  Each player's files in the settings folder
// are named after the id, and they outlive a damaged list, so the next id is
// also kept above every id that such a file is named after.
//
// "users.txt" (binary, every newline a single LF, numbers in ASCII decimal):
//   next id LF current id
//   then per player: LF length LF name LF id
// where the name is raw UTF-16LE (no byte-order mark, no terminator) and the
// length counts its UTF-16 units.  There is no final newline.

#include <memory>
#include <string>
#include <vector>

namespace data_objects {

struct users {
  struct item_type {
    std::wstring name;
    int id = 0;
  };

  std::vector<std::shared_ptr<item_type>> players;  // file order
  int nextId = 0;
  int currentId = 0;
};

}  // namespace data_objects

// The longest name the file format carries, in UTF-16 units.
constexpr int kMaxUserNameUnits = 48;

// Reads "users.txt".  A missing file gives an empty list, its ids 0 until
// raised as below; a damaged one gives the players before the first bad
// record, each record judged by its own bytes (bad: a length beyond the
// longest name, a name that runs past the file, a field not followed by
// exactly one LF, an id followed by neither an LF nor the end, an id an
// earlier player has), and one longer than any list of ours gives the empty
// list.  The record just before a bad one is dropped too when its id may
// be the next record's length line: when the rest of the file reads as
// whole records from its id line on (its name's bytes ending in an LF and
// an id, as when its length was stretched over its own end) or from inside
// its id's digits (as when the LF after its id was lost).
// What a name holds never makes its record bad, so every list this program
// writes reads back whole.  A name that is not valid UTF-16 does not
// make its record bad: the player is kept, with U+FFFD for each unit that
// cannot be read.  The ids are made usable: the next id lies above every
// player's id and above every id that a UserData or UserSettings file in the
// settings folder is named after, and a current id that names no player
// becomes the first player's (or, with no players, the next id, so the first
// player added becomes current).
void LoadUsers(data_objects::users& users);
// Writes "users.txt" (replaced atomically).  A "users.txt" that cannot be
// read whole is first copied to "users.txt.damaged" (replaced atomically,
// so one copy, the latest), as the new list drops what could not be read;
// when that copy fails the list is not replaced.  False when it could not be
// written; callers do not report it.
bool SaveUsers(const data_objects::users& users);

// Parses and produces the bytes of "users.txt"; SaveUsers is the second plus
// the file, LoadUsers the first plus the file and the ids of the players'
// files in the settings folder.
data_objects::users ParseUsers(const std::string& bytes);
// The same, telling whether the bytes hold anything it could not read: a
// damaged header or record, or bytes after the last record.
data_objects::users ParseUsers(const std::string& bytes, bool& damaged);
std::string SerializeUsers(const data_objects::users& users);

// Appends a player with the next id and returns true; false, with nothing
// changed, when a player of exactly that name exists.  The current player
// stays current.  Names are cut to the longest the file can hold.
bool AddUser(data_objects::users& users, const std::wstring& name);
// The current player's name; throws "There is no active user!" when the
// current id names no player.
std::wstring GetCurrentUserName(const data_objects::users& users);
// Makes the first player of that name current; throws "There is no such
// user!" when there is none.
void SelectUserByName(data_objects::users& users, const std::wstring& name);

// The player's files in the settings folder.
std::wstring UserDataFileName(int id);
std::wstring UserSettingsFileName(int id);
// Deletes the player's UserData file, then the UserSettings file; a missing
// file is no error.
void DeleteUserFiles(int id);
