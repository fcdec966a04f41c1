// The options form's Game page (layout form 4): buttons that work on the
// current puzzle, in three group boxes (candidates, mistakes, the puzzle).
// The buttons that change cells run game commands through the command
// executor, so what they change can be undone from the game form; checking
// the grid and showing the puzzle information change no cell and run
// directly, outside the history.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <tuple>

#include "forms/common/FormBase.h"
#include "forms/optionpages/PageWidgets.h"
#include "notus/managers/view_manager.h"
#include "notus/strategy.h"

namespace OptionsGame {

inline constexpr int kForm = 4;
inline constexpr int kCandidatesBox = 15;
inline constexpr int kFillValid = 16;
inline constexpr int kFillAll = 17;
inline constexpr int kClearCandidates = 18;
inline constexpr int kMistakesBox = 19;
inline constexpr int kRemoveWrong = 20;
inline constexpr int kReplaceWrong = 21;
inline constexpr int kPuzzleBox = 22;
inline constexpr int kCheckGrid = 23;
inline constexpr int kResetGrid = 24;
inline constexpr int kSolve = 25;
inline constexpr int kPuzzleInfo = 26;

struct Model : FormBase {
  // The buttons go before the group boxes behind them, last made first.
  ~Model() override {
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) it->reset();
    puzzleBox.reset();
    mistakesBox.reset();
    candidatesBox.reset();
  }

  std::shared_ptr<option_pages::GroupBox> candidatesBox;
  std::shared_ptr<option_pages::GroupBox> mistakesBox;
  std::shared_ptr<option_pages::GroupBox> puzzleBox;
  // Items 16, 17, 18, 20, 21, 23, 24, 25, 26.
  std::array<std::shared_ptr<option_pages::ButtonA>, 9> buttons;
};

inline constexpr std::array<int, 9> kButtonItems = {
    kFillValid, kFillAll, kClearCandidates, kRemoveWrong, kReplaceWrong, kCheckGrid, kResetGrid, kSolve, kPuzzleInfo};

// The buttons first, then the group boxes.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent&) {
    for (std::size_t i = 0; i < m.buttons.size(); ++i)
      m.buttons[i] = option_pages::MakePlaced<option_pages::ButtonA>(m, kForm, kButtonItems[i]);
    m.candidatesBox = option_pages::MakeGroupBox(kForm, kCandidatesBox, kFillValid);
    m.mistakesBox = option_pages::MakeGroupBox(kForm, kMistakesBox, kRemoveWrong);
    m.puzzleBox = option_pages::MakeGroupBox(kForm, kPuzzleBox, kCheckGrid);
    return true;
  }
};

// Runs the command of the button's item; other ids do nothing.
void RunButton(int item);

struct ClickStrategy : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& click, Manager&) {
    RunButton(static_cast<int>(click.id));
    return true;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create, ClickStrategy>>;

}  // namespace OptionsGame
