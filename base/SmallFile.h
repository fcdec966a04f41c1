#pragma once
// Bounded file reads and atomic whole-file writes: the one implementation
// behind every file the program reads or keeps.  Paths are the file system's
// byte strings, or the wide strings the application keeps its folders in,
// which base/PathBytes.h turns into those bytes without loss.
//
// No read trusts a file: each stops at its limit, and only a regular file is
// read at all.  A FIFO, a socket or a device in a data folder (a damaged
// folder, a prank) would otherwise block the program in open or read, or
// feed it bytes for ever.
//
// A file is never truncated and rewritten in place: the bytes go to a
// temporary file in the same folder, which is then renamed over the old one,
// so a crash or a full disk leaves either the old file or the new one.  The
// temporary file is named "<name>.tavlin-tmp.XXXXXX" (six letters or digits),
// so that one left behind by a killed process is recognised and removed by
// the next run (RemoveStaleTemporaryFiles).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The file's bytes; nothing when it cannot be opened or read, is not a
// regular file, or is longer than maxBytes.
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t maxBytes);

// The first count bytes of the file (all of it when it is shorter); nothing
// when it cannot be opened or read or is not a regular file.
std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count);

// Replaces the file with the bytes; false, with the old file untouched, when
// the temporary file cannot be written or renamed.  The new file keeps the
// permission bits of the file it replaces; a file that did not exist gets
// 0644 less the umask.  After the rename the folder is synced as well, so
// that a power cut cannot bring the old file back.  A failure is passed to
// the reporter (SetReplaceFailureReporter).
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);
// The same without telling the reporter: for a thread that must not reach
// the player (the web exchange), a file whose loss is no news, or a file of
// the player's choosing, whose failure the caller tells in its own words.
bool ReplaceFileQuietly(const std::string& path, std::string_view bytes);

// The same for wide paths (one code point per element), through PathToBytes.
std::optional<std::string> ReadSmallFile(const std::wstring& path, std::size_t maxBytes);
std::optional<std::string> ReadFileStart(const std::wstring& path, std::size_t count);
bool ReplaceFileAtomically(const std::wstring& path, std::string_view bytes);
bool ReplaceFileQuietly(const std::wstring& path, std::string_view bytes);

// Called with the folder of the file (its bytes, up to and including the
// last '/'; "./" for a bare file name) each time ReplaceFileAtomically
// fails, on the thread that called it.  A save fails quietly otherwise: the
// caller goes on with what it has in memory.  The program installs one at
// start-up that tells the player; an empty function removes it.  Answers
// the reporter it replaces, so a caller can put it back.
std::function<void(const std::string& folderBytes)> SetReplaceFailureReporter(
    std::function<void(const std::string& folderBytes)> reporter);

// Removes the temporary files that a process killed in the middle of
// ReplaceFileAtomically left in the folder: regular files named exactly
// "<name>.tavlin-tmp.XXXXXX" and last modified before this process started.
// A newer one may be the work of a save running now and is left alone, as is
// every file of another form.  The process's start is the time taken when
// this unit's statics were initialised, before main: it is on the same wall
// clock as the file times, unlike the tick count of /proc/self/stat, which
// would have to be added to a boot time known only to the second.
void RemoveStaleTemporaryFiles(const std::string& folder);
void RemoveStaleTemporaryFiles(const std::wstring& folder);
