#pragma once
// Form layouts and strings of one language and one screen size.
//
// "resources.dat" (resources folder) holds every language: the root's child
// elements are the languages, each with a "value" naming it, a "Forms"
// element with one block of form layouts per screen size ("width",
// "height"), and a "Strings" element.  A pruned copy for the last language and
// size, "cached_resources.dat" in the settings folder, is read first; it
// remembers which "resources.dat" and which screen size it was made from and
// is rebuilt when either differs or when it cannot be read.  When
// "resources.dat" cannot give the language, a copy made from an earlier
// version of it is still read.  A string or item text that is not UTF-8 is
// left out (the item keeps its place, without text), and a language whose
// "value" is not UTF-8 can neither be asked for nor is listed.

#include <string>
#include <vector>

// One item of a numbered form, its rectangle already scaled to the screen.
struct ItemConfig {
  int form = 0;
  int item = 0;
  int orderIndex = 0;
  int tabIndex = 0;
  std::wstring text;
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool operator==(const ItemConfig&) const = default;
};

namespace ResourceManager {
// The first loaded item with that form and item id.  Throws
// std::invalid_argument "ResourceManager::GetItemConfig no such ItemConfig ( <form>,<item>)".
ItemConfig GetItemConfig(int form, int item);
// The string with that id, or "" (which is then remembered) when there is none.
std::wstring GetString(int id);
// The string with that id, or fallback when the loaded language has none
// (or none is loaded): for the program's own messages, which must also
// speak where the resource file could not be read.
std::wstring GetStringOr(int id, const std::wstring& fallback);
// Forgets the loaded layouts, strings and language list (not the request log).
void Clear();

// The request log: which form items and strings the program asked for, and
// whether the loaded language had them.  It lets a test walk every form and
// then check the resource file against what was really asked for, instead of
// against a hand-kept list that drifts from the code.  Off unless turned on:
// the program itself never pays for it.  Each distinct request is kept once,
// so a form painted a thousand times does not grow it.
struct Request {
  enum class Kind { kItem, kString };
  Kind kind = Kind::kString;
  int form = 0;  // 0 for a string
  int id = 0;    // the item id, or the string id
  bool found = false;

  auto operator<=>(const Request&) const = default;
};
// Turning it on or off empties the log.
void SetRequestLogging(bool on);
bool RequestLogging();
// Sorted by kind, form, id; a request both found and missed (say, across a
// change of language) is listed once each way.
std::vector<Request> RequestLog();
}  // namespace ResourceManager

// Loads the layouts and strings of the language for a screen of width by
// height from the cached copy or "resources.dat".  On success they replace
// the loaded ones, and the layer's message box takes the language's button
// texts; on failure the loaded ones stay as they were.
bool LoadResources(const std::wstring& language, int width, int height);
// As LoadResources; when the language is not in the resource file, loads
// its first listed language instead and sets language to it.
bool LoadResourcesOrFirstLanguage(std::wstring& language, int width, int height);
// LoadResources with the two files named.
bool LoadResourceStrings(const std::wstring& cachedPath, const std::wstring& resourcesPath,
                         const std::wstring& language, int width, int height);

// The texts keep to the layouts: on a screen the layouts are scaled to,
// they are drawn in proportion (the classic 16 pixel line at the layouts'
// own size), but never in lines lower than kSmallestTextLineHeight, below
// which a whole form no longer reads well (one label too wide for its box
// may still be drawn smaller, see the drawing device), nor higher than
// kLargestTextLineHeight.  A successful load sets the layer's font to it.
inline constexpr int kSmallestTextLineHeight = 11;
inline constexpr int kLargestTextLineHeight = 64;
int TextLineHeightFor(int width, int height, int layoutWidth, int layoutHeight);

// The language names in file order, read once per run from the file at path
// (the cached copy names every language); when that names none, from
// "resources.dat".  The scan stops at the first language without a name.
// A name that is not UTF-8 is left out.
std::vector<std::wstring> ReadSupportedLanguages(const std::wstring& path);
