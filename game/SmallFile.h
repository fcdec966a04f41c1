#pragma once
// Whole-file reads with a size limit and atomic whole-file writes, for the
// files the game keeps itself. Paths are UTF-8 byte strings.
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

// Replaces the file with the bytes; false, with the old file untouched, when
// the temporary file cannot be written or renamed.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);
