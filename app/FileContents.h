#pragma once
// Whole-file reads and atomic whole-file writes.
//
// A settings file is never truncated and rewritten in place: the new bytes go
// to a temporary file in the same folder, which is then renamed over the old
// one, so a crash or a full disk leaves either the old file or the new one.

#include <string>
#include <string_view>

// The file's bytes; false when it cannot be opened or read.
bool ReadFileContents(const std::wstring& path, std::string& bytes);

// Replaces the file with the bytes; false (and the old file untouched) when
// the temporary file cannot be written or renamed.
bool ReplaceFileContents(const std::wstring& path, std::string_view bytes);
