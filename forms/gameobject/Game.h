#pragma once
// The game in progress for one box size: Game<N> implements GameBase over
// the views that show it and the engine object that generates, solves and
// finds hints for it.
//
// It owns the grid view (whose model is the live board the cell operations
// change), the two number keypads (forms/keypad), the clock button that
// keeps the playing time, a snapshot of the cells from which the undoable
// commands compute their change lists, and the generator of its level,
// which is its solver too. Game commands (game/commands) reach it only
// through GameBase; the application builds one per puzzle and places only
// what the game form's layout items say.
//
// Views join the window controller that is current when the game is built,
// so a game is built while the main window's controller is current.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ResourceManager.h"
#include "app/SessionMemory.h"
#include "engine/CHintInfo.h"
#include "engine/CProgressCallback.h"
#include "engine/CSudokuGeneratorLevels.h"
#include "engine/PatternId.h"
#include "forms/grid/GridView.h"
#include "forms/keypad/KeypadViewManager.h"
#include "game/CommandHistory.h"
#include "game/GameBase.h"
#include "game/SavedGame.h"
#include "game/grid/GridModel.h"
#include "game/grid/GridSymbols.h"
#include "notus/model_update.h"
#include "notus/ownerdraw/clock.h"
#include "winapi/windows.h"

namespace game_form {

// The game form (form 16) and the items the game places itself by.
inline constexpr int kForm = 16;
inline constexpr int kPopupGridItem = 6;
inline constexpr int kPanelGridItem = 7;
inline constexpr int kClockItem = 10;
inline constexpr std::uint32_t kClockHiddenGlyph = 118;
inline constexpr std::uint32_t kClockShownGlyph = 119;
// The session record of the clock button's shown flag.
inline constexpr int kClockSessionId = 16;
inline constexpr std::uint32_t kHighestLevel = 5;

}  // namespace game_form

template <unsigned N>
class Game final : public GameBase {
 public:
  static constexpr std::uint32_t S = N * N;
  static constexpr std::uint32_t CellCount = S * S;
  static constexpr std::uint16_t kFullSet = static_cast<std::uint16_t>((1u << S) - 1u);

  using GridView = grid::grid_view<N>;
  using Keypads = keypad::KeypadViewManager<N>;
  using ClockView = clock_view::clock_button_view;
  using Model = grid::GridModel<N>;

  // A level above the highest is taken as the highest, so the game always
  // has a generator for its solver calls. Without an undo history (tools,
  // tests) there is no history to empty.
  Game(std::uint32_t level, std::shared_ptr<void> parent)
      : m_gridView(std::make_shared<GridView>()),
        m_keypads(std::make_shared<Keypads>()),
        m_clockView(std::make_shared<ClockView>()),
        m_level(std::min(level, game_form::kHighestLevel)),
        m_keypadType(0),
        m_solved(0) {
    if (CommandHistory* history = CommandHistory::Instance()) history->Reset();
    SetDifficulty(m_level);

    const ItemConfig item = ResourceManager::GetItemConfig(game_form::kForm, game_form::kClockItem);
    const auto& clock = m_clockView->display().handle();
    ops::move(clock, {item.left, item.top});
    ops::resize(clock, {item.right - item.left, item.bottom - item.top}, true);
    ops::set_tab_index(clock, item.tabIndex);
    ops::set_order_index(clock, item.orderIndex);
    clock_view::clock_model& clockModel = m_clockView->model();
    clockModel.text = item.text;
    clockModel.id = game_form::kClockItem;
    clockModel.hidden_glyph = game_form::kClockHiddenGlyph;
    clockModel.shown_glyph = game_form::kClockShownGlyph;
    {
      SessionMemoryReader reader(game_form::kClockSessionId);
      bool shown = false;
      if (reader >> shown) clockModel.shown = shown;
    }

    m_parent = std::move(parent);
    Keypads* keypads = m_keypads.get();
    model().layoutCallback = typename Model::LayoutCallback(
        [keypads](typename Model::Rect gridRect, typename Model::Rect outer) { keypads->layout(gridRect, outer); });
    // A closing popup gives the keys back to the grid, where digits enter
    // values. The grid view outlives the keypads.
    keypads->returnFocus = [grid = m_gridView.get()] { ops::set_focus(grid->display().handle()); };
    m_keypadType = 1;
    SetEnteringNumbers(0);
    LayoutKeypads();
  }

  ~Game() override {
    SessionMemoryWriter writer(game_form::kClockSessionId);
    writer << (m_clockView->model().shown ? 1 : 0) << '\n';
    // The grid's callback would reach the keypads while they go.
    model().layoutCallback = typename Model::LayoutCallback();
  }

  // ---- Showing the game. ----
  void Activate(bool repaintNow) override {
    const auto& h = gridHandle();
    ops::show(h);
    if (repaintNow)
      ops::update(h);
    else
      ops::invalidate(h);
    keypad::ShowPanelKeypads(*m_keypads);
    ops::show(m_clockView->display().handle());
    ResumeClock();
  }
  void Deactivate() override {
    ops::hide(gridHandle());
    keypad::HideKeypadPopup(m_keypads->value, true);
    keypad::HideKeypadPopup(m_keypads->candidate, true);
    ops::hide(m_clockView->display().handle());
    PauseClock();
  }
  void HideKeypads() override { keypad::HideKeypadPopups(*m_keypads); }

  // ---- Every cell at once. ----
  void ResetAllCells() override { model().ResetAllCells(); }
  void ClearAllCandidates() override { model().ClearAllCandidates(); }
  void FillAllCandidates() override { model().FillAllCandidates(); }
  void RemoveWrongValues() override { model().RemoveWrongValues(); }
  void ReplaceWrongValues() override { model().ReplaceWrongValues(); }
  void ClearAllUserValues() override { model().ClearAllUserValues(); }
  void FillSolution() override { model().FillSolution(); }
  bool IsSolutionKnown() override { return model().IsSolutionKnown(); }
  bool HasWrongValues() override { return model().HasWrongValues(); }
  SolutionCount::Result CountSolutions() override { return model().CountSolutions(); }
  SolutionCount::Result FillCountedSolution() override { return model().FillCountedSolution(); }
  void SetSolution(std::span<const std::uint8_t> values) override { model().SetSolution(values); }

  // ---- Selection, values and keypads. ----
  void SetCurrentCell(std::uint32_t index) override {
    SelectCell(index);
    ops::invalidate(gridHandle());
  }
  void ClickCurrentCell() override {
    const std::uint32_t index = model().selected;
    keypad::ToggleKeypadForCell(*m_keypads, &cell(index), index);
  }
  void SetCellValue(std::uint32_t index, std::uint8_t value) override {
    cell(index).user = static_cast<std::int8_t>(value);
  }
  void ClearCellValue(std::uint32_t index) override { cell(index).user = grid::kEmptyUserValue; }
  void UpdateHighlights() override { model().UpdateHighlights(); }
  void LayoutKeypads() override {
    const std::uint32_t index = model().selected;
    keypad::UpdateKeypadsForCell(*m_keypads, index, &cell(index));
  }
  bool IsValueInputMode() override { return m_keypads->valueMode != 0; }
  bool AcceptsValue(std::uint32_t index, std::uint32_t value) override {
    return index < CellCount && keypad::ValueKeypadAccepts(m_keypads->value, cell(index), value);
  }

  // ---- Candidates of one cell. ----
  void SetCandidate(std::uint32_t index, std::uint32_t value, bool on) override {
    model().SetCandidate(index, value, on);
  }
  bool HasCandidate(std::uint32_t index, std::uint32_t value) override { return model().HasCandidate(index, value); }
  void ClearCandidates(std::uint32_t index) override { cell(index).candidates.reset(); }
  void SetCandidates(std::uint32_t index, std::uint16_t mask) override {
    cell(index).candidates = typename Model::Cell::Candidates(mask & kFullSet);
  }
  std::uint16_t GetCandidates(std::uint32_t index) override {
    return static_cast<std::uint16_t>(cell(index).candidates.to_ulong());
  }
  int GetCellValue(std::uint32_t index) override { return cell(index).user; }

  // ---- Hints. ----
  // An illegal value (pattern 0) names the cell to clear by its effect flag;
  // a clue is never that cell, so the flags swap when item 0 is a clue.
  bool FindHint(CHintInfo& hint) override {
    CopyCellsToSolver();
    const bool found = m_generator->FindHint(hint);
    if (hint.GetPatternId() == PatternId::kIllegalValue && hint.GetItemCount() >= 2 &&
        cell(hint.GetItem(0).cell).given != 0) {
      std::vector<HintItem> items = hint.GetItems();
      std::swap(items[0].cause, items[1].cause);
      hint.ClearItems();
      for (const HintItem& item : items) hint.AddItem(item.cause, item.kind, item.cell, item.mask);
    }
    return found;
  }
  bool ApplyHint(CHintInfo& hint) override {
    if (!FindHint(hint)) return false;
    const std::uint32_t id = hint.GetPatternId();
    if (id == PatternId::kIllegalValue && hint.GetItemCount() >= 2) {
      const HintItem& first = hint.GetItem(0);
      ClearCellValue(first.cause == kHintEffect ? first.cell : hint.GetItem(1).cell);
    } else if ((id == PatternId::kNakedSingle || id == PatternId::kHiddenSingle) && hint.GetItemCount() >= 1) {
      const HintItem& first = hint.GetItem(0);
      const std::uint16_t mask = first.mask & kFullSet;
      if (mask == 0) return true;
      std::uint8_t value = 0;
      while ((mask & (1u << value)) == 0) ++value;
      SetCellValue(first.cell, value);
      UpdateSolverCandidates();
    }
    return true;
  }
  void ShowHint(const CHintInfo& hint) override { model().ShowHint(hint); }
  void ClearHint() override { model().ClearHint(); }

  // ---- Snapshot for undo. ----
  void SaveCells() override { m_snapshot.cells = model().cells; }
  void CollectChangedCells(std::vector<CellChange>& changes) override {
    const auto& live = model().cells;
    for (std::uint32_t i = 0; i < CellCount; ++i) {
      const auto& now = live[i];
      const auto& old = m_snapshot.cells[i];
      if (now.candidates == old.candidates && now.given == old.given && now.solution == old.solution &&
          now.user == old.user)
        continue;
      changes.push_back(
          CellChange{old.given, old.solution, old.user, i, static_cast<std::uint16_t>(old.candidates.to_ulong())});
    }
  }
  void RestoreCells(const std::vector<CellChange>& changes) override {
    for (const CellChange& change : changes) {
      auto& c = cell(change.cell);
      c.given = change.given;
      c.solution = change.solution;
      c.user = change.user;
      c.candidates = typename Model::Cell::Candidates(change.candidates & kFullSet);
    }
  }

  // ---- Cells and the solver's board. ----
  void CopyCellsToSolver() override {
    CTTable<N>& table = m_generator->GetTable();
    for (std::uint32_t i = 0; i < CellCount; ++i) table.cells[i].Reset();
    const auto& live = model().cells;
    for (std::uint32_t i = 0; i < CellCount; ++i) {
      const std::uint8_t shown = live[i].ShownValue();
      if (shown == grid::kUnknownSolution)
        table.cells[i].SetMask(static_cast<std::uint16_t>(live[i].candidates.to_ulong()));
      else
        table.cells[i].SetValue(shown);
    }
  }
  void MarkGivenCells() override {
    const CTTable<N>& table = m_generator->GetTable();
    for (std::uint32_t i = 0; i < CellCount; ++i)
      if (table.values[i] != kEmptyValue) model().cells[i].given = 1;
  }
  void CopyCandidatesFromSolver() override {
    const CTTable<N>& table = m_generator->GetTable();
    for (std::uint32_t i = 0; i < CellCount; ++i)
      if (table.values[i] == kEmptyValue)
        model().cells[i].candidates = typename Model::Cell::Candidates(table.masks[i] & kFullSet);
  }
  void CopySolutionFromSolver() override {
    const CTTable<N>& table = m_generator->GetTable();
    for (std::uint32_t i = 0; i < CellCount; ++i) model().cells[i].solution = table.values[i];
  }
  void GenerateGrid(CProgressCallback* progress) override {
    if (m_level != 0) {
      m_generator->Generate(progress);
      return;
    }
    CTTable<N>& table = m_generator->GetTable();
    for (std::uint32_t i = 0; i < CellCount; ++i) table.cells[i].Reset();
  }
  void ResetSolverCandidates() override {
    CTTable<N>& table = m_generator->GetTable();
    for (std::uint32_t i = 0; i < CellCount; ++i) table.masks[i] = kFullSet;
  }
  void UpdateSolverCandidates() override { m_generator->UpdateCandidates(); }
  bool SolveTable(CProgressCallback* progress) override { return m_generator->Solve(progress) == SolveResult::kSolved; }
  std::uint32_t GetRating() override {
    std::uint32_t empty = 0;
    CSudokuSolver<N>::CountEmptyCells(m_generator->GetTable(), empty);
    return empty + m_generator->GetRating();
  }
  bool IsLogicallySolved() override { return m_generator->SolveLogical() == SolveResult::kSolved; }
  std::uint32_t CountFilledCells() override { return model().CountFilledCells(); }
  // An id the solver does not know has never been used.
  std::uint32_t GetPatternUsage(std::uint32_t id) override {
    return id < PatternId::kCount ? m_generator->GetPatternUsage(id) : 0;
  }
  // Levels 0 and 1 share the first class; any other number keeps the
  // generator. The recorded level stays.
  void SetDifficulty(std::uint32_t level) override {
    if (std::unique_ptr<CSudokuGenerator<N>> generator = MakeLevelGenerator<N>(level)) {
      m_generator = std::move(generator);
    }
  }

  void NotifyViews() override {
    notus::events::model_update update;
    m_gridView->model().raise(update);
  }
  std::uint32_t GetCurrentCell() override { return model().selected; }
  void SelectCell(std::uint32_t index) override {
    model().selected = index;
    UpdateHighlights();
  }
  std::uint32_t GetDifficulty() override { return m_level; }
  std::uint32_t GetBoxSize() override { return N; }

  // ---- Options. ----
  void SetShowGuideLines(bool on) override { model().showGuideLines = on ? 1 : 0; }
  void SetFlagMistakes(bool on) override { model().flagMistakes = on ? 1 : 0; }
  // Off enables every value digit now; on waits for the next update of the
  // value keypad, which then enables only the cell's candidates.
  void SetAllowOnlyValidEntries(bool on) override {
    m_keypads->value.allowOnlyValidEntries = on ? 1 : 0;
    if (on) return;
    for (auto& digit : m_keypads->value.digits) keypad::SetActive(*digit, true);
  }
  // A type above 5 is stored before it throws, so asking again for it does
  // nothing; the keypads and the grid keep their places.
  void SetEnteringNumbers(std::uint32_t type) override {
    if (type == m_keypadType) return;
    m_keypadType = type;
    const ItemConfig popupItem = ResourceManager::GetItemConfig(game_form::kForm, game_form::kPopupGridItem);
    const ItemConfig panelItem = ResourceManager::GetItemConfig(game_form::kForm, game_form::kPanelGridItem);
    keypad::KeypadTopologies<N> topologies = keypad::MakeKeypadTopologies<N>(type);
    keypad::SetTopologyOfValueKeypad(*m_keypads, std::move(topologies.value));
    keypad::SetTopologyOfCandidateKeypad(*m_keypads, std::move(topologies.candidate));
    const ItemConfig& item = keypad::GridItemForTopologyType(type) == game_form::kPanelGridItem ? panelItem : popupItem;
    const auto& h = gridHandle();
    ops::move(h, {item.left, item.top});
    ops::resize(h, {item.right - item.left, item.bottom - item.top}, true);
    ops::set_tab_index(h, item.tabIndex);
    ops::set_order_index(h, item.orderIndex);
  }
  // The grid lays itself out again at its own size; the digit buttons take
  // the symbols' labels.
  void SetGridSymbols(std::uint32_t symbols) override {
    model().gridSymbols = symbols;
    const auto& h = gridHandle();
    ops::resize(h, ops::size(h), true);
    RelabelKeypadButtons(symbols);
  }
  void SetOnTabClueDigits(std::uint32_t on) override {
    ClearCellMarks();
    model().onTabClueDigits = on;
  }
  void SetGridPaintType(std::uint32_t type) override { model().gridPaintType = type; }
  void ClearCellMarks() override { model().ClearCellMarks(); }

  // ---- Puzzle exchange. ----
  void SetGridFromBytes(std::span<const std::uint8_t> bytes) override { model().SetGridFromBytes(bytes); }
  std::vector<std::uint8_t> GetGridBytes() override { return model().GetGridBytes(); }
  void SetGridFromString(std::string_view text) override { model().SetGridFromString(text); }
  std::string GetGridString() override { return model().GetGridString(); }

  // ---- The saved game. ----
  // The restored level is recorded only: the generator stays the one of the
  // level the game was built with. The clock keeps running or paused as it
  // was, with the restored time.
  void LoadFromXML(const std::string& path) override {
    SavedGameHeader header{0, false, 1};
    ReadSavedGame<N>(path, model(), header);
    m_clockView->model().m_accumulated = header.time;
    m_level = header.level;
    m_solved = header.solved ? 1 : 0;
  }
  void SaveToXML(const std::string& path) override {
    const SavedGameHeader header{GetElapsedSeconds(), m_solved != 0, GetDifficulty()};
    WriteSavedGame<N>(path, model(), header);
  }

  // ---- Solver board, solved state and clock. ----
  std::uint32_t CountEmptySolverCells() override { return m_generator->GetTable().CountEmptyValues(); }
  bool IsAlreadySolved() override { return m_solved != 0; }
  void MarkSolved() override {
    m_solved = 1;
    PauseClock();
  }
  std::uint32_t GetElapsedSeconds() override { return m_clockView->model().elapsed_seconds(); }
  void SetElapsedSeconds(std::uint32_t seconds) override { m_clockView->model().m_accumulated = seconds; }

  // ---- The game's parts, for the form that places them and for tests. ----
  GridView& gridView() { return *m_gridView; }
  Keypads& keypads() { return *m_keypads; }
  ClockView& clockView() { return *m_clockView; }
  CSudokuGenerator<N>& generator() { return *m_generator; }
  std::uint32_t keypadType() const { return m_keypadType; }

 private:
  using ops = notus::impl::virtual_window_impl<notus::traits>;

  Model& model() { return m_gridView->model(); }
  typename Model::Cell& cell(std::uint32_t index) { return model().cells.at(index); }
  const auto& gridHandle() { return m_gridView->display().handle(); }

  // Seconds are whole seconds of the tick count, in unsigned arithmetic.
  static std::uint32_t Now() { return static_cast<std::uint32_t>(GetTickCount() / 1000); }
  void PauseClock() {
    clock_view::clock_model& clock = m_clockView->model();
    if (clock.m_paused == 1) return;
    clock.m_paused = 1;
    clock.m_accumulated += Now() - clock.m_start;
  }
  void ResumeClock() {
    clock_view::clock_model& clock = m_clockView->model();
    if (m_solved != 0 || clock.m_paused == 0) return;
    clock.m_paused = 0;
    clock.m_start = Now();
  }

  void RelabelKeypadButtons(std::uint32_t symbols) {
    auto label = [symbols](std::uint32_t i) {
      return static_cast<wchar_t>(symbols == 0 ? grid::ValueToSymbol(i) : static_cast<char>('A' + i));
    };
    auto relabel = [&](auto& pad) {
      for (std::uint32_t i = 0; i < S; ++i) {
        pad.digits[i]->model().text = std::wstring(1, label(i));
        ops::invalidate(pad.digits[i]->display().handle());
      }
    };
    relabel(m_keypads->value);
    relabel(m_keypads->candidate);
  }

  // Declared in the order the game builds them; they go in reverse, the
  // generator first and the grid view last.
  std::shared_ptr<GridView> m_gridView;
  std::shared_ptr<Keypads> m_keypads;
  std::shared_ptr<ClockView> m_clockView;
  Model m_snapshot;
  std::shared_ptr<CSudokuGenerator<N>> m_generator;
  std::uint32_t m_level;
  std::uint32_t m_keypadType;
  std::uint8_t m_solved;
};

extern template class Game<2>;
extern template class Game<3>;
extern template class Game<4>;
