#include "app/ResourceManager.h"

#include "app/Paths.h"
#include "app/XmlFiles.h"
#include "base/SmallFile.h"
#include "base/utf.h"
#include "winapi/default_font.h"
#include "winapi/message_box.h"

#include <sys/stat.h>
#include <tinyxml.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>

namespace {

struct ResourceSet {
  std::vector<ItemConfig> items;
  std::map<int, std::wstring> strings;
  // Strings and item texts left out or left empty because they are not UTF-8.
  int unreadableTexts = 0;
  // Ids asked for and not in the file; GetString remembers them as "" in
  // strings, and the request log must still count them as missing.
  std::set<int> missingStrings;
  // The line height of the text on the forms of this layout.
  int textLineHeight = winapi::core::kDefaultLineHeight;
};

ResourceSet& Loaded() {
  static ResourceSet loaded;
  return loaded;
}

// The request log.  Layouts and strings are looked up on the form thread
// only (the web worker reads none), so the log, like the loaded set, needs
// no lock; with logging off a lookup pays one test of the flag.
struct RequestLogState {
  bool on = false;
  std::set<ResourceManager::Request> requests;
};

RequestLogState& TheRequestLog() {
  static RequestLogState state;
  return state;
}

void LogRequest(ResourceManager::Request::Kind kind, int form, int id, bool found) {
  RequestLogState& log = TheRequestLog();
  if (log.on) log.requests.insert(ResourceManager::Request{kind, form, id, found});
}

std::vector<std::wstring>& SupportedLanguages() {
  static std::vector<std::wstring> languages;
  return languages;
}

// The resource file holds every language and screen size, a few hundred KB
// at most; the cap leaves ample room and keeps a foreign file from being
// read whole.  The cached copy is a pruned version of it.
constexpr std::size_t kMaxResourceFileBytes = 4 * 1024 * 1024;
// Ours holds about 3,600 nodes; one with tens of thousands of strings must
// still load.  It is our own file, so the room is wider than for art and
// logos.
constexpr XmlLimits kResourceXmlLimits{.nodes = 250'000};

// The root attribute of the cached copy that names what it was made from.
constexpr const char* kSourceAttribute = "source";

// What a cached copy must have been made from to be used: the size and
// modification time of "resources.dat" and the screen size.  Empty when
// "resources.dat" cannot be examined; the copy is then all there is.
std::string CacheSource(const std::wstring& resourcesPath, int width, int height) {
  struct stat status {};
  if (stat(NativePath(resourcesPath).c_str(), &status) != 0) return {};
  return std::to_string(status.st_size) + ":" + std::to_string(status.st_mtim.tv_sec) + "." +
         std::to_string(status.st_mtim.tv_nsec) + ":" + std::to_string(width) + "x" + std::to_string(height);
}

// The text of the file as wide text; nullopt when it is not UTF-8.  A stray
// byte in a resource file must cost that text alone, never the start of the
// program.
std::optional<std::wstring> Utf8Text(const char* text) {
  try {
    return utf8_to_wide(text);
  } catch (const std::invalid_argument&) {
    return std::nullopt;
  }
}

std::optional<std::wstring> ElementText(const TiXmlElement& element) {
  const char* text = element.GetText();
  return text == nullptr ? std::wstring() : Utf8Text(text);
}

// The language element whose "value" is the language.  From the full file,
// every other language is emptied on the way, so the document becomes the
// pruned copy that still names every language.  A value that is not UTF-8
// names no language that can be asked for.
TiXmlElement* FindLanguage(TiXmlDocument& document, const std::wstring& language, bool prune) {
  TiXmlElement* found = nullptr;
  for (TiXmlElement* element = document.RootElement()->FirstChildElement(); element != nullptr;
       element = element->NextSiblingElement()) {
    const char* value = element->Attribute("value");
    if (value == nullptr) break;
    if (found == nullptr && Utf8Text(value) == language) {
      found = element;
    } else if (prune) {
      element->Clear();
    }
  }
  return found;
}

// A string that is not UTF-8 is left out, as if it were not in the file.
void ReadResourceStrings(const TiXmlElement& strings, ResourceSet& into) {
  for (const TiXmlElement* element = strings.FirstChildElement(); element != nullptr;
       element = element->NextSiblingElement()) {
    int id = 0;
    if (element->QueryIntAttribute("id", &id) != TIXML_SUCCESS) continue;
    std::optional<std::wstring> text = ElementText(*element);
    if (text.has_value()) {
      into.strings[id] = std::move(*text);
    } else {
      ++into.unreadableTexts;
    }
  }
}

}  // namespace

int TextLineHeightFor(int width, int height, int layoutWidth, int layoutHeight) {
  const int wanted = winapi::core::kDefaultLineHeight;
  if (layoutWidth <= 0 || layoutHeight <= 0) return wanted;
  // The smaller of the two scales, rounded: the text must fit across and
  // down.  64 bits, as a screen side may be large.
  const std::int64_t across = std::int64_t{wanted} * width * 2 / layoutWidth;
  const std::int64_t down = std::int64_t{wanted} * height * 2 / layoutHeight;
  const std::int64_t scaled = (std::min(across, down) + 1) / 2;
  return static_cast<int>(std::clamp<std::int64_t>(scaled, kSmallestTextLineHeight, kLargestTextLineHeight));
}

namespace {

int Scaled(int value, int screen, int layout) {
  return static_cast<int>(static_cast<std::int64_t>(value) * screen / layout);
}

// An item whose text is not UTF-8 keeps its place on the form, without text.
bool ReadFormLayout(const TiXmlElement& block, int width, int height, int layoutWidth, int layoutHeight,
                    ResourceSet& into) {
  for (const TiXmlElement* form = block.FirstChildElement(); form != nullptr; form = form->NextSiblingElement()) {
    int formId = 0;
    if (form->QueryIntAttribute("id", &formId) != TIXML_SUCCESS) return false;
    for (const TiXmlElement* element = form->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
      // An attribute that is missing counts as 0.
      ItemConfig item;
      item.form = formId;
      element->QueryIntAttribute("id", &item.item);
      element->QueryIntAttribute("tabIndex", &item.tabIndex);
      element->QueryIntAttribute("orderIndex", &item.orderIndex);
      element->QueryIntAttribute("top", &item.top);
      element->QueryIntAttribute("left", &item.left);
      element->QueryIntAttribute("bottom", &item.bottom);
      element->QueryIntAttribute("right", &item.right);
      item.top = Scaled(item.top, height, layoutHeight);
      item.bottom = Scaled(item.bottom, height, layoutHeight);
      item.left = Scaled(item.left, width, layoutWidth);
      item.right = Scaled(item.right, width, layoutWidth);
      std::optional<std::wstring> text = ElementText(*element);
      if (text.has_value()) {
        item.text = std::move(*text);
      } else {
        ++into.unreadableTexts;
      }
      into.items.push_back(std::move(item));
    }
  }
  return true;
}

struct ChosenBlock {
  TiXmlElement* block = nullptr;
  int layoutWidth = 0;
  int layoutHeight = 0;
};

// The block laid out for exactly this screen, else the first block with its
// own size.  Null when a block has no usable size.
ChosenBlock ChooseBlock(TiXmlElement& forms, int width, int height) {
  ChosenBlock first;
  for (TiXmlElement* block = forms.FirstChildElement(); block != nullptr; block = block->NextSiblingElement()) {
    int blockWidth = 0;
    int blockHeight = 0;
    if (block->QueryIntAttribute("width", &blockWidth) != TIXML_SUCCESS) return {};
    block->QueryIntAttribute("height", &blockHeight);
    if (blockWidth == width && blockHeight == height) return {block, width, height};
    if (first.block == nullptr) first = {block, blockWidth, blockHeight};
  }
  // A size of zero or less cannot be scaled from.
  if (first.layoutWidth <= 0 || first.layoutHeight <= 0) return {};
  return first;
}

void RemoveOtherBlocks(TiXmlElement& forms, const TiXmlElement* keep) {
  TiXmlElement* block = forms.FirstChildElement();
  while (block != nullptr) {
    TiXmlElement* next = block->NextSiblingElement();
    if (block != keep) forms.RemoveChild(block);
    block = next;
  }
}

// Reads the strings and the layout for the screen from the language element
// into `into`.  From the full file the document is first pruned to that
// layout and saved as the cached copy.  False when something the load needs
// is missing; texts that are not UTF-8 are counted in `into`.
bool ReadLanguage(TiXmlDocument& document, TiXmlElement& language, bool fromFullFile, const std::string& source,
                  const std::wstring& cachedPath, int width, int height, ResourceSet& into) {
  if (const TiXmlElement* strings = language.FirstChildElement("Strings")) {
    ReadResourceStrings(*strings, into);
  }
  TiXmlElement* forms = language.FirstChildElement("Forms");
  if (forms == nullptr) return false;
  const ChosenBlock chosen = ChooseBlock(*forms, width, height);
  if (chosen.block == nullptr) return false;

  if (fromFullFile) {
    RemoveOtherBlocks(*forms, chosen.block);
    document.RootElement()->SetAttribute(kSourceAttribute, source);
    // A copy that cannot be written only costs the next start some time:
    // nothing the player must hear of.
    ReplaceFileQuietly(cachedPath, StreamPrinted(document));
  }
  into.textLineHeight = TextLineHeightFor(width, height, chosen.layoutWidth, chosen.layoutHeight);
  return ReadFormLayout(*chosen.block, width, height, chosen.layoutWidth, chosen.layoutHeight, into);
}

// The load from the cached copy alone; false when the copy is missing, stale,
// only names the language, or is damaged in any way.  The copy lies in the
// user's folder, so a damaged one must not stop the program from starting:
// the full file is read instead and the copy rebuilt.  A text that is not
// UTF-8 counts as damage too while the full file can be read in its place
// (a copy of a resource file that has such texts is therefore made anew at
// each load).  With an empty source the copy is taken whatever it was made
// from, and then, like the full file, without the texts that are not UTF-8.
bool LoadFromCachedCopy(const std::wstring& cachedPath, const std::string& source, const std::wstring& language,
                        int width, int height, ResourceSet& into) {
  TiXmlDocument document;
  if (!LoadXmlFile(cachedPath, document, kMaxResourceFileBytes, kResourceXmlLimits)) return false;
  const char* cachedSource = document.RootElement()->Attribute(kSourceAttribute);
  const bool current = source.empty() || (cachedSource != nullptr && source == cachedSource);
  if (!current) return false;
  TiXmlElement* languageElement = FindLanguage(document, language, false);
  if (languageElement == nullptr || languageElement->FirstChildElement() == nullptr) return false;
  if (!ReadLanguage(document, *languageElement, false, source, cachedPath, width, height, into)) return false;
  return source.empty() || into.unreadableTexts == 0;
}

bool LoadFromFullFile(const std::wstring& cachedPath, const std::wstring& resourcesPath, const std::string& source,
                      const std::wstring& language, int width, int height, ResourceSet& into) {
  TiXmlDocument document;
  if (!LoadXmlFile(resourcesPath, document, kMaxResourceFileBytes, kResourceXmlLimits)) return false;
  TiXmlElement* languageElement = FindLanguage(document, language, true);
  if (languageElement == nullptr) return false;
  return ReadLanguage(document, *languageElement, true, source, cachedPath, width, height, into);
}

bool LoadResourceSet(const std::wstring& cachedPath, const std::wstring& resourcesPath, const std::wstring& language,
                     int width, int height, ResourceSet& into) {
  if (width <= 0 || height <= 0) return false;
  const std::string source = CacheSource(resourcesPath, width, height);
  if (LoadFromCachedCopy(cachedPath, source, language, width, height, into)) return true;

  into = ResourceSet{};  // whatever a damaged copy gave before it failed
  if (LoadFromFullFile(cachedPath, resourcesPath, source, language, width, height, into)) return true;

  // The resource file is there but cannot give the language (cut short by a
  // broken update, or the language dropped from it).  A copy made from an
  // earlier file still can: reading it keeps the program usable, as reading
  // the copy first always did.  It stays marked as made from the earlier
  // file, so a sound resource file replaces it at the next load.
  into = ResourceSet{};
  return !source.empty() && LoadFromCachedCopy(cachedPath, std::string(), language, width, height, into);
}

// The languages that can be asked for, in file order: the scan stops at the
// first language without a name, and a name that is not UTF-8 is left out.
void AppendLanguages(const std::wstring& path, std::vector<std::wstring>& languages) {
  TiXmlDocument document;
  if (!LoadXmlFile(path, document, kMaxResourceFileBytes, kResourceXmlLimits)) return;
  for (const TiXmlElement* element = document.RootElement()->FirstChildElement(); element != nullptr;
       element = element->NextSiblingElement()) {
    const char* value = element->Attribute("value");
    if (value == nullptr) break;
    if (std::optional<std::wstring> name = Utf8Text(value)) languages.push_back(std::move(*name));
  }
}

std::wstring FirstLanguageOf(const std::wstring& path) {
  std::vector<std::wstring> languages;
  AppendLanguages(path, languages);
  return languages.empty() ? std::wstring() : languages.front();
}

// The layer's message box may show before any form does (a failed save, a
// fatal error), so its buttons take the language's words as soon as it is
// loaded.  A word the language lacks stays English.
void SetMessageBoxButtonTexts() {
  constexpr int kOk = 431, kCancel = 432, kYes = 445, kNo = 446;
  winapi::MessageBoxTexts texts;
  texts.ok = ResourceManager::GetStringOr(kOk, texts.ok);
  texts.cancel = ResourceManager::GetStringOr(kCancel, texts.cancel);
  texts.yes = ResourceManager::GetStringOr(kYes, texts.yes);
  texts.no = ResourceManager::GetStringOr(kNo, texts.no);
  winapi::SetMessageBoxTexts(std::move(texts));
}

}  // namespace

namespace ResourceManager {

ItemConfig GetItemConfig(int form, int item) {
  for (const ItemConfig& config : Loaded().items) {
    if (config.form == form && config.item == item) {
      LogRequest(Request::Kind::kItem, form, item, true);
      return config;
    }
  }
  LogRequest(Request::Kind::kItem, form, item, false);
  throw std::invalid_argument("ResourceManager::GetItemConfig no such ItemConfig ( " + std::to_string(form) + "," +
                              std::to_string(item) + ")");
}

std::wstring GetString(int id) {
  ResourceSet& loaded = Loaded();
  const auto found = loaded.strings.find(id);
  if (found != loaded.strings.end()) {
    LogRequest(Request::Kind::kString, 0, id, !loaded.missingStrings.contains(id));
    return found->second;
  }
  LogRequest(Request::Kind::kString, 0, id, false);
  loaded.missingStrings.insert(id);
  return loaded.strings[id];
}

std::wstring GetStringOr(int id, const std::wstring& fallback) {
  const ResourceSet& loaded = Loaded();
  const auto found = loaded.strings.find(id);
  // An id asked for and missing is held as "", as is a text that is not UTF-8.
  const bool have = found != loaded.strings.end() && !found->second.empty();
  LogRequest(Request::Kind::kString, 0, id, have);
  return have ? found->second : fallback;
}

void Clear() {
  Loaded() = ResourceSet{};
  SupportedLanguages().clear();
}

void SetRequestLogging(bool on) {
  RequestLogState& log = TheRequestLog();
  log.requests.clear();
  log.on = on;
}

bool RequestLogging() { return TheRequestLog().on; }

std::vector<Request> RequestLog() {
  const RequestLogState& log = TheRequestLog();
  return {log.requests.begin(), log.requests.end()};
}

}  // namespace ResourceManager

bool LoadResourceStrings(const std::wstring& cachedPath, const std::wstring& resourcesPath,
                         const std::wstring& language, int width, int height) {
  // Loaded into a fresh set and swapped in only on success, so a failed
  // reload (say, after a change of language) keeps the forms working.
  ResourceSet loaded;
  if (!LoadResourceSet(cachedPath, resourcesPath, language, width, height, loaded)) return false;
  std::swap(Loaded(), loaded);
  winapi::core::SetWantedLineHeight(Loaded().textLineHeight);
  SetMessageBoxButtonTexts();
  return true;
}

bool LoadResources(const std::wstring& language, int width, int height) {
  return LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), language, width, height);
}

bool LoadResourcesOrFirstLanguage(std::wstring& language, int width, int height) {
  if (LoadResources(language, width, height)) return true;
  const std::wstring first = FirstLanguageOf(ResourcesFileName());
  if (first.empty() || first == language || !LoadResources(first, width, height)) return false;
  language = first;
  return true;
}

std::vector<std::wstring> ReadSupportedLanguages(const std::wstring& path) {
  std::vector<std::wstring>& languages = SupportedLanguages();
  if (languages.empty()) AppendLanguages(path, languages);
  // A cached copy that could not be written names no language.
  if (languages.empty()) AppendLanguages(ResourcesFileName(), languages);
  return languages;
}
