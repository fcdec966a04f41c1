// Platform events from window messages.  EventFromMessage classifies the
// message record an event holds and fills its kind; the four builders fill one
// kind's payload and report whether the message is of that kind.  A message
// without a kind of its own becomes kind 0 carrying the record.
#pragma once

#include "notus/impl/event.h"
#include "notus/traits.h"

namespace notus::impl {

void EventFromMessage(event<traits>& e);

bool MouseEventFromMessage(event<traits>& e);
bool KeyEventFromMessage(event<traits>& e);
bool PaintEventFromMessage(event<traits>& e);
bool StateEventFromMessage(event<traits>& e);

// The framework key code of a virtual key: 1 Backspace, 2 Tab, 3 Return,
// 4 Escape, 5 Space, 6 Delete, 7 Pause, 8 Home, 9 End, 10 Page Up,
// 11 Page Down, 12 Insert, 13 Left, 14 Right, 15 Up, 16 Down, 17 Shift,
// 19 left Alt, 20 right Alt, 21 Control; 0 for every other key.
word KeyCodeFromVirtualKey(WPARAM virtual_key);

}  // namespace notus::impl
