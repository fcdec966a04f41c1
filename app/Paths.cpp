#include "app/Paths.h"

#include "base/PathBytes.h"
#include "base/SmallFile.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <vector>

namespace {

// The web worker thread asks for the settings folder too, so the cache is
// guarded.
struct PathCache {
  std::mutex mutex;
  std::optional<ProgramLocation> program;
  std::wstring settingsDirectory;
  std::wstring resourcesDirectory;
  std::wstring resourcesFile;
  std::wstring cachedResourcesFile;
  bool settingsBesideProgram = false;
  // The settings folders whose stale temporary files this process has
  // removed; kept across ClearPathCache, so each is cleaned once.
  std::set<std::wstring> cleanedFolders;
};

PathCache& Cache() {
  static PathCache cache;
  return cache;
}

std::wstring WithTrailingSeparator(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'/') folder.push_back(L'/');
  return folder;
}

// An environment variable as a folder name, or empty when it is not set.
// The value is a file name, bytes that need not be UTF-8: it goes through
// the path codec, never the text one.
std::wstring FolderFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return {};
  return WithTrailingSeparator(PathFromBytes(value));
}

// The running program's path.  The link can be longer than any fixed buffer,
// so the buffer grows until the whole path fits.
std::wstring RunningProgramPath() {
  std::vector<char> buffer(400);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return PathFromBytes(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
    }
    buffer.resize(buffer.size() * 2);
  }
}

const ProgramLocation& Program(PathCache& cache) {
  if (!cache.program) cache.program = SplitProgramPath(RunningProgramPath());
  return *cache.program;
}

// The user's data folder: $XDG_DATA_HOME when it is an absolute path, else
// ~/.local/share; empty when neither is known.
std::wstring UserDataHome() {
  std::wstring dataHome = FolderFromEnvironment("XDG_DATA_HOME");
  if (!dataHome.empty() && dataHome.front() == L'/') return dataHome;
  const std::wstring home = FolderFromEnvironment("HOME");
  if (home.empty()) return {};
  return home + L".local/share/";
}

std::wstring ComputeSettingsDirectory(PathCache& cache) {
  std::wstring folder = FolderFromEnvironment("TAVLIN_SETTINGS_DIR");
  if (!folder.empty()) {
    CreateFolder(folder, true);
    return folder;
  }
  const ProgramLocation& program = Program(cache);
  if (cache.settingsBesideProgram) {
    folder = program.directory + L"settings/";
    CreateFolder(folder, false);
    return folder;
  }
  return MakeDesktopSettingsDirectory(UserDataHome(), program);
}

bool IsFolder(const std::wstring& folder) {
  std::error_code error;
  return std::filesystem::is_directory(NativePath(folder), error);
}

}  // namespace

ProgramLocation SplitProgramPath(const std::wstring& programPath) {
  const std::size_t separator = programPath.rfind(L'/');
  const std::size_t nameStart = separator == std::wstring::npos ? 0 : separator + 1;
  ProgramLocation location;
  location.directory = programPath.substr(0, nameStart);
  location.name = programPath.substr(nameStart);
  // A leading dot names a hidden file rather than starting an extension.
  const std::size_t dot = location.name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) location.name.erase(dot);
  return location;
}

bool CreateFolder(const std::wstring& folder, bool withParents) {
  std::error_code error;
  const std::filesystem::path path(NativePath(folder));
  if (withParents) {
    std::filesystem::create_directories(path, error);
  } else {
    std::filesystem::create_directory(path, error);
  }
  return IsFolder(folder);
}

std::wstring MakeDesktopSettingsDirectory(const std::wstring& dataHome, const ProgramLocation& program) {
  if (!dataHome.empty()) {
    const std::wstring folder = WithTrailingSeparator(dataHome) + program.name + L"/";
    if (CreateFolder(folder, true)) return folder;
  }
  const std::wstring fallback = program.directory + L"settings/";
  CreateFolder(fallback, false);
  return fallback;
}

std::wstring ChooseResourcesDirectory(const std::wstring& programDirectory) {
  const std::wstring besideProgram = programDirectory + L"resources/";
  if (IsFolder(besideProgram)) return besideProgram;
  const std::wstring binFolder = L"/bin/";
  if (programDirectory.size() > binFolder.size() &&
      programDirectory.compare(programDirectory.size() - binFolder.size(), binFolder.size(), binFolder) == 0) {
    const std::wstring prefix = programDirectory.substr(0, programDirectory.size() - binFolder.size() + 1);
    const std::wstring installed = prefix + L"share/tavlin/resources/";
    if (IsFolder(installed)) return installed;
  }
  return besideProgram;
}

std::wstring ModuleDirectory() {
  PathCache& cache = Cache();
  std::lock_guard lock(cache.mutex);
  return Program(cache).directory;
}

std::wstring ProgramName() {
  PathCache& cache = Cache();
  std::lock_guard lock(cache.mutex);
  return Program(cache).name;
}

std::wstring SettingsDirectory() {
  PathCache& cache = Cache();
  std::lock_guard lock(cache.mutex);
  if (cache.settingsDirectory.empty()) {
    cache.settingsDirectory = ComputeSettingsDirectory(cache);
    // Before anyone is handed the folder, so no save of this run has begun
    // in it.
    if (cache.cleanedFolders.insert(cache.settingsDirectory).second) {
      RemoveStaleTemporaryFiles(cache.settingsDirectory);
    }
  }
  return cache.settingsDirectory;
}

std::wstring GetResourcesDirectory() {
  PathCache& cache = Cache();
  std::lock_guard lock(cache.mutex);
  if (cache.resourcesDirectory.empty()) {
    cache.resourcesDirectory = FolderFromEnvironment("TAVLIN_RESOURCES_DIR");
    if (cache.resourcesDirectory.empty()) {
      cache.resourcesDirectory = ChooseResourcesDirectory(Program(cache).directory);
    }
  }
  return cache.resourcesDirectory;
}

std::wstring ResourcesFileName() {
  const std::wstring folder = GetResourcesDirectory();
  PathCache& cache = Cache();
  std::lock_guard lock(cache.mutex);
  if (cache.resourcesFile.empty()) cache.resourcesFile = JoinPath(folder, L"resources.dat");
  return cache.resourcesFile;
}

std::wstring CachedResourcesFileName() {
  const std::wstring folder = SettingsDirectory();
  PathCache& cache = Cache();
  std::lock_guard lock(cache.mutex);
  if (cache.cachedResourcesFile.empty()) cache.cachedResourcesFile = JoinPath(folder, L"cached_resources.dat");
  return cache.cachedResourcesFile;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) { return folder + name; }

void ClearPathCache() {
  PathCache& cache = Cache();
  std::lock_guard lock(cache.mutex);
  cache.program.reset();
  cache.settingsDirectory.clear();
  cache.resourcesDirectory.clear();
  cache.resourcesFile.clear();
  cache.cachedResourcesFile.clear();
}

void UseSettingsFolderBesideProgram(bool besideProgram) {
  PathCache& cache = Cache();
  std::lock_guard lock(cache.mutex);
  cache.settingsBesideProgram = besideProgram;
  cache.settingsDirectory.clear();
  cache.cachedResourcesFile.clear();
}

std::string NativePath(const std::wstring& path) { return PathToBytes(path); }
