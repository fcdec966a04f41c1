#include "base/SmallFile.h"

#include "base/PathBytes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <utility>

namespace {

// When the process started (see RemoveStaleTemporaryFiles).  Zero until this
// unit's statics are initialised, so a clean-up that an earlier static
// initialiser might run finds no file old enough to remove.
timespec Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return now;
}
const timespec kProcessStart = Now();

constexpr std::string_view kTemporaryMark = ".tavlin-tmp.";
constexpr std::size_t kTemporarySuffixLength = 6;
constexpr std::string_view kSuffixCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

int CloseKeepingErrno(int descriptor) {
  const int saved = errno;
  const int result = close(descriptor);
  errno = saved;
  return result;
}

// A descriptor for reading the path when it names a regular file; -1
// otherwise.  O_NONBLOCK keeps open from waiting for the writer of a FIFO
// (or for a device); what is not a regular file is then refused before the
// first read, which could wait as long.  On a regular file the flag changes
// nothing.
int OpenRegularFile(const std::string& path) {
  int descriptor;
  do {
    descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) return -1;
  struct stat status {};
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    CloseKeepingErrno(descriptor);
    return -1;
  }
  return descriptor;
}

// At most `limit` bytes from the start of the file, read in pieces so that
// a generous limit costs nothing for a small file.
std::optional<std::string> ReadUpTo(const std::string& path, std::size_t limit) {
  const int descriptor = OpenRegularFile(path);
  if (descriptor < 0) return std::nullopt;
  std::string bytes;
  char piece[16 * 1024];
  bool failed = false;
  while (bytes.size() < limit) {
    const ssize_t count = read(descriptor, piece, std::min(sizeof piece, limit - bytes.size()));
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      failed = count < 0;
      break;
    }
    bytes.append(piece, static_cast<std::size_t>(count));
  }
  close(descriptor);
  if (failed) return std::nullopt;
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

// The folder part of a path, with its '/'.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// Six letters or digits, different from call to call and from process to
// process.  They need not be unpredictable: O_EXCL makes a clash fail, and
// the caller then draws again.
std::string TemporarySuffix() {
  static std::atomic<std::uint64_t> calls{0};
  const timespec now = Now();
  std::uint64_t state = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
                        (static_cast<std::uint64_t>(getpid()) << 42) ^ (calls++ * 0x9E3779B97F4A7C15ULL);
  // splitmix64's finaliser spreads every input bit over the whole state.
  state = (state ^ (state >> 30)) * 0xBF58476D1CE4E5B9ULL;
  state = (state ^ (state >> 27)) * 0x94D049BB133111EBULL;
  state ^= state >> 31;
  std::string suffix;
  for (std::size_t i = 0; i < kTemporarySuffixLength; ++i) {
    suffix.push_back(kSuffixCharacters[state % kSuffixCharacters.size()]);
    state /= kSuffixCharacters.size();
  }
  return suffix;
}

// Creates the temporary file beside the path and returns its descriptor, or
// -1.  mkstemp would do, but it makes every file 0600; created with 0644,
// the file gets what the umask (or the folder's default ACL) leaves of it,
// as any new file of the user's does.
int CreateTemporaryFile(const std::string& path, std::string& temporaryName) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryName = path + std::string(kTemporaryMark) + TemporarySuffix();
    const int descriptor = open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0644);
    if (descriptor >= 0) return descriptor;
    if (errno != EEXIST && errno != EINTR) return -1;
  }
  return -1;
}

// The replaced file's permission bits go to the new one.  A file with
// narrower bits than the umask gives (a private 0600, a shared 0640) would
// otherwise change its readers with the next save.
bool TakeModeOfReplacedFile(int descriptor, const std::string& path) {
  struct stat replaced {};
  if (stat(path.c_str(), &replaced) != 0 || !S_ISREG(replaced.st_mode)) return true;
  return fchmod(descriptor, replaced.st_mode & 07777) == 0;
}

// The rename is only an entry in the folder; until the folder reaches the
// disk, a power cut can bring the old file back, or leave no file at all.
// A file system that cannot sync a folder refuses with an error; the new
// file is in place all the same, so that is no failure.
void SyncFolder(const std::string& folder) {
  const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  while (fsync(descriptor) != 0 && errno == EINTR) {
  }
  close(descriptor);
}

struct FailureReporter {
  std::mutex mutex;
  std::function<void(const std::string&)> report;
};

FailureReporter& InstalledReporter() {
  static FailureReporter reporter;
  return reporter;
}

bool ReportFailure(const std::string& path) {
  std::function<void(const std::string&)> report;
  {
    FailureReporter& reporter = InstalledReporter();
    std::lock_guard lock(reporter.mutex);
    report = reporter.report;
  }
  // Called without the lock: a reporter that shows a modal box runs a
  // message loop, in which another save may fail.
  if (report) report(FolderOf(path));
  return false;
}

bool IsOurTemporaryName(std::string_view name) {
  if (name.size() <= kTemporaryMark.size() + kTemporarySuffixLength) return false;
  const std::string_view suffix = name.substr(name.size() - kTemporarySuffixLength);
  const std::string_view mark =
      name.substr(name.size() - kTemporarySuffixLength - kTemporaryMark.size(), kTemporaryMark.size());
  return mark == kTemporaryMark && std::all_of(suffix.begin(), suffix.end(), [](char c) {
           return kSuffixCharacters.find(c) != std::string_view::npos;
         });
}

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

}  // namespace

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t maxBytes) {
  // Read one byte more than allowed, to tell a file at the limit from a
  // longer one without trusting the size the file system reports (a file
  // can grow while it is read).
  std::optional<std::string> bytes = ReadUpTo(path, maxBytes + 1);
  if (bytes && bytes->size() > maxBytes) return std::nullopt;
  return bytes;
}

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count) { return ReadUpTo(path, count); }

bool ReplaceFileQuietly(const std::string& path, std::string_view bytes) {
  std::string temporaryName;
  const int descriptor = CreateTemporaryFile(path, temporaryName);
  if (descriptor < 0) return false;
  const bool written =
      TakeModeOfReplacedFile(descriptor, path) && WriteAll(descriptor, bytes) && fsync(descriptor) == 0;
  const bool closed = close(descriptor) == 0;
  if (!written || !closed || rename(temporaryName.c_str(), path.c_str()) != 0) {
    unlink(temporaryName.c_str());
    return false;
  }
  SyncFolder(FolderOf(path));
  return true;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  return ReplaceFileQuietly(path, bytes) || ReportFailure(path);
}

std::optional<std::string> ReadSmallFile(const std::wstring& path, std::size_t maxBytes) {
  return ReadSmallFile(PathToBytes(path), maxBytes);
}

std::optional<std::string> ReadFileStart(const std::wstring& path, std::size_t count) {
  return ReadFileStart(PathToBytes(path), count);
}

bool ReplaceFileAtomically(const std::wstring& path, std::string_view bytes) {
  return ReplaceFileAtomically(PathToBytes(path), bytes);
}

bool ReplaceFileQuietly(const std::wstring& path, std::string_view bytes) {
  return ReplaceFileQuietly(PathToBytes(path), bytes);
}

std::function<void(const std::string& folderBytes)> SetReplaceFailureReporter(
    std::function<void(const std::string& folderBytes)> reporter) {
  FailureReporter& installed = InstalledReporter();
  std::lock_guard lock(installed.mutex);
  return std::exchange(installed.report, std::move(reporter));
}

void RemoveStaleTemporaryFiles(const std::string& folder) {
  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) return;
  const int folderDescriptor = dirfd(directory);
  while (const dirent* entry = readdir(directory)) {
    if (!IsOurTemporaryName(entry->d_name)) continue;
    struct stat status {};
    if (fstatat(folderDescriptor, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(status.st_mode) && Before(status.st_mtim, kProcessStart)) {
      unlinkat(folderDescriptor, entry->d_name, 0);
    }
  }
  closedir(directory);
}

void RemoveStaleTemporaryFiles(const std::wstring& folder) { RemoveStaleTemporaryFiles(PathToBytes(folder)); }
