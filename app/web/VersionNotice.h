// What the last run learnt about newer versions, and whether it may be
// shown.  The statistics reply is stored as it came ("sudoku_version.dat":
// the newest version and the address to get it from); the next start reads
// it here before it offers the address to the player.  The file comes from
// the network, so the address is only ever an ordinary web page: the system
// opener would just as well start a program or open a local file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The version this program is.
inline constexpr const char* kProgramVersion = "1.1";

struct NewVersionNotice {
  std::string version;
  std::string address;
};

// The first two tokens of the version file's text when the first is a
// version other than ours and the second is an openable web address;
// nothing otherwise (an empty file, our version, a missing or unsafe
// address).
std::optional<NewVersionNotice> NewVersionIn(std::string_view versionFileText);

// True for an "http://" or "https://" address (the scheme in any case) with
// something after the scheme and nothing but printable ASCII: no white
// space, no control character, which an opener could take as a second
// argument or a line break.
bool IsOpenableWebAddress(std::string_view address);
