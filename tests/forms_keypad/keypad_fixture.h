#pragma once
// A keypad view manager over the widget tests' window controller, with a
// game standing in for Game<N>: it keeps the cells, selects and clicks them
// as the grid's commands do, lays the keypads out for the selected cell
// whenever asked, and notes the cell operations the keypads' commands make.

#include <memory>
#include <string>
#include <vector>

#include "forms/keypad/KeypadViewManager.h"
#include "game/CommandHistory.h"
#include "game/commands/Services.h"
#include "tests/support/RecordingGame.h"
#include "tests/support/widget_fixture.h"

namespace keypad_test {

using namespace widget_test;

template <unsigned N>
class KeypadGame : public RecordingGame {
 public:
  static constexpr std::uint32_t S = N * N;
  std::vector<grid::GridCell<N>> cells = std::vector<grid::GridCell<N>>(S * S);
  std::uint32_t current = 0;
  keypad::KeypadViewManager<N>* keypads = nullptr;
  bool valueMode() const { return keypads->valueMode != 0; }

  // The grid's mouse-down then mouse-up on a cell.
  void Select(std::uint32_t cell) {
    current = cell;
    LayoutKeypads();
  }
  void Click(std::uint32_t cell) {
    Select(cell);
    ClickCurrentCell();
  }

  void LayoutKeypads() override {
    calls.push_back("LayoutKeypads");
    keypad::UpdateKeypadsForCell(*keypads, current, &cells.at(current));
  }
  void ClickCurrentCell() override { keypad::ToggleKeypadForCell(*keypads, &cells.at(current), current); }
  std::uint32_t GetCurrentCell() override { return current; }
  bool IsValueInputMode() override { return valueMode(); }
  int GetCellValue(std::uint32_t i) override { return cells.at(i).user; }
  void SetCellValue(std::uint32_t i, std::uint8_t v) override {
    calls.push_back("SetCellValue " + std::to_string(i) + " " + std::to_string(v));
    cells.at(i).user = static_cast<std::int8_t>(v);
  }
  void ClearCellValue(std::uint32_t i) override {
    calls.push_back("ClearCellValue " + std::to_string(i));
    cells.at(i).user = -1;
  }
  bool HasCandidate(std::uint32_t i, std::uint32_t v) override { return cells.at(i).candidates.test(v); }
  void SetCandidate(std::uint32_t i, std::uint32_t v, bool on) override {
    calls.push_back("SetCandidate " + std::to_string(i) + " " + std::to_string(v) + (on ? " on" : " off"));
    cells.at(i).candidates.set(v, on);
  }
  std::uint16_t GetCandidates(std::uint32_t i) override {
    return static_cast<std::uint16_t>(cells.at(i).candidates.to_ulong());
  }
  void ClearCandidates(std::uint32_t i) override {
    calls.push_back("ClearCandidates " + std::to_string(i));
    cells.at(i).candidates.reset();
  }
  void SetCandidates(std::uint32_t i, std::uint16_t m) override { cells.at(i).candidates = m; }
};

// The game form's main area of 480 x 596 with the grid of a panel layout.
inline constexpr keypad::KeypadRect kOuter{0, 0, 480, 596};
inline constexpr keypad::KeypadRect kGrid{8, 8, 408, 408};

template <unsigned N>
class KeypadFixture : public WidgetTest {
 protected:
  static constexpr std::uint32_t S = N * N;

  void SetUp() override {
    WidgetTest::SetUp();
    back_buffer(480, 640);
    keypads = std::make_unique<keypad::KeypadViewManager<N>>();
    game = std::make_shared<KeypadGame<N>>();
    game->keypads = keypads.get();
    gamecommands::Services::InstallCurrentGame([this] { return game; });
    CommandHistory::Create();
  }
  void TearDown() override {
    gamecommands::Services::Reset();
    CommandHistory::Destroy();
    keypads.reset();
    game.reset();
    WidgetTest::TearDown();
  }

  // What Game<N>::SetEnteringNumbers and the grid's size event do.
  void UseTopology(std::uint32_t type) {
    auto t = keypad::MakeKeypadTopologies<N>(type);
    keypad::SetTopologyOfValueKeypad(*keypads, t.value);
    keypad::SetTopologyOfCandidateKeypad(*keypads, t.candidate);
    keypads->layout(kGrid, kOuter);
    // The game's deactivation and activation.
    keypad::HideKeypadPopup(keypads->value, true);
    keypad::HideKeypadPopup(keypads->candidate, true);
    keypad::ShowPanelKeypads(*keypads);
  }

  template <class View>
  static bool visible(const std::shared_ptr<View>& v) {
    return v->display().handle().get()->visible();
  }
  template <class View>
  static bool focused(const std::shared_ptr<View>& v) {
    return window_ops::has_focus(v->display().handle());
  }
  template <class View>
  static RECT rect_of(const std::shared_ptr<View>& v) {
    const auto r = window_ops::rect(v->display().handle());
    return {r.left, r.top, r.right, r.bottom};
  }
  // A click in the middle of a button, through the controller.
  template <class View>
  void click_on(const std::shared_ptr<View>& v) {
    const RECT r = rect_of(v);
    click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  std::unique_ptr<keypad::KeypadViewManager<N>> keypads;
  std::shared_ptr<KeypadGame<N>> game;
};

}  // namespace keypad_test
