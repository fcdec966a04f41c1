#pragma once
// State that forms keep between showings, for the life of the process only.
//
// A record is a short text under a numeric id: a version line, then the
// owner's values written with the ordinary stream operators.  Ids in use:
// 3 options form tab, 8 statistics page, 9 select-puzzle form, 10
// build-puzzle form, 16 the game clock's shown flag.

#include <sstream>
#include <string>

namespace SessionMemory {
// Stores a copy of the text under id, replacing any earlier one.
void Put(int id, const std::string& text);
// The text stored under id, or "" when there is none (nothing is added).
std::string Get(int id);
// Forgets every record.
void Clear();
}  // namespace SessionMemory

// Starts a record with the version line "1\n"; the owner streams its values
// in, and the destructor stores the whole text under the id.
class SessionMemoryWriter : public std::stringstream {
 public:
  explicit SessionMemoryWriter(int id);
  ~SessionMemoryWriter() override;
  SessionMemoryWriter(const SessionMemoryWriter&) = delete;
  SessionMemoryWriter& operator=(const SessionMemoryWriter&) = delete;

  const int version = 1;
  const int id;
};

// Loads the record of an id and reads its version.  The version stays
// kNoRecord when nothing is stored; otherwise the owner reads its values back
// in the order it wrote them.
class SessionMemoryReader : public std::stringstream {
 public:
  static constexpr int kNoRecord = 33333;

  explicit SessionMemoryReader(int id);

  int version = kNoRecord;
  const int id;
};
