#include "forms/application/SavedGameCommands.h"

#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/Paths.h"
#include "base/GuardedXml.h"
#include "base/SmallFile.h"
#include "forms/common/Application.h"
#include "game/GameBase.h"
#include "game/SavedGame.h"

namespace {

struct SavedGameRoot {
  int boxSize = 0;
  // Without a usable "difficulty", the level the reader leaves.
  std::uint32_t level = SavedGameHeader{}.level;
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
  const std::optional<std::int64_t> size = SavedGameDecimal(*root, "size");
  if (!size || *size < 2 || *size > 4) throw "wrong grig size!";

  SavedGameRoot saved;
  saved.boxSize = static_cast<int>(*size);
  if (const std::optional<std::int64_t> level = SavedGameDecimal(*root, "difficulty"))
    saved.level = SavedGameLevel(*level);
  return saved;
}

}  // namespace

void SerializeGameXMLCommand::Execute() { SaveApplicationGame(); }

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
