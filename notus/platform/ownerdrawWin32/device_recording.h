// The device's side of the recording hook: formatting of the arguments and
// the call to the installed recorder.
#pragma once

#include <string>
#include <vector>

#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"

namespace notus::gdi::recording {

bool on();
void record(const device<notus::traits>::point_type& origin, const char* name,
            const std::vector<std::string>& arguments);

std::string rect(const device_rect& r);
std::string colour(COLORREF c);
std::string number(double value);
std::string text(const std::wstring& value);
std::string points(const pointd* points, unsigned count);

}  // namespace notus::gdi::recording
