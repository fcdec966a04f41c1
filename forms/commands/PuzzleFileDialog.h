// The open and save dialogs of the puzzle text files, and the message boxes
// that tell the player what went wrong with a file.
//
// Both dialogs offer "All" (*.*) first and "Text" (*.TXT) second.  A
// cancelled dialog gives no file and says nothing; one that failed gives no
// file and shows its error number in a box captioned "Error code".
#pragma once

#include <optional>
#include <string>

namespace puzzle_file {

enum class DialogKind { open, save };

// The chosen path, or nothing.
std::optional<std::wstring> AskForPuzzleFile(DialogKind kind);

// A warning box over the main window.
void ShowFileProblem(const std::wstring& text, const std::wstring& caption);

}  // namespace puzzle_file
