// The about form's text: the product, its version, the maker and the
// copyright line.  The text box breaks lines at carriage returns and skips
// line feeds, so "\n\r" ends a line there.
//
// The version is the program's: "1.1" on the desktop, "1.2" on the handheld.
// Which program is running is what its host says (HandheldBuild), so the
// composition takes it as a parameter and both versions stay testable in one
// program.
#pragma once

#include <string>

namespace aboutform {

// String 1000 is the year, string 1001 the copyright word.
inline constexpr int kYearString = 1000;
inline constexpr int kCopyrightString = 1001;

const wchar_t* VersionOf(bool handheld);

std::wstring ComposeAboutText(bool handheld, const std::wstring& copyright, const std::wstring& year);

// The text in the current language, for the program that runs.
std::wstring AboutText();

// True in the handheld program: the installed program host's kind.
bool HandheldBuild();

}  // namespace aboutform
