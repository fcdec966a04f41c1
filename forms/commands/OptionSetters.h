// The commands that change one of the player's game options: the options
// form's check boxes and radio buttons run them with the new value.
//
// Each stores its value in the application's options and, for an option the
// game shows, passes it on to the current game through the game's setter of
// the same name, so the change is seen at once.  The automatic pencil marks
// and the sound are not the game's: the commands that fill candidates and
// play sounds read them from the options when they run.  A changed value is
// written to the player's settings file at once, so a crash or a kill later
// in the session does not lose it; a value the option already has writes
// nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "app/Options.h"
#include "forms/common/Application.h"
#include "forms/dialogs/HeldPlayerSettings.h"
#include "game/ApplicationCommand.h"
#include "game/GameBase.h"

namespace option_setters {

// No game operation: the option is the application's alone.
inline constexpr std::nullptr_t kOptionOnly = nullptr;

// One setter: the option field it stores into and the game operation it
// calls (kOptionOnly for none).  The nine commands differ in nothing else,
// so each is this template under its own name rather than nine hand-written
// copies that could drift apart.  Without an application object it does
// nothing; without a game it only stores the option, which the next game
// takes when it is built.
template <class Value, Value Options::*Field, auto GameOperation>
class OptionSetter : public ApplicationCommand {
 public:
  explicit OptionSetter(Value value) : value(value) {}

  void Execute() override {
    Application* state = Application::Instance();
    if (state == nullptr) return;
    const bool changed = state->options.*Field != value;
    state->options.*Field = value;
    if constexpr (!std::is_null_pointer_v<decltype(GameOperation)>) {
      if (state->game) (state->game.get()->*GameOperation)(Passed(value));
    }
    if (changed) SaveHeldPlayerSettings();
  }

  Value value;

 private:
  // The game takes the numbered options unsigned.
  static auto Passed(Value v) {
    if constexpr (std::is_same_v<Value, bool>)
      return v;
    else
      return static_cast<std::uint32_t>(v);
  }
};

}  // namespace option_setters

class SetAutoPencilMarks
    : public option_setters::OptionSetter<bool, &Options::autoPencilMarks, option_setters::kOptionOnly> {
 public:
  using OptionSetter::OptionSetter;
};
class SetAllowOnlyValidEntries
    : public option_setters::OptionSetter<bool, &Options::allowOnlyValidEntries, &GameBase::SetAllowOnlyValidEntries> {
 public:
  using OptionSetter::OptionSetter;
};
class SetFlagMistakes : public option_setters::OptionSetter<bool, &Options::flagMistakes, &GameBase::SetFlagMistakes> {
 public:
  using OptionSetter::OptionSetter;
};
class SetShowGuideLines
    : public option_setters::OptionSetter<bool, &Options::showGuideLines, &GameBase::SetShowGuideLines> {
 public:
  using OptionSetter::OptionSetter;
};
// 0..4.
class SetOnTabClueDigits
    : public option_setters::OptionSetter<int, &Options::onTabClueDigits, &GameBase::SetOnTabClueDigits> {
 public:
  using OptionSetter::OptionSetter;
};
// 0 or 1.
class SetGridPaintType
    : public option_setters::OptionSetter<int, &Options::gridPaintType, &GameBase::SetGridPaintType> {
 public:
  using OptionSetter::OptionSetter;
};
// The keypad arrangement, 0..5; the game moves its grid and keypads.
class SetEnteringNumbers
    : public option_setters::OptionSetter<int, &Options::enteringNumbers, &GameBase::SetEnteringNumbers> {
 public:
  using OptionSetter::OptionSetter;
};
// 0 digits, 1 letters.
class SetGridSymbols : public option_setters::OptionSetter<int, &Options::gridSymbols, &GameBase::SetGridSymbols> {
 public:
  using OptionSetter::OptionSetter;
};
class SetSound_Command : public option_setters::OptionSetter<bool, &Options::sound, option_setters::kOptionOnly> {
 public:
  using OptionSetter::OptionSetter;
};
