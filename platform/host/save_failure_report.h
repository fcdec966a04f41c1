// Telling the player that the program's files could not be saved.  The file
// layer (base/SmallFile.h) fails a save quietly and keeps the old file; each
// program installs a reporter there that shows one message box per run,
// naming the folder, and changes nothing else: the game goes on with what
// it holds in memory, and the next save tries again.
#pragma once

#include <functional>
#include <string>

namespace host {

// The text of the box in the loaded language (English where none is), with
// the folder's bytes read leniently as UTF-8 (a byte that is not shows as
// U+FFFD).
std::wstring SaveFailureText(const std::string& folderBytes);

// A reporter that shows its box on the first failure it is told of and on
// none after: a full disk fails every save of the run, and one box says it.
// The box stands over the program's main window while there is one, so it
// fits a handheld's screen as the window does.
std::function<void(const std::string& folderBytes)> MakeSaveFailureReporter();

// Installs a fresh MakeSaveFailureReporter() as the file layer's reporter.
void InstallSaveFailureReporter();

}  // namespace host
