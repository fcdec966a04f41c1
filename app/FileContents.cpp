#include "app/FileContents.h"

#include "app/Paths.h"
#include "game/SmallFile.h"

#include <optional>

namespace {

bool Take(std::optional<std::string> read, std::string& bytes) {
  if (!read) return false;
  bytes.swap(*read);
  return true;
}

}  // namespace

bool ReadFileContents(const std::wstring& path, std::string& bytes, std::size_t maxBytes) {
  return Take(ReadSmallFile(NativePath(path), maxBytes), bytes);
}

bool ReadFileStart(const std::wstring& path, std::size_t count, std::string& bytes) {
  return Take(ReadFileStart(NativePath(path), count), bytes);
}

bool ReplaceFileContents(const std::wstring& path, std::string_view bytes) {
  return ReplaceFileAtomically(NativePath(path), bytes);
}
