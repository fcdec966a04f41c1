// The Statistics page of the options form (layout form 8): the current
// player's record for one level and one grid size, picked in two combo
// boxes, shown as four rows of a list (solved puzzles, shortest, longest and
// average time).  The list is refilled whenever either combo box commits an
// entry, and the two choices are kept in SessionMemory (id 8) for the rest of
// the run, so the page opens again where the player left it.
//
// The options form (OptionsForm.h) builds the page into its Statistics slot
// and releases it when another tab is chosen.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/Statistics.h"
#include "forms/common/ApplyItemConfig.h"
#include "forms/common/ComboBoxFromItem.h"
#include "forms/common/FormBase.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/list_box.h"

namespace options_statistics_form {

inline constexpr int kForm = 8;
inline constexpr int kLabelItem = 102;
inline constexpr int kLevelItem = 103;
inline constexpr int kSizeItem = 104;
inline constexpr int kListItem = 105;
inline constexpr int kSessionMemoryId = 8;
// Entry i of the level combo box is statistic difficulty i, and its text
// string kFirstLevelString + i; entry 0 is the player-built puzzle.
inline constexpr int kFirstLevelString = 200;
inline constexpr int kLevelCount = 6;
// The rows' captions: solved puzzles, shortest, longest, average time.
inline constexpr int kFirstRowString = 210;

using ComboBox = forms::combo_box;
using RecordList = notus::ownerdraw::listbox_manager;

// The level and grid-size indices the page opens with: those stored under
// id 8, or 0 and 0 when nothing is stored.
struct StoredChoice {
  std::int32_t level = 0;
  std::int32_t size = 0;
};
StoredChoice ReadStoredChoice();

// The four rows for one record, each "<caption>: <value>".  A missing
// caption string leaves the row starting with ": ".
std::vector<std::wstring> StatisticRows(const StatisticRecord& record);

struct Model : FormBase {
  // Stores both choices under id 8, then releases the members from the last
  // to the first.
  ~Model() override;

  // Shows the record of the committed level and grid size (zeros when the
  // player has none).  The entry index the combo boxes pass is not used:
  // either box may have called, and the record needs both.
  void RefreshStatistics(unsigned int ignored);

  std::shared_ptr<notus::ownerdraw::label_view> label;  // item 102
  std::shared_ptr<ComboBox> level;                      // item 103
  std::shared_ptr<ComboBox> size;                       // item 104
  std::shared_ptr<RecordList> list;                     // item 105
};

// Builds the page.  The stored choices are committed before the callbacks
// are hooked, so building refreshes the list exactly once, at the end.  A
// missing item throws what ResourceManager::GetItemConfig throws, and the
// page is not made.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent& parent) {
    const StoredChoice choice = ReadStoredChoice();
    m.label = m.template create_view<notus::ownerdraw::label_view>();
    forms::ApplyItemConfig(kForm, kLabelItem, *m.label);
    m.level = MakeChoice(kLevelItem, parent, LevelNames(), choice.level);
    m.size = MakeChoice(kSizeItem, parent, {L"2x2", L"3x3", L"4x4"}, choice.size);

    const ItemConfig item = ResourceManager::GetItemConfig(kForm, kListItem);
    m.list =
        std::make_shared<RecordList>(notus::rect<notus::traits>{item.left, item.top, item.right, item.bottom}, parent);
    const auto& listWindow = m.list->list_view->display().handle();
    forms::window_ops::set_tab_index(listWindow, item.tabIndex);
    forms::window_ops::set_order_index(listWindow, item.orderIndex);

    Model* model = &m;
    m.level->selection_callback = [model](unsigned int index) { model->RefreshStatistics(index); };
    m.size->selection_callback = [model](unsigned int index) { model->RefreshStatistics(index); };
    m.RefreshStatistics(0);
    return true;
  }

 private:
  static std::vector<std::wstring> LevelNames();

  // An index past the entries commits nothing, and the box stays without a
  // choice.
  template <class Parent>
  static std::shared_ptr<ComboBox> MakeChoice(int item, Parent& parent, const std::vector<std::wstring>& entries,
                                              std::int32_t index) {
    auto combo = forms::MakeComboBox(kForm, item, parent, entries);
    combo->select_item(index);
    forms::SetComboTabIndex(*combo, kForm, item);
    return combo;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create>>;

}  // namespace options_statistics_form
