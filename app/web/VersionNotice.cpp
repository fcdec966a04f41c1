#include "app/web/VersionNotice.h"

#include <cctype>
#include <sstream>

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t k = 0; k < prefix.size(); ++k) {
    if (std::tolower(static_cast<unsigned char>(text[k])) != prefix[k]) return false;
  }
  return true;
}

}  // namespace

bool IsOpenableWebAddress(std::string_view address) {
  std::size_t scheme = 0;
  if (StartsWithNoCase(address, "http://")) {
    scheme = 7;
  } else if (StartsWithNoCase(address, "https://")) {
    scheme = 8;
  } else {
    return false;
  }
  if (address.size() == scheme) return false;
  for (const char c : address) {
    if (c <= ' ' || c > '~') return false;  // white space, controls, DEL and every non-ASCII byte
  }
  return true;
}

std::optional<NewVersionNotice> NewVersionIn(std::string_view versionFileText) {
  std::istringstream tokens{std::string(versionFileText)};
  NewVersionNotice notice;
  tokens >> notice.version >> notice.address;
  if (notice.version.empty() || notice.version == kProgramVersion) return std::nullopt;
  if (!IsOpenableWebAddress(notice.address)) return std::nullopt;
  return notice;
}
