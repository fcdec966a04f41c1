#pragma once
// The undo and redo steps behind the undo and redo buttons and keys.
//
// Both look at the history before they act, so an empty side is not an
// error: it only refreshes the game's highlights, keypads and hint. Redo runs
// the command's Execute again, ignores its result and does not record it a
// second time.

class CommandHistory;
class GameBase;

namespace gamecommands {

void UndoLast(CommandHistory& history, GameBase& game);
void RedoNext(CommandHistory& history, GameBase& game);

}  // namespace gamecommands
