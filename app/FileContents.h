#pragma once
// Bounded file reads and atomic whole-file writes for the application's
// wide paths; the work is done by the game's SmallFile unit.
//
// A settings file is never truncated and rewritten in place: the new bytes go
// to a temporary file in the same folder, which is then renamed over the old
// one, so a crash or a full disk leaves either the old file or the new one.

#include <cstddef>
#include <string>
#include <string_view>

// The file's bytes; false when it cannot be opened or read, or is longer than
// maxBytes (a damaged or foreign file: no reader trusts a file to be small).
bool ReadFileContents(const std::wstring& path, std::string& bytes, std::size_t maxBytes);

// The first count bytes of the file (all of it when it is shorter); false
// when it cannot be opened or read.
bool ReadFileStart(const std::wstring& path, std::size_t count, std::string& bytes);

// Replaces the file with the bytes; false (and the old file untouched) when
// the temporary file cannot be written or renamed.
bool ReplaceFileContents(const std::wstring& path, std::string_view bytes);
