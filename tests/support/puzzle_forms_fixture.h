#pragma once
// The host of the build-puzzle and select-puzzle form tests: the application
// tests' host (real main window, window procedure, resource file, the
// services start-up installs, the real tab bar) plus what both forms need:
// choosing a combo box entry the way a player does (a click on the closed
// part, a click on the row of the list that opens), leaving a form for the
// game form by the Game tab, and a layout with one item moved.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/ResourceManager.h"
#include "forms/common/Application.h"
#include "forms/common/ComboBoxFromItem.h"
#include "forms/gameform/GameForm.h"
#include "forms/gameform/ShowGameFormCommand.h"
#include "forms/tabbar/ApplicationTabBar.h"
#include "forms/tabbar/TabCommands.h"
#include "notus/ownerdraw/list_strategies.h"
#include "tests/support/application_fixture.h"

namespace puzzle_forms_test {

using forms_test::DialogScript;

inline constexpr int kInfoForm = 18;
inline constexpr int kInfoOk = 2;

class PuzzleFormsTest : public application_test::ApplicationTest {
 protected:
  void TearDown() override {
    state->currentForm.reset();
    ApplicationTest::TearDown();
  }

  // Opens the combo box of (form, item) and clicks its row-th entry; the
  // list drops below the closed band, so the rows start 20 px below the
  // item's top.
  void Choose(int form, int item, int row) {
    const ItemConfig c = ResourceManager::GetItemConfig(form, item);
    winapi::headless::InjectClick(main, c.left + 10, c.top + forms::kComboClosedHeight / 2);
    Settle();
    const int y = c.top + forms::kComboClosedHeight + notus::ownerdraw::list_row_height * row +
                  notus::ownerdraw::list_row_height / 2;
    winapi::headless::InjectClick(main, c.left + 10, y);
    Settle();
  }

  void ClickItem(int form, int item) {
    const ItemConfig c = ResourceManager::GetItemConfig(form, item);
    winapi::headless::InjectClick(main, (c.left + c.right) / 2, (c.top + c.bottom) / 2);
    Settle();
  }

  // The Game tab: the game form replaces the current form, which stores
  // its choices as it goes.
  void LeaveForGameForm() {
    ClickItem(application_tab_bar::kTabBarForm, application_tab_bar::kGameTab);
    ASSERT_NE(dynamic_cast<GameForm::Model*>(state->currentForm.get()), nullptr);
  }

  // A script for the puzzle information that a started game opens over the
  // game form: it checks that the game form is current and the dialog
  // shows, then presses OK.
  void ExpectPuzzleInformation(DialogScript& script) {
    script.Answer()
        .Do([this] {
          EXPECT_NE(dynamic_cast<GameForm::Model*>(state->currentForm.get()), nullptr);
          EXPECT_TRUE(dialogs_test::Shows(PaintedTexts(), "Puzzle information"));
        })
        .Click(kInfoForm, kInfoOk);
  }

  // Reloads the layouts from a copy of the resource file in which item
  // (form, item) has the rectangle given, in every language.
  void MoveItem(int form, int item, const RECT& r) {
    const std::filesystem::path file = folders.root / "resources" / "resources.dat";
    std::ifstream in(file);
    std::ostringstream kept;
    const std::string formHead = "<form id=\"";
    const std::string itemHead = "<item id=\"" + std::to_string(item) + "\"";
    int currentForm = -1;
    for (std::string line; std::getline(in, line);) {
      if (const std::size_t at = line.find(formHead); at != std::string::npos)
        currentForm = std::stoi(line.substr(at + formHead.size()));
      if (currentForm == form && line.find(itemHead) != std::string::npos) {
        for (const auto& [name, value] :
             {std::pair{"left", r.left}, {"top", r.top}, {"right", r.right}, {"bottom", r.bottom}}) {
          const std::string key = std::string(" ") + name + "=\"";
          const std::size_t at = line.find(key) + key.size();
          line.replace(at, line.find('"', at) - at, std::to_string(value));
        }
      }
      kept << line << '\n';
    }
    in.close();
    std::ofstream(file) << kept.str();
    std::filesystem::remove(NativePath(CachedResourcesFileName()));
    ASSERT_TRUE(LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), L"en", 480, 640));
    const ItemConfig moved = ResourceManager::GetItemConfig(form, item);
    ASSERT_EQ(moved.top, r.top);
    ASSERT_EQ(moved.bottom, r.bottom);
  }
};

}  // namespace puzzle_forms_test
