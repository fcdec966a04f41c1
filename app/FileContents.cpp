#include "app/FileContents.h"

#include "app/Paths.h"

#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
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

bool ReadFileContents(const std::wstring& path, std::string& bytes) {
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in) return false;
  std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  bytes.swap(contents);
  return true;
}

bool ReplaceFileContents(const std::wstring& path, std::string_view bytes) {
  const std::string target = NativePath(path);
  std::string pattern = target + ".XXXXXX";
  std::vector<char> temporaryName(pattern.begin(), pattern.end());
  temporaryName.push_back('\0');
  const int descriptor = mkstemp(temporaryName.data());
  if (descriptor < 0) return false;
  const bool written = WriteAll(descriptor, bytes) && fsync(descriptor) == 0;
  const bool closed = close(descriptor) == 0;
  if (!written || !closed || rename(temporaryName.data(), target.c_str()) != 0) {
    unlink(temporaryName.data());
    return false;
  }
  return true;
}
