// The select-puzzle form (layout form 9): the player picks one of the 100
// ready-made puzzles of a level from the shipped packages (app/LevelsPackage.h)
// by a level combo box, a size combo box ("3x3" or "4x4") and a list of
// puzzle numbers, sees it in a small read-only grid, and Start loads it into
// a new game and shows the game form with the puzzle information.
//
// The preview is the game's grid painter (forms/grid) over a grid model of
// its own in a window that never takes the focus; it lies in form 16's item
// 8, a rectangle only this form uses.  Exactly one preview exists, of the
// size the size combo box names.
//
// The four choices (list top, list selection, level, size) survive the form
// in SessionMemory record 9 for the rest of the run.
// ShowPuzzleSelectedFormCommand.h shows the form.
#pragma once

#include <cstdint>
#include <memory>
#include <tuple>

#include "app/LevelsPackage.h"
#include "forms/common/ApplyItemConfig.h"
#include "forms/common/ComboBoxFromItem.h"
#include "forms/common/FormBase.h"
#include "forms/grid/GridPainter.h"
#include "forms/grid/GridView.h"
#include "game/grid/GridModel.h"
#include "notus/displays/virtual_window.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/list_box.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/strategy.h"
#include "notus/view.h"

namespace SelectPuzzleForm {

inline constexpr int kForm = 9;
inline constexpr int kStartItem = 1;
inline constexpr int kListItem = 3;
inline constexpr int kCaptionItem = 4;
inline constexpr int kSizeItem = 5;
inline constexpr int kLevelItem = 6;
inline constexpr int kPreviewForm = 16;
inline constexpr int kPreviewItem = 8;
inline constexpr int kRecord = 9;
inline constexpr int kFirstLevelString = 201;
inline constexpr int kLevels = 5;
// The size combo box's entry of the 16x16 package; the other is 9x9.
inline constexpr unsigned int kLargeSize = 1;

using Package = data_objects::levels_package<kPuzzlesPerLevel>;

// A grid that only draws: no mouse or key strategy, and a window that never
// takes the focus, so its selection (cell 0) is framed in the unfocused
// colour.
template <unsigned N>
using preview_view = notus::view<notus::displays::virtual_window_nonfocusable<notus::traits>,
                                 std::tuple<grid::grid_main_strategy<N>, grid::model_update>, grid::GridModel<N>>;

// What a form starts with: record 9 when one is stored, else all 0 (level
// 1, 9x9, puzzle 1 at the top).  A record that does not read as four numbers
// counts as none.
struct Choices {
  std::int32_t top = 0;
  std::int32_t selected = 0;
  std::int32_t level = 0;
  std::int32_t size = 0;
};
Choices StoredChoices();
void StoreChoices(const Choices& choices);

struct Model : FormBase {
  // The choices are stored from the views before they go; then the views
  // are released from the package back to the caption.
  ~Model() override;

  // The combo boxes' and the list's hooks, bound once the form is built.
  void OnLevelChanged(unsigned int level);
  // Makes the preview of that size (1: 16x16, else 9x9) in place of the
  // other, then loads the package and previews the selected puzzle.
  void OnSizeChanged(unsigned int sizeIndex);
  // Previews puzzle index of the package; an empty grid while the package
  // did not load.  An index of 100 or more (the list's "no selection")
  // changes nothing.
  void OnPuzzleSelected(unsigned int index);

  // Reads level (index + 1; an index outside the list gives level 1) of the
  // package of that size from its file.  Start is enabled exactly while
  // the package holds what the file holds.
  void LoadPackage(std::int32_t levelIndex, std::int32_t sizeIndex);
  // The selected puzzle as a new game, then the game form with the puzzle
  // information.  Nothing happens without a loaded package or without a
  // selected puzzle.
  void StartGame();

  // The preview's model, whichever is shown; null for the other.
  grid::GridModel<3>* SmallPreview() const { return small ? &small->model() : nullptr; }
  grid::GridModel<4>* LargePreview() const { return large ? &large->model() : nullptr; }
  // The list's model: "1" to "100".
  notus::ownerdraw::listbox_model& List() const { return list->list_view->model(); }

  std::shared_ptr<notus::ownerdraw::label_view> caption;      // item 4
  std::shared_ptr<notus::ownerdraw::push_button_view> start;  // item 1
  std::shared_ptr<notus::ownerdraw::listbox_manager> list;    // item 3
  std::shared_ptr<forms::combo_box> level;                    // item 6
  std::shared_ptr<forms::combo_box> size;                     // item 5
  std::shared_ptr<preview_view<3>> small;
  std::shared_ptr<preview_view<4>> large;
  std::shared_ptr<Package> package;

 private:
  template <unsigned N>
  void MakePreview(std::shared_ptr<preview_view<N>>& preview);
  template <unsigned N>
  void ShowPuzzle(preview_view<N>& preview, const unsigned char* bytes);
};

// Builds the form from the stored choices; the hooks are bound last, so
// committing the stored choices runs none of them.  No view takes the focus.
// A missing item throws what ResourceManager::GetItemConfig throws, and the
// form is not made.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent& parent) {
    const Choices choices = StoredChoices();
    m.caption = m.template create_view<notus::ownerdraw::label_view>();
    forms::ApplyItemConfig(kForm, kCaptionItem, *m.caption);
    m.start = m.template create_view<notus::ownerdraw::push_button_view>();
    forms::ApplyItemConfig(kForm, kStartItem, *m.start);

    std::vector<std::wstring> levels;
    for (int k = 0; k < kLevels; ++k) levels.push_back(ResourceManager::GetString(kFirstLevelString + k));
    m.level = forms::MakeComboBox(kForm, kLevelItem, parent, levels);
    m.level->select_item(choices.level);
    forms::SetComboTabIndex(*m.level, kForm, kLevelItem);
    m.size = forms::MakeComboBox(kForm, kSizeItem, parent, {L"3x3", L"4x4"});
    m.size->select_item(choices.size);
    forms::SetComboTabIndex(*m.size, kForm, kSizeItem);

    const ItemConfig item = ResourceManager::GetItemConfig(kForm, kListItem);
    m.list = std::make_shared<notus::ownerdraw::listbox_manager>(
        notus::rect<notus::traits>{item.left, item.top, item.right, item.bottom}, parent);
    forms::window_ops::set_tab_index(m.list->list_view->display().handle(), item.tabIndex);
    FillList(m, choices);

    m.OnSizeChanged(static_cast<unsigned int>(choices.size));
    m.OnPuzzleSelected(static_cast<unsigned int>(m.List().selected));

    Model& model = m;
    m.level->selection_callback = [&model](unsigned int index) { model.OnLevelChanged(index); };
    m.size->selection_callback = [&model](unsigned int index) { model.OnSizeChanged(index); };
    m.List().selection_callback = [&model](unsigned int index) { model.OnPuzzleSelected(index); };
    return true;
  }

 private:
  // "1" to "100", then the stored first row and selection where they name
  // an entry.
  static void FillList(Model& m, const Choices& choices);
};

// Start (id 1) starts the selected puzzle; the combo boxes and the list are
// managers of their own and raise no click here.
struct ClickedStrategy : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& click, Manager& m) {
    if (click.id == kStartItem) m.StartGame();
    return true;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create, ClickedStrategy>>;

}  // namespace SelectPuzzleForm
