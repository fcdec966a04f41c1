#include "forms/gameform/GameForm.h"

#include <memory>

#include "forms/commands/UndoRedoCommands.h"
#include "game/commands/ExecuteCommand.h"
#include "game/commands/HintCommands.h"
#include "winapi/windows.h"

namespace GameForm {

namespace {

// As of the key message being handled.
bool KeyIsDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

}  // namespace

void game_shortcuts_strategy::operator()(const notus::impl::ev_key& k) {
  namespace codes = notus::key_codes;
  if (k.down == 0) {
    if (k.code == codes::shift) shiftHeld = false;
    if (k.code == codes::control) controlHeld = false;
    return;
  }
  if (k.code == codes::shift) shiftHeld = true;
  if (k.code == codes::control) controlHeld = true;
  shiftHeld = shiftHeld && KeyIsDown(VK_SHIFT);
  controlHeld = controlHeld && KeyIsDown(VK_CONTROL);
  if (!controlHeld || k.key != kZ) return;
  if (shiftHeld)
    RedoCommand().Execute();
  else
    UndoCommand().Execute();
}

// Hint step is recorded for undo when it finds a step; Hint changes no cell
// and never is.
void Clicked::operator()(const notus::impl::ev_click& c) const {
  if (c.flag != 0) return;
  switch (c.id) {
    case kHintStepItem: gamecommands::ExecuteCommand(std::make_shared<gamecommands::Hint_Step>()); break;
    case kHintItem: gamecommands::Hint().Execute(); break;
    case kUndoItem: UndoCommand().Execute(); break;
    case kRedoItem: RedoCommand().Execute(); break;
    default: break;
  }
}

}  // namespace GameForm
