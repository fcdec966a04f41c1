#include "forms/application/FormatSeconds.h"

#include <cwchar>

#include "notus/ownerdraw/installed_functions.h"

std::wstring FormatSeconds(unsigned seconds) {
  // The most hours an unsigned second count gives, 1193046, has 7 digits.
  wchar_t text[32];
  std::swprintf(text, sizeof text / sizeof text[0], L"%02u:%02u:%02u", seconds / 3600, seconds % 3600 / 60,
                seconds % 60);
  return text;
}

void InstallTimeFormatter() { notus::ownerdraw::set_time_formatter(FormatSeconds); }
