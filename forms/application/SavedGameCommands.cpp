#include "forms/application/SavedGameCommands.h"

#include <tinyxml.h>

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/Paths.h"
#include "base/GuardedXml.h"
#include "base/SmallFile.h"
#include "forms/common/Application.h"
#include "game/GameBase.h"

namespace {

// The cells' reader refuses a longer file; this check must not let through
// what it would then read as an empty grid.
constexpr std::size_t kMaxSavedGameBytes = 64 * 1024;

// The level of a document without a usable "difficulty", as the reader
// leaves it.
constexpr std::uint32_t kDefaultLevel = 1;

// The attribute as a whole decimal number, read as the cells' reader reads
// its numbers; nothing when it is missing or anything but digits.
std::optional<std::int64_t> WholeNumber(const TiXmlElement& element, const char* name) {
  const char* text = element.Attribute(name);
  if (text == nullptr) return std::nullopt;
  const std::string_view digits(text);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

struct SavedGameRoot {
  int boxSize = 0;
  std::uint32_t level = kDefaultLevel;
};

// The size and level the game must be made with before its cells are read:
// the generator, and so every solver call, depends on the level the game is
// built with, and the reader only records the level it finds.
SavedGameRoot ReadSavedGameRoot(const std::wstring& path) {
  const std::optional<std::string> text = ReadSmallFile(path, kMaxSavedGameBytes);
  TiXmlDocument document;
  if (!text || !ParseGuardedXml(*text, document)) throw "XML parse error!";
  const TiXmlElement* root = document.FirstChildElement();
  if (root == nullptr) throw "XML parse error!";
  if (root->Attribute("size") == nullptr) throw "no size attribute found!";
  const std::optional<std::int64_t> size = WholeNumber(*root, "size");
  if (!size || *size < 2 || *size > 4) throw "wrong grig size!";

  SavedGameRoot saved;
  saved.boxSize = static_cast<int>(*size);
  if (const std::optional<std::int64_t> level = WholeNumber(*root, "difficulty"))
    saved.level = *level >= 0 && *level <= 4 ? static_cast<std::uint32_t>(*level) : 5u;
  return saved;
}

}  // namespace

std::wstring SavedGameFileName() { return JoinPath(SettingsDirectory(), L"current_game.xml"); }

void SerializeGameXMLCommand::Execute() {
  Application* state = Application::Instance();
  if (state == nullptr || !state->game) return;
  state->game->SaveToXML(NativePath(SavedGameFileName()));
}

void DeserializeGameXMLCommand::Execute() {
  loaded = false;
  Application* state = Application::Instance();
  if (state == nullptr) return;
  const std::wstring path = SavedGameFileName();
  try {
    const SavedGameRoot saved = ReadSavedGameRoot(path);
    state->SeGameSize(saved.boxSize, saved.level);
  } catch (const char*) {
    return;
  }
  GameBase& game = *state->game;
  game.LoadFromXML(NativePath(path));
  game.UpdateHighlights();
  game.LayoutKeypads();
  game.NotifyViews();
  loaded = true;
}
