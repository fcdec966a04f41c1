#include "app/SessionMemory.h"

#include <map>
#include <memory>

namespace {

std::map<int, std::shared_ptr<std::string>>& Records() {
  static std::map<int, std::shared_ptr<std::string>> records;
  return records;
}

}  // namespace

namespace SessionMemory {

void Put(int id, const std::string& text) { Records()[id] = std::make_shared<std::string>(text); }

std::string Get(int id) {
  const auto& records = Records();
  const auto found = records.find(id);
  return found == records.end() ? std::string() : *found->second;
}

void Clear() { Records().clear(); }

}  // namespace SessionMemory

SessionMemoryWriter::SessionMemoryWriter(int id) : id(id) { *this << version << '\n'; }

SessionMemoryWriter::~SessionMemoryWriter() { SessionMemory::Put(id, str()); }

SessionMemoryReader::SessionMemoryReader(int id) : id(id) {
  str(SessionMemory::Get(id));
  // Since C++11 a failed extraction stores 0, so read into a temporary and
  // keep the "no record" version unless a number was really there.
  int stored = 0;
  if (*this >> stored) version = stored;
}
