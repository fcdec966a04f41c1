// The open and save dialogs of the puzzle text files, and the OK dialog
// that tells the player what went wrong with a file.
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

// The texts of a file problem: the OK dialog's title, and its message for a
// file that is not a puzzle (or cannot be read) and for one that could not
// be written.
inline constexpr int kProblemTitle = 416;
inline constexpr int kNotAPuzzle = 417;
inline constexpr int kNotWritten = 418;

// The OK dialog with title kProblemTitle and the message of that id; returns
// once the player has closed it.
void ShowFileProblem(int messageId);

}  // namespace puzzle_file
