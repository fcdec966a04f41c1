// The playing time as text, and its use by the widgets once installed.
#include <gtest/gtest.h>

#include <string>

#include "forms/application/FormatSeconds.h"
#include "notus/ownerdraw/installed_functions.h"
#include "tests/support/ScopedInstalls.h"

namespace {

TEST(FormatSecondsTest, HoursMinutesAndSecondsOfAtLeastTwoDigits) {
  const struct {
    unsigned seconds;
    const wchar_t* text;
  } cases[] = {
      {0, L"00:00:00"},
      {59, L"00:00:59"},
      {60, L"00:01:00"},
      {3725, L"01:02:05"},
      {359999, L"99:59:59"},
      {360000, L"100:00:00"},
      {4294967295u, L"1193046:28:15"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seconds);
    EXPECT_EQ(FormatSeconds(c.seconds), c.text);
  }
}

TEST(FormatSecondsTest, InstalledItFormatsTheWidgetsTimes) {
  test_support::ScopedInstalls none;
  none.Install(&notus::ownerdraw::set_time_formatter);
  InstallTimeFormatter();
  EXPECT_EQ(notus::ownerdraw::format_time(3725), L"01:02:05");
}

}  // namespace
