#include "forms/about/AboutText.h"

#include <sstream>

#include "app/ResourceManager.h"

namespace aboutform {

const wchar_t* VersionOf(bool handheld) { return handheld ? L"1.2" : L"1.1"; }

std::wstring ComposeAboutText(bool handheld, const std::wstring& copyright, const std::wstring& year) {
  std::wostringstream text;
  text << L"Tavlin\n\r" << L"version " << VersionOf(handheld) << L"\n\r\n\r" << L"developed by Kestrel Mill\n\r"
       << copyright << L' ' << year << L"\n\r\n\r";
  return text.str();
}

std::wstring AboutText() {
  return ComposeAboutText(HandheldBuild(), ResourceManager::GetString(kCopyrightString),
                          ResourceManager::GetString(kYearString));
}

}  // namespace aboutform
