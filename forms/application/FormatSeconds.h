// The playing time as the clock button and the statistics show it:
// "HH:MM:SS", each part at least two digits, hours as many as they need
// (100 hours read "100:00:00").
#pragma once

#include <string>

std::wstring FormatSeconds(unsigned seconds);

// Makes FormatSeconds the widgets' time formatter (the clock button's text);
// start-up calls it once.
void InstallTimeFormatter();
