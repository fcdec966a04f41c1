#pragma once
// One player's game options, stored in their settings file under these names.

#include <string>

struct Options {
  bool autoPencilMarks = true;
  bool allowOnlyValidEntries = false;
  bool flagMistakes = true;
  bool showGuideLines = false;
  int onTabClueDigits = 2;  // 0..4
  int gridPaintType = 1;    // 0 or 1
  int enteringNumbers = 2;  // keypad arrangement 0..5
  bool sound = true;
  int gridSymbols = 0;  // 0 digits, 1 letters
  std::wstring language = L"en";

  bool operator==(const Options&) const = default;
};
