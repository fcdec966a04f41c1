#pragma once
// The engine throws plain character strings; this turns "what was thrown"
// into something a test can compare.

#include <string>

template <typename F>
std::string ThrownText(F&& action) {
  try {
    action();
  } catch (const char* text) {
    return text;
  }
  return "<nothing thrown>";
}
