#include "app/web/AnonymousId.h"

#include "app/web/RequestCipher.h"
#include "base/SmallFile.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <sstream>

char IdCharacter(int randValue) {
  // The byte is signed on purpose: the ids already stored were made so.
  auto ch = static_cast<std::int8_t>(static_cast<std::uint8_t>(randValue % 122 + 49));
  if (ch > 90) ch = '1';
  if (ch < 49) ch = 'Z';
  return static_cast<char>(ch);
}

long LocalDayCount() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::chrono::year_month_day date{std::chrono::year{local.tm_year + 1900},
                                         std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                         std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
  return static_cast<long>(std::chrono::sys_days{date}.time_since_epoch().count());
}

std::string MakeAnonymousId(unsigned seed, long dayCount) {
  std::srand(seed);
  std::string raw;
  for (int k = 0; k < 8; ++k) raw.push_back(IdCharacter(std::rand()));
  return RequestCipher(std::to_string(dayCount)).Encipher(raw);
}

bool IsAnonymousId(std::string_view token) {
  if (token.size() != 16) return false;
  for (const char c : token) {
    if (c < 'a' || c > 'p') return false;
  }
  return true;
}

std::string ReadOrMakeAnonymousId(const std::wstring& remoteFile) {
  if (const std::optional<std::string> text = ReadSmallFile(remoteFile, 4096)) {
    std::istringstream tokens(*text);
    std::string first;
    tokens >> first;
    if (IsAnonymousId(first)) return first;
  }
  // The real time, not the tick count: ours starts at 0 with the program,
  // which would give every first run the same id (and, through srand, the
  // same puzzles afterwards).
  const std::string id = MakeAnonymousId(static_cast<unsigned>(std::time(nullptr)), LocalDayCount());
  ReplaceFileAtomically(remoteFile, id);
  return id;
}
