// What ends start-up when the program cannot run at all: a file it cannot
// start without is damaged or missing.  Its text is made for the player to
// act on (which file, where it was looked for, what to do): in English when
// the resource file is the damaged one, else in the loaded language.  The
// host shows it in the fatal-error box and ends with a failure status.
#pragma once

#include <stdexcept>
#include <string>

namespace startup {

class CannotStart : public std::runtime_error {
 public:
  explicit CannotStart(std::wstring text) : std::runtime_error("cannot start"), m_text(std::move(text)) {}
  const std::wstring& text() const { return m_text; }

 private:
  // Wide, as a path may hold any character.
  std::wstring m_text;
};

}  // namespace startup
