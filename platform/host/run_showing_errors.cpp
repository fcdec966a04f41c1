#include "platform/host/host_common.h"
#include "startup/CannotStart.h"

#include <stdexcept>

namespace host {

namespace {

// Our exception texts are plain ASCII; each byte becomes one character.
std::wstring widen(const char* text) {
  std::wstring wide;
  for (const char* c = text; c && *c; ++c) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
  return wide;
}

}  // namespace

void ShowFatalError(const std::wstring& text) { MessageBoxW(nullptr, text.c_str(), message_caption, MB_ICONERROR); }

bool RunShowingErrors(const std::function<void()>& run) {
  try {
    run();
    return true;
  } catch (const startup::CannotStart& error) {
    // Made for the player: which file, where, what to do.
    ShowFatalError(error.text());
  } catch (const std::logic_error& error) {
    // std::out_of_range and std::invalid_argument among them: a missing
    // layout item, a failed conversion.
    ShowFatalError(widen(error.what()));
  } catch (const char* text) {
    // A thrown string literal is a const char*; a char* lands here too.
    ShowFatalError(widen(text));
  } catch (...) {
    ShowFatalError(L"Not enough memory or unknown error!");
  }
  return false;
}

}  // namespace host
