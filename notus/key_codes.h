// The framework's key codes: what an ev_key's code holds, whichever key
// numbers the platform has.  The platform side maps its keys to these
// (event_from_message.cpp); strategies compare against them.
#pragma once

#include "notus/impl/payloads.h"

namespace notus::key_codes {

inline constexpr impl::word backspace = 1;
inline constexpr impl::word tab = 2;
inline constexpr impl::word enter = 3;
inline constexpr impl::word escape = 4;
inline constexpr impl::word space = 5;
inline constexpr impl::word del = 6;
inline constexpr impl::word pause = 7;
inline constexpr impl::word home = 8;
inline constexpr impl::word end = 9;
inline constexpr impl::word page_up = 10;
inline constexpr impl::word page_down = 11;
inline constexpr impl::word insert = 12;
inline constexpr impl::word left = 13;
inline constexpr impl::word right = 14;
inline constexpr impl::word up = 15;
inline constexpr impl::word down = 16;
inline constexpr impl::word shift = 17;
inline constexpr impl::word left_alt = 19;
inline constexpr impl::word right_alt = 20;
inline constexpr impl::word control = 21;

}  // namespace notus::key_codes
