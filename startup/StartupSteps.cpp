#include "startup/StartupSteps.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "base/SmallFile.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "startup/CannotStart.h"

namespace startup {

namespace {

// More than any list of ours; only its first two numbers are read here.
constexpr std::size_t kMaxUsersFileBytes = 1024 * 1024;

// The current id as "users.txt" stores it, before LoadUsers made it name a
// player; nothing when the file is missing or does not start with two ids.
std::optional<int> StoredCurrentId() {
  const std::optional<std::string> bytes =
      ReadSmallFile(JoinPath(SettingsDirectory(), L"users.txt"), kMaxUsersFileBytes);
  if (!bytes) return std::nullopt;
  std::istringstream in(*bytes);
  int nextId = 0;
  int currentId = 0;
  if (!(in >> nextId >> currentId)) return std::nullopt;
  return currentId;
}

// What the player is told when no language loads.  Without layouts or
// strings nothing else can be shown, so this text cannot come from the
// resource file either.
std::wstring ResourceFileProblem() {
  const std::wstring file = ResourcesFileName();
  std::error_code ignored;
  const bool present = std::filesystem::is_regular_file(NativePath(file), ignored);
  return std::wstring(L"The game cannot start: its resource file ") + (present ? L"is damaged" : L"is missing") +
         L".\n\nLooked for:\n" + file + L"\n\nInstall the game again to restore the file.";
}

}  // namespace

// LoadUsers already points a dangling current id at the first player (or,
// with no player, at the id the first one added will get), but only in
// memory: the file is written so that it agrees.
void LoadPlayers(data_objects::users& users) {
  LoadUsers(users);
  bool changed = false;
  if (users.players.empty()) {
    AddUser(users, kFirstPlayerName);
    changed = true;
  } else {
    changed = StoredCurrentId() != users.currentId;
  }
  if (changed) SaveUsers(users);
}

bool CachedResourcesUsable() {
  std::ifstream probe(NativePath(CachedResourcesFileName()), std::ios::binary);
  return probe.is_open();
}

std::wstring LoadLanguageResources(const std::wstring& stored, int width, int height) {
  if (LoadResources(stored, width, height)) return stored;
  if (stored != kFallbackLanguage && LoadResources(kFallbackLanguage, width, height)) return kFallbackLanguage;
  std::wstring first = stored;
  if (LoadResourcesOrFirstLanguage(first, width, height)) return first;
  throw CannotStart(ResourceFileProblem());
}

void LoadGlyphs() { notus::impl::details::app::load_glyph_document(JoinPath(GetResourcesDirectory(), L"glyphs.dat")); }

}  // namespace startup

void ThrowOnlyOneDomain() { throw std::logic_error("Only one domain is possible."); }
