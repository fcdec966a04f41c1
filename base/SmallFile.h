#pragma once
// Bounded file reads and atomic whole-file writes: the one implementation
// behind every file the program reads or keeps. Paths are UTF-8 byte strings,
// or the wide strings the application keeps its folders in. No read trusts a
// file to be small: each stops at its limit.
//
// A file is never truncated and rewritten in place: the bytes go to a
// temporary file in the same folder, which is then renamed over the old one,
// so a crash or a full disk leaves either the old file or the new one.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The file's bytes; nothing when it cannot be opened or read, or when it is
// longer than maxBytes.
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t maxBytes);

// The first count bytes of the file (all of it when it is shorter); nothing
// when it cannot be opened or read.
std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count);

// Replaces the file with the bytes; false, with the old file untouched, when
// the temporary file cannot be written or renamed.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// The same for wide paths (one code point per element).  A path that is not
// valid text throws std::invalid_argument "UTF convertion failed.".
std::optional<std::string> ReadSmallFile(const std::wstring& path, std::size_t maxBytes);
std::optional<std::string> ReadFileStart(const std::wstring& path, std::size_t count);
bool ReplaceFileAtomically(const std::wstring& path, std::string_view bytes);
