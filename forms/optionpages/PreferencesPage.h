// The options form's Preferences page (layout form 6): the symbols of the
// grid (digits or letters), the way numbers are entered (the keypad
// arrangement, in a combo box), the language button, and a sound box that
// is kept hidden but still follows the option.  The grid paint type's two
// radios lie on the same form but are a part of their own
// (OptionsGridInput), built and released together with this page, so that
// each radio group has its own listener and neither page sees the other's
// selections.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "forms/common/ComboBoxFromItem.h"
#include "forms/common/FormBase.h"
#include "forms/optionpages/PageWidgets.h"
#include "notus/managers/view_manager.h"
#include "notus/strategy.h"

namespace OptionsPrefereces {

inline constexpr int kForm = 6;
inline constexpr int kSound = 67;
inline constexpr int kDigits = 68;
inline constexpr int kLetters = 69;
inline constexpr int kSymbolsBox = 70;
inline constexpr int kEnteringNumbers = 95;
inline constexpr int kChangeLanguage = 96;
inline constexpr int kEnteringNumbersLabel = 97;
// Strings of the combo box's entries, one per keypad arrangement 0..5.
inline constexpr int kFirstArrangementString = 230;
inline constexpr int kArrangements = 6;

struct Model : FormBase {
  ~Model() override {
    language.reset();
    enteringNumbers.reset();
    label.reset();
    letters.reset();
    digits.reset();
    symbolsBox.reset();
    sound.reset();
  }

  // The combo box's selection callback: entries 0..5 store the keypad
  // arrangement of that number; a larger index does nothing.
  void OnEnteringNumbersSelected(unsigned int index);

  void ClearSelectedRadios() { option_pages::ClearSelectedRadios({digits.get(), letters.get()}); }

  std::shared_ptr<option_pages::CheckBoxB> sound;
  std::shared_ptr<option_pages::GroupBox> symbolsBox;
  std::shared_ptr<option_pages::Radio> digits;
  std::shared_ptr<option_pages::Radio> letters;
  std::shared_ptr<option_pages::Label> label;
  std::shared_ptr<forms::combo_box> enteringNumbers;
  std::shared_ptr<option_pages::ButtonB> language;
};

struct PreferenceValues {
  bool sound = false;
  int gridSymbols = 0;
  int enteringNumbers = 0;
};
// All off and 0 without an application object.
PreferenceValues CurrentPreferenceValues();

// The sound box: the stored flag is shown though the window stays hidden,
// so the page reads what the option is should the box ever be shown.
void HideWindow(option_pages::CheckBoxB& box);

struct Create {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent& parent) {
    const PreferenceValues values = CurrentPreferenceValues();
    m.label = option_pages::MakePlaced<option_pages::Label>(m, kForm, kEnteringNumbersLabel);
    m.sound = option_pages::MakePlaced<option_pages::CheckBoxB>(m, kForm, kSound);
    m.sound->model().checked = values.sound;
    HideWindow(*m.sound);
    m.symbolsBox = option_pages::MakeGroupBox(kForm, kSymbolsBox, kDigits);
    m.digits = option_pages::MakePlaced<option_pages::Radio>(m, kForm, kDigits);
    m.letters = option_pages::MakePlaced<option_pages::Radio>(m, kForm, kLetters);
    // Any value but 0 and 1 selects neither.
    option_pages::SelectRadioAt({m.digits.get(), m.letters.get()}, values.gridSymbols);
    // The stored arrangement is shown before the callback is installed, so
    // building the page stores nothing; the combo box takes no place in the
    // layout's tab order.
    m.enteringNumbers = forms::MakeComboBox(kForm, kEnteringNumbers, parent, EnteringNumbersEntries());
    m.enteringNumbers->select_item(values.enteringNumbers);
    notus::ownerdraw::list_details::announce(*m.enteringNumbers->list_view);
    m.enteringNumbers->selection_callback = [&m](unsigned int index) { m.OnEnteringNumbersSelected(index); };
    m.language = option_pages::MakePlaced<option_pages::ButtonB>(m, kForm, kChangeLanguage);
    return true;
  }

  static std::vector<std::wstring> EnteringNumbersEntries();
};

// Stores the symbol set of the radio's item; other ids do nothing.
void OnSymbolsChosen(int item);
// Item 67: stores the inverse of the flag before the click.  Item 96: runs
// the language change and, when it changed the language, shows the options
// form again.
void OnButtonClicked(int item, bool soundBeforeClick);

struct SelectionChanged : notus::handle_event<notus::impl::ev_selection> {
  template <class Manager>
  bool on_selection(notus::impl::ev_selection& selection, Manager& m) {
    const auto id = static_cast<int>(selection.id);
    if (id != kDigits && id != kLetters) return true;
    m.ClearSelectedRadios();
    OnSymbolsChosen(id);
    return true;
  }
};

struct OnButtonsClick : notus::handle_event<notus::impl::ev_click, 0> {
  template <class Manager>
  bool on_click(notus::impl::ev_click& click, Manager& m) {
    OnButtonClicked(static_cast<int>(click.id), m.sound->model().checked);
    return true;
  }
};

using Manager = notus::managers::view_manager<Model, std::tuple<Create, SelectionChanged, OnButtonsClick>>;

}  // namespace OptionsPrefereces

namespace OptionsGridInput {

inline constexpr int kForm = 6;
inline constexpr int kPlain = 81;
inline constexpr int kShaded = 82;
inline constexpr int kGridBox = 83;

struct ModelGridPaintType : FormBase {
  ~ModelGridPaintType() override {
    gridBox.reset();
    shaded.reset();
    plain.reset();
  }

  std::shared_ptr<option_pages::Radio> plain;
  std::shared_ptr<option_pages::Radio> shaded;
  std::shared_ptr<option_pages::GroupBox> gridBox;
};

// 0 without an application object.
int CurrentGridPaintType();
// Stores the paint type of the radio's item; other ids do nothing.
void OnGridPaintTypeChosen(int item);

struct CreateGridPaintType {
  template <class Manager, class Parent>
  bool create(Manager& m, Parent&) {
    m.gridBox = option_pages::MakeGroupBox(kForm, kGridBox, kPlain);
    m.plain = option_pages::MakePlaced<option_pages::Radio>(m, kForm, kPlain);
    m.shaded = option_pages::MakePlaced<option_pages::Radio>(m, kForm, kShaded);
    // Any value but 0 and 1 selects neither.
    option_pages::SelectRadioAt({m.plain.get(), m.shaded.get()}, CurrentGridPaintType());
    return true;
  }
};

struct SelectionChangedGridPaintType : notus::handle_event<notus::impl::ev_selection> {
  template <class Manager>
  bool on_selection(notus::impl::ev_selection& selection, Manager& m) {
    const auto id = static_cast<int>(selection.id);
    if (id != kPlain && id != kShaded) return true;
    option_pages::ClearSelectedRadios({m.plain.get(), m.shaded.get()});
    OnGridPaintTypeChosen(id);
    return true;
  }
};

using Manager =
    notus::managers::view_manager<ModelGridPaintType, std::tuple<CreateGridPaintType, SelectionChangedGridPaintType>>;

}  // namespace OptionsGridInput
