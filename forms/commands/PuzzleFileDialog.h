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
// file that is not a puzzle, for one that could not be written (followed by
// the file's name), for a puzzle whose clues break the rules, that has no
// solution, more than one, or one too hard to find, and for a file that
// cannot be read (followed by the file's name).
inline constexpr int kProblemTitle = 416;
inline constexpr int kNotAPuzzle = 417;
inline constexpr int kNotWritten = 418;
inline constexpr int kBrokenRules = 419;
inline constexpr int kNoSolution = 420;
inline constexpr int kSeveralSolutions = 421;
inline constexpr int kNotReadable = 422;
inline constexpr int kNotSolved = 424;

// The OK dialog with title kProblemTitle and the message of that id, with
// detail after it; returns once the player has closed it.
void ShowFileProblem(int messageId, const std::wstring& detail = {});

// The last part of the path, for naming the file to the player: what they
// chose, without the folders that would push it out of a one-line message.
// Bytes of a name that are not UTF-8 show as U+FFFD.
std::wstring FileNameToShow(const std::wstring& path);

}  // namespace puzzle_file
