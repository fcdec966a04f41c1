// The build-puzzle form (layout form 10): the player picks a level and a grid
// size and presses Start; the level list's first entry is an empty grid the
// player fills in as a puzzle of their own, the others generate a puzzle
// under the progress form (forms/progress).  The game form then replaces
// this one, with the puzzle information open over it.  A text box lists the
// solving techniques the chosen level may need.
//
// The two choices survive the form in SessionMemory record 10 (level index,
// size index) for the rest of the run; a new run starts at Beginner, 9x9.
// ShowBuildPuzzleFormCommand.h shows the form.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>

#include "forms/common/ApplyItemConfig.h"
#include "forms/common/ComboBoxFromItem.h"
#include "forms/common/FormBase.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/ownerdraw/text_box.h"
#include "notus/strategy.h"

namespace build_puzzle_form {

inline constexpr int kForm = 10;
inline constexpr int kStartItem = 1;
inline constexpr int kLevelItem = 2;
inline constexpr int kSizeItem = 3;
inline constexpr int kTechniquesItem = 4;
inline constexpr int kLevelCaptionItem = 5;
inline constexpr int kSizeCaptionItem = 6;
inline constexpr int kRecord = 10;

// Level entries 0 (the empty grid) to 5 (Sorcerer); size entries 0 to 2
// give box sizes 2 to 4.
inline constexpr int kHighestLevel = 5;
inline constexpr int kSizeEntries = 3;
// The first technique name; level k's list is the names from here on, as
// many as its generator has technique slots.
inline constexpr int kFirstTechniqueString = 102;
inline constexpr int kFirstLevelString = 200;

// The choices a form starts with: record 10 when one is stored, else level 1
// and size 1 ("3x3").  A record that does not read as two numbers counts as
// none.
struct Choices {
  int level = 1;
  int size = 1;
};
Choices StoredChoices();
void StoreChoices(const Choices& choices);

// The number of technique slots of a level's generator: 0 for level 0.
// Throws the character string "Missing such Generator Type" above level 5.
std::uint32_t LevelTechniqueCount(std::uint32_t level);
// Each technique name of the level followed by "\n\r", the line break the
// text box breaks at.  Throws as LevelTechniqueCount.
std::wstring LevelTechniquesText(std::uint32_t level);

using ButtonView = notus::ownerdraw::menu_push_button_view;

struct Model : FormBase {
  // The choices are stored before the views go, from the views themselves:
  // what the player last saw is what the next showing restores.
  ~Model() override;

  // Shows the level's techniques in the text box; the level combo box calls
  // it with each entry it commits.  Throws as LevelTechniqueCount.
  void ShowLevelTechniques(unsigned int level);

  // Start: a new game of the chosen size and level (none when either index
  // names no entry), then the game form with the puzzle information.
  void OnStart();

  std::shared_ptr<notus::ownerdraw::label_view> levelCaption;     // item 5
  std::shared_ptr<notus::ownerdraw::label_view> sizeCaption;      // item 6
  std::shared_ptr<forms::combo_box> level;                        // item 2
  std::shared_ptr<forms::combo_box> size;                         // item 3
  std::shared_ptr<ButtonView> start;                              // item 1
  std::shared_ptr<notus::ownerdraw::textbox_manager> techniques;  // item 4
};

// The captions, the text box (which the level's commit writes into, so it
// comes first), the level and size combo boxes with the stored choices
// committed, then Start.  No view takes the focus.  A missing item throws
// what ResourceManager::GetItemConfig throws, and the form is not made.
struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent& parent) {
    const Choices choices = StoredChoices();
    m.levelCaption = m.template create_view<notus::ownerdraw::label_view>();
    forms::ApplyItemConfig(kForm, kLevelCaptionItem, *m.levelCaption);
    m.sizeCaption = m.template create_view<notus::ownerdraw::label_view>();
    forms::ApplyItemConfig(kForm, kSizeCaptionItem, *m.sizeCaption);

    const ItemConfig box = ResourceManager::GetItemConfig(kForm, kTechniquesItem);
    m.techniques =
        std::make_shared<notus::ownerdraw::textbox_manager>(parent, RECT{box.left, box.top, box.right, box.bottom});
    forms::window_ops::set_tab_index(m.techniques->text_view->display().handle(), box.tabIndex);

    std::vector<std::wstring> levels;
    for (int k = 0; k <= kHighestLevel; ++k) levels.push_back(ResourceManager::GetString(kFirstLevelString + k));
    m.level = forms::MakeComboBox(kForm, kLevelItem, parent, levels);
    Model& model = m;
    m.level->selection_callback = [&model](unsigned int level) { model.ShowLevelTechniques(level); };
    m.level->select_item(choices.level);
    forms::SetComboTabIndex(*m.level, kForm, kLevelItem);

    m.size = forms::MakeComboBox(kForm, kSizeItem, parent, {L"2x2", L"3x3", L"4x4"});
    m.size->select_item(choices.size);
    forms::SetComboTabIndex(*m.size, kForm, kSizeItem);

    m.start = m.template create_view<ButtonView>();
    forms::ApplyItemConfig(kForm, kStartItem, *m.start);
    return true;
  }
};

// Start is the only view of the form that raises clicks (the combo boxes
// and the text box are managers of their own), so the id is not examined.
struct ClickedStrategy : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click&, Manager& m) {
    m.OnStart();
    return true;
  }
};

// The form's create strategy under the name the rest of the design uses.
using create = Create;

using Manager = notus::managers::view_manager<Model, std::tuple<create, ClickedStrategy>>;

}  // namespace build_puzzle_form
