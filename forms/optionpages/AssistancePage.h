// The options form's Assistance page (layout form 5): four check boxes for
// the helps the game gives while playing, and a group of radio buttons for
// how the digit under the cursor is highlighted.  Every change is stored at
// once through the option setters; there is no OK step.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <tuple>

#include "forms/common/FormBase.h"
#include "forms/optionpages/PageWidgets.h"
#include "notus/managers/view_manager.h"
#include "notus/strategy.h"

namespace OptionsAssistance {

inline constexpr int kForm = 5;
inline constexpr int kAutoPencilMarks = 37;
inline constexpr int kAllowOnlyValidEntries = 38;
inline constexpr int kFlagMistakes = 39;
inline constexpr int kShowGuideLines = 41;
// The highlighting radios: item kFirstHighlight + n stands for mode n.
inline constexpr int kFirstHighlight = 52;
inline constexpr int kHighlightModes = 5;
inline constexpr int kHighlightBox = 57;

struct Model : FormBase {
  ~Model() override {
    for (auto it = radios.rbegin(); it != radios.rend(); ++it) it->reset();
    for (auto it = checkBoxes.rbegin(); it != checkBoxes.rend(); ++it) it->reset();
    highlightBox.reset();
  }

  void ClearSelectedRadios() {
    option_pages::ClearSelectedRadios(
        {radios[0].get(), radios[1].get(), radios[2].get(), radios[3].get(), radios[4].get()});
  }

  std::shared_ptr<option_pages::GroupBox> highlightBox;
  // Items 37, 38, 39, 41.
  std::array<std::shared_ptr<option_pages::CheckBoxA>, 4> checkBoxes;
  // Items 52..56.
  std::array<std::shared_ptr<option_pages::Radio>, kHighlightModes> radios;
};

inline constexpr std::array<int, 4> kCheckBoxItems = {kAutoPencilMarks, kAllowOnlyValidEntries, kFlagMistakes,
                                                      kShowGuideLines};

// The options the boxes show, in the order of kCheckBoxItems, and the
// highlighting mode; all off and mode 0 without an application object.
struct AssistanceValues {
  std::array<bool, 4> flags{};
  int highlight = 0;
};
AssistanceValues CurrentAssistanceValues();

// Stores the inverse of the box's flag as it was before the click (the box
// flips itself after the page hears the click); other ids do nothing.
void OnCheckBoxClicked(int item, bool checkedBeforeClick);
// Stores the highlighting mode of the radio's item; ids outside 52..56 do
// nothing.
void OnHighlightChosen(int item);

struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent&) {
    const AssistanceValues values = CurrentAssistanceValues();
    m.highlightBox = option_pages::MakeGroupBox(kForm, kHighlightBox, kFirstHighlight);
    for (std::size_t i = 0; i < m.checkBoxes.size(); ++i) {
      m.checkBoxes[i] = option_pages::MakePlaced<option_pages::CheckBoxA>(m, kForm, kCheckBoxItems[i]);
      m.checkBoxes[i]->model().checked = values.flags[i];
    }
    for (std::size_t i = 0; i < m.radios.size(); ++i)
      m.radios[i] = option_pages::MakePlaced<option_pages::Radio>(m, kForm, kFirstHighlight + static_cast<int>(i));
    // A mode outside 0..4 selects none.
    option_pages::SelectRadioAt(
        {m.radios[0].get(), m.radios[1].get(), m.radios[2].get(), m.radios[3].get(), m.radios[4].get()},
        values.highlight);
    return true;
  }
};

struct SelectionChanged : notus::handle_event<notus::impl::ev_selection> {
  template <class Manager>
  bool on_selection(notus::impl::ev_selection& selection, Manager& m) {
    const auto id = static_cast<int>(selection.id);
    if (id < kFirstHighlight || id >= kFirstHighlight + kHighlightModes) return true;
    m.ClearSelectedRadios();
    OnHighlightChosen(id);
    return true;
  }
};

struct OnButtonsClick : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& click, Manager& m) {
    for (auto& box : m.checkBoxes)
      if (static_cast<int>(box->model().id) == static_cast<int>(click.id))
        OnCheckBoxClicked(static_cast<int>(click.id), box->model().checked);
    return true;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create, SelectionChanged, OnButtonsClick>>;

}  // namespace OptionsAssistance
