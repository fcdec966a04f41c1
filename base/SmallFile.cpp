#include "base/SmallFile.h"

#include "base/utf.h"

#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <vector>

namespace {

// At most `limit` bytes from the start of the file, read in pieces so that
// a generous limit costs nothing for a small file.
std::optional<std::string> ReadUpTo(const std::string& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  char piece[16 * 1024];
  while (bytes.size() < limit) {
    in.read(piece, static_cast<std::streamsize>(std::min(sizeof piece, limit - bytes.size())));
    bytes.append(piece, static_cast<std::size_t>(in.gcount()));
    if (!in) break;
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t maxBytes) {
  // Read one byte more than allowed, to tell a file at the limit from a
  // longer one without trusting the size the file system reports (a pipe or
  // a device reports none).
  std::optional<std::string> bytes = ReadUpTo(path, maxBytes + 1);
  if (bytes && bytes->size() > maxBytes) return std::nullopt;
  return bytes;
}

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count) { return ReadUpTo(path, count); }

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  std::string pattern = path + ".XXXXXX";
  std::vector<char> temporaryName(pattern.begin(), pattern.end());
  temporaryName.push_back('\0');
  const int descriptor = mkstemp(temporaryName.data());
  if (descriptor < 0) return false;
  const bool written = WriteAll(descriptor, bytes) && fsync(descriptor) == 0;
  const bool closed = close(descriptor) == 0;
  if (!written || !closed || rename(temporaryName.data(), path.c_str()) != 0) {
    unlink(temporaryName.data());
    return false;
  }
  return true;
}

std::optional<std::string> ReadSmallFile(const std::wstring& path, std::size_t maxBytes) {
  return ReadSmallFile(wide_to_utf8(path), maxBytes);
}

std::optional<std::string> ReadFileStart(const std::wstring& path, std::size_t count) {
  return ReadFileStart(wide_to_utf8(path), count);
}

bool ReplaceFileAtomically(const std::wstring& path, std::string_view bytes) {
  return ReplaceFileAtomically(wide_to_utf8(path), bytes);
}
