#pragma once
// The game form tests' host: the dialogs' host (real main window, window
// procedure, resource file and painted texts) with the real application tab
// bar, its Game tab wired to the game form, the game commands reaching the
// application's game (and its undo history), and the hint display noted
// rather than shown.  Games are real: a 9x9 puzzle with every candidate
// pencilled in, so that hint steps find work.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/SessionMemory.h"
#include "forms/gameform/GameForm.h"
#include "forms/gameform/ShowGameFormCommand.h"
#include "forms/gameobject/Game.h"
#include "forms/tabbar/ApplicationTabBar.h"
#include "forms/tabbar/TabCommands.h"
#include "game/CommandHistory.h"
#include "game/commands/Services.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "tests/support/dialogs_fixture.h"

namespace gameform_test {

using dialogs_test::app;
using dialogs_test::DialogScript;
using dialogs_test::strings;

// Thirty clues; logic alone solves it.
inline constexpr const char* kPuzzle =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
inline constexpr std::uint32_t kPuzzleClues = 30;

class GameFormTest : public dialogs_test::DialogsTest {
 protected:
  void InstallFunctions() override { InstallApplicationTabBar(); }
  void SetUp() override {
    DialogsTest::SetUp();
    SessionMemory::Clear();
    // The game's clock and keypads and the form's buttons draw glyphs.
    app::load_glyph_document(std::filesystem::path(TAVLIN_SOURCE_RESOURCES "/glyphs.dat").wstring());
    gamecommands::Services::InstallCurrentGame([this] { return state->game; });
    gamecommands::Services::InstallHintDisplay(
        [this](std::uint32_t text, std::uint32_t help) { hintsShown.emplace_back(text, help); });
  }
  void TearDown() override {
    state->currentForm.reset();
    state->game.reset();
    SessionMemory::Clear();
    DialogsTest::TearDown();
  }

  // A new game of the puzzle, hidden, as a new game is before its form
  // shows it; the undo history is empty again.
  void StartPuzzle() {
    state->SeGameSize(3, 1);
    state->game->SetGridFromString(kPuzzle);
    state->game->FillAllCandidates();
  }

  // Every cell's value and candidates: what undo and redo change.
  std::string Cells() const {
    std::string cells = state->game->GetGridString() + " ";
    for (std::uint32_t i = 0; i < 81; ++i)
      cells += std::to_string(state->game->GetCellValue(i)) + ":" + std::to_string(state->game->GetCandidates(i)) + " ";
    return cells;
  }

  bool GridVisible() const {
    return dynamic_cast<Game<3>&>(*state->game).gridView().display().handle().get()->visible();
  }
  // Whether a view's window is shown.
  template <class View>
  static bool Visible(const View& view) {
    return view.display().handle().get()->visible();
  }

  GameForm::Manager* Form() const { return dynamic_cast<GameForm::Manager*>(state->currentForm.get()); }
  application_tab_bar::ApplicationTabBar& Bar() const { return *application_tab_bar::HeldApplicationTabBar(); }
  // "010": tabs 1, 2 and 3, selected or not.
  std::string Highlight() const {
    std::string flags;
    for (std::int32_t id : {1, 2, 3}) flags += application_tab_bar::TabOf(Bar(), id)->model().selected ? '1' : '0';
    return flags;
  }

  void Click(int form, int item) {
    const ItemConfig c = ResourceManager::GetItemConfig(form, item);
    winapi::headless::InjectClick(main, (c.left + c.right) / 2, (c.top + c.bottom) / 2);
  }

  // Reloads the resources from a copy of the resource file without string
  // id, in every language.
  void LoadResourcesWithoutString(int id) {
    const std::filesystem::path file = folders.root / "resources" / "resources.dat";
    std::ifstream in(file);
    std::ostringstream kept;
    const std::string head = "<string id=\"" + std::to_string(id) + "\">";
    for (std::string line; std::getline(in, line);)
      if (line.find(head) == std::string::npos) kept << line << '\n';
    in.close();
    std::ofstream(file) << kept.str();
    std::filesystem::remove(NativePath(CachedResourcesFileName()));
    ASSERT_TRUE(LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), L"en", 480, 640));
    ASSERT_EQ(ResourceManager::GetString(id), L"");
  }

  // Text and help string ids, one pair per hint display shown.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> hintsShown;
};

}  // namespace gameform_test
