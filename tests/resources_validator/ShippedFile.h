// resources.dat as it stands in the source tree, read element by element
// with no help from the resource manager: the validator must see what the
// manager would hide (an item given twice, where the manager takes the first;
// a text with a raw line end, which it passes on as it is).
#pragma once

#include <tinyxml.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/XmlFiles.h"
#include "base/utf.h"

namespace resources_validator {

struct FileItem {
  int form = 0;
  int id = 0;
  int tabIndex = 0;
  int orderIndex = 0;
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  std::wstring text;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(const FileItem& inner) const {
    return left <= inner.left && top <= inner.top && inner.right <= right && inner.bottom <= bottom;
  }
};

struct FileLanguage {
  std::string name;
  // Every item of the 480 x 640 block, in file order, twins included.
  std::vector<FileItem> items;
  // Every string in file order, twins included.
  std::vector<std::pair<int, std::wstring>> strings;

  const FileItem* Item(int form, int id) const {
    for (const FileItem& item : items)
      if (item.form == form && item.id == id) return &item;
    return nullptr;
  }
  const std::wstring* String(int id) const {
    for (const auto& [stringId, text] : strings)
      if (stringId == id) return &text;
    return nullptr;
  }
};

inline std::wstring TextOf(const TiXmlElement& element) {
  const char* text = element.GetText();
  return text == nullptr ? std::wstring() : utf8_to_wide(text, utf_errors::lenient);
}

inline int IntOf(const TiXmlElement& element, const char* name) {
  int value = -1;
  element.QueryIntAttribute(name, &value);
  return value;
}

// The languages in file order; empty when the file does not parse.  Only
// the 480 x 640 block is read: it is the one the program ships for.
inline std::vector<FileLanguage> ReadShippedFile(const std::filesystem::path& path) {
  KeepXmlWhiteSpace();
  std::vector<FileLanguage> languages;
  TiXmlDocument document;
  if (!LoadXmlFile(path.wstring(), document, 4 * 1024 * 1024)) return languages;
  for (const TiXmlElement* language = document.RootElement()->FirstChildElement(); language;
       language = language->NextSiblingElement()) {
    FileLanguage parsed;
    parsed.name = language->Attribute("value") ? language->Attribute("value") : "";
    if (const TiXmlElement* forms = language->FirstChildElement("Forms")) {
      for (const TiXmlElement* block = forms->FirstChildElement(); block; block = block->NextSiblingElement()) {
        if (IntOf(*block, "width") != 480 || IntOf(*block, "height") != 640) continue;
        for (const TiXmlElement* form = block->FirstChildElement(); form; form = form->NextSiblingElement()) {
          for (const TiXmlElement* item = form->FirstChildElement(); item; item = item->NextSiblingElement()) {
            parsed.items.push_back(FileItem{IntOf(*form, "id"), IntOf(*item, "id"), IntOf(*item, "tabIndex"),
                                            IntOf(*item, "orderIndex"), IntOf(*item, "left"), IntOf(*item, "top"),
                                            IntOf(*item, "right"), IntOf(*item, "bottom"), TextOf(*item)});
          }
        }
      }
    }
    if (const TiXmlElement* strings = language->FirstChildElement("Strings")) {
      for (const TiXmlElement* string = strings->FirstChildElement(); string; string = string->NextSiblingElement())
        parsed.strings.emplace_back(IntOf(*string, "id"), TextOf(*string));
    }
    languages.push_back(std::move(parsed));
  }
  return languages;
}

}  // namespace resources_validator
