#include "startup/StartupSteps.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "base/SmallFile.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "startup/CannotStart.h"
#include "svg/glyph_lookup.h"
#include "svg/svg_exception.h"
#include "svg/svg_parser.h"
#include "svg/xml_document_file.h"

#include <tinyxml.h>

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

// What the player is told when a file the game cannot start without is
// unusable: which one (the first line, by whether it is there at all), where
// it was looked for and what to do.
struct FileProblemTexts {
  std::wstring missing;
  std::wstring damaged;
  std::wstring lookedFor = L"Looked for:";
  std::wstring whatToDo = L"Install the game again to restore the file.";
};

CannotStart FileProblem(const FileProblemTexts& texts, const std::wstring& file) {
  std::error_code ignored;
  const bool present = std::filesystem::is_regular_file(NativePath(file), ignored);
  return CannotStart((present ? texts.damaged : texts.missing) + L"\n\n" + texts.lookedFor + L"\n" + file + L"\n\n" +
                     texts.whatToDo);
}

// Without the resource file nothing else may be shown, so its own problem
// cannot be told in the player's language.
FileProblemTexts ResourceFileProblem() {
  return {.missing = L"The game cannot start: its resource file is missing.",
          .damaged = L"The game cannot start: its resource file is damaged."};
}

// The art is checked once a language is loaded, and is told in it; English
// where the language lacks a text.
FileProblemTexts ArtFileProblem() {
  constexpr int kMissing = 447, kDamaged = 448, kLookedFor = 449, kWhatToDo = 450;
  FileProblemTexts texts{.missing = L"The game cannot start: its art file is missing.",
                         .damaged = L"The game cannot start: its art file is damaged."};
  texts.missing = ResourceManager::GetStringOr(kMissing, texts.missing);
  texts.damaged = ResourceManager::GetStringOr(kDamaged, texts.damaged);
  texts.lookedFor = ResourceManager::GetStringOr(kLookedFor, texts.lookedFor);
  texts.whatToDo = ResourceManager::GetStringOr(kWhatToDo, texts.whatToDo);
  return texts;
}

// The glyphs the forms draw: the tab pairs, the game form's buttons in
// their three states, the clock and the keypads' switches and clears.
constexpr int kGlyphsDrawn[] = {100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113,
                                114, 115, 116, 117, 118, 119, 121, 122, 123, 124, 125, 126, 127, 128};
// The grid's value symbols: 1 to 9, then A to P for 16x16.
constexpr int kValueSymbols = 25;

bool Readable(const TiXmlElement& drawing) {
  try {
    agg::svg::path_renderer paths;
    agg::svg::parser reader(paths);
    reader.parse(drawing);
    return true;
  } catch (const agg::svg::exception&) {
    return false;
  }
}

// Whether the art document holds the drawings the game needs, each one our
// SVG reader takes: glyphs drawn later, when a form first shows, would end
// the program there with nothing to tell the player.
bool ArtUsable(const TiXmlDocument& document, int drawingsNeeded, std::span<const int> idsNeeded) {
  const TiXmlElement* root = document.RootElement();
  if (document.Error() || root == nullptr) return false;
  int drawings = 0;
  for (const TiXmlElement* drawing = root->FirstChildElement(); drawing; drawing = drawing->NextSiblingElement()) {
    if (!Readable(*drawing)) return false;
    ++drawings;
  }
  if (drawings < drawingsNeeded) return false;
  try {
    for (int id : idsNeeded) find_svg_node(document, id);
  } catch (const char*) {
    return false;
  }
  return true;
}

bool ArtFileUsable(const std::wstring& file, int drawingsNeeded, std::span<const int> idsNeeded) {
  TiXmlDocument document;
  load_xml_document(document, file);
  return ArtUsable(document, drawingsNeeded, idsNeeded);
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
  throw FileProblem(ResourceFileProblem(), ResourcesFileName());
}

// The glyphs are read once, into the document the forms draw from, and
// checked there; when either file is unusable nothing stays loaded.
void LoadArt() {
  using notus::impl::details::app;
  const std::wstring glyphs = JoinPath(GetResourcesDirectory(), L"glyphs.dat");
  TiXmlDocument& glyphDocument = app::instance().glyph_document();
  glyphDocument.Clear();
  app::load_glyph_document(glyphs);
  if (!ArtUsable(glyphDocument, 0, kGlyphsDrawn)) {
    glyphDocument.Clear();
    throw FileProblem(ArtFileProblem(), glyphs);
  }
  const std::wstring digits = JoinPath(GetResourcesDirectory(), L"titular_digits.dat");
  if (!ArtFileUsable(digits, kValueSymbols, {})) {
    glyphDocument.Clear();
    throw FileProblem(ArtFileProblem(), digits);
  }
}

}  // namespace startup

void ThrowOnlyOneDomain() { throw std::logic_error("Only one domain is possible."); }
