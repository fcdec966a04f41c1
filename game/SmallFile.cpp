#include "game/SmallFile.h"

#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <vector>

namespace {

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
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  // Read one byte more than allowed, to tell a file at the limit from a
  // longer one without trusting the size the file system reports.
  std::vector<char> buffer(maxBytes + 1);
  in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  if (in.bad()) return std::nullopt;
  const std::size_t count = static_cast<std::size_t>(in.gcount());
  if (count > maxBytes) return std::nullopt;
  bytes.assign(buffer.data(), count);
  return bytes;
}

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
