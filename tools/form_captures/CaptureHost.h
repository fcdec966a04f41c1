#pragma once
// One run of the program's window side, headless, for one capture: the real
// main window and its window procedure, a root window controller, the
// layouts and strings of one language for one screen (the desktop's 480 x
// 640, or a handheld's, which scales them), the program's host, and the
// application object with its main frame and the application tab bar, as
// start-up builds them.  A scene drives it with the player's input (clicks,
// keys, typed text injected into the main window's queue) and takes the
// window's pixels.
//
// Dialogs run their own message loops.  CaptureDialog opens one and, when
// its loop starts, injects the scene's input; once the loop has handled that
// input the window is painted and captured, and the scene's answer ends the
// loop.  A loop that waits for input no answer gives is ended and reported
// as a failure, so a wrong scene never hangs the tool.
//
// The headless layer and the application are process-wide, so there is one
// host at a time; each scene gets a fresh one and sees no other's pixels.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/common/Application.h"
#include "forms/common/ProgramHost.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "winapi/headless/headless.h"
#include "winapi/windows.h"

namespace form_captures {

// The program a capture shows: the desktop, or the handheld on a screen of
// its size.
struct Device {
  // Put before the scene's name in the file name; empty for the desktop.
  const char* prefix;
  ProgramKind kind;
  ScreenSize screen;
};

inline constexpr Device kDesktop{"", ProgramKind::desktop, {480, 640}};
// The handheld on the screens it must serve: the smallest it accepts, a
// device's held upright and on its side, a larger device's, and full screen
// on two monitors, where the layouts are scaled up four and eight times over.
inline constexpr Device kHandhelds[] = {
    {"handheld_240x240_", ProgramKind::handheld, {240, 240}},
    {"handheld_240x320_", ProgramKind::handheld, {240, 320}},
    {"handheld_320x240_", ProgramKind::handheld, {320, 240}},
    {"handheld_800x480_", ProgramKind::handheld, {800, 480}},
    {"handheld_1920x1080_", ProgramKind::handheld, {1920, 1080}},
    {"handheld_3840x2160_", ProgramKind::handheld, {3840, 2160}},
};

class CaptureHost {
 public:
  // Throws std::runtime_error when the language's layouts cannot be loaded
  // or the main window cannot be made.
  CaptureHost(const std::wstring& language, const Device& device);
  ~CaptureHost();
  CaptureHost(const CaptureHost&) = delete;
  CaptureHost& operator=(const CaptureHost&) = delete;

  const std::wstring& Language() const noexcept { return m_language; }
  const Device& Program() const noexcept { return m_device; }
  Application& State() { return *m_state; }

  // The player's input, queued for the main window.  ClickItem clicks the
  // centre of layout item (form, item).
  void ClickItem(int form, int item) const;
  void ClickAt(int x, int y) const;
  void Key(int virtualKey) const;
  void Type(const std::wstring& text) const;
  // The window's close box: ends the innermost loop.
  void Close() const;

  // Handles every queued message, then paints what is invalid.
  void Settle();
  // What the main window shows now, without painting first.
  winapi::Image Shot() const;
  // Paints the whole window again and notes each text its box cuts, each
  // text another window paints over, and each text drawn smaller than the
  // program's text size to fit its box.  A dialog's capture checks what
  // the dialog shows.
  void CheckTexts();
  bool CheckedTexts() const noexcept { return m_checked; }
  // cut "text" (W x H in a box of w x h), or "text" overlapped by ..., for
  // each text a check found so.
  const std::vector<std::string>& CutTexts() const noexcept { return m_cut; }
  // smaller "text" (line 11 -> 9 px) for each text drawn smaller.
  const std::vector<std::string>& SmallerTexts() const noexcept { return m_smaller; }

  // Runs open, which shows a dialog and runs its loop.  As the loop starts,
  // input runs (it queues the scene's input); once the loop has handled
  // that, the window is painted and captured, and answer runs (it queues
  // what ends the loop).  Answers the capture.  Throws std::runtime_error
  // when no loop started, a second one did, or a loop ran out of input.
  winapi::Image CaptureDialog(const std::function<void()>& open, const std::function<void()>& input,
                              const std::function<void()>& answer);

  // Runs work, which pumps single messages on its own as it goes (a
  // generation under the progress form does, at each report): the first
  // message it pumps paints the window and captures it, once, in the middle
  // of the work.  Answers the capture.  Throws std::runtime_error when work
  // ended without having pumped that far.
  winapi::Image CaptureWhilePumping(const std::function<void()>& work);

 private:
  void SetUp();
  void TearDown();
  void OnLoopEntry();
  void OnRelay();
  static LRESULT CALLBACK RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::wstring m_language;
  Device m_device;
  std::unique_ptr<notus::impl::details::virtual_window_controller> m_root;
  std::unique_ptr<Application> m_state;
  HWND m_main = nullptr;
  // A hidden window of the tool's own, so the message that marks "the input
  // before me is handled" reaches neither the main window nor a controller.
  HWND m_relay = nullptr;

  // The dialog being captured.
  std::function<void()> m_input;
  std::function<void()> m_answer;
  int m_loopsStarted = 0;
  bool m_ranDry = false;
  winapi::Image m_capture;
  std::vector<std::string> m_cut;
  std::vector<std::string> m_smaller;
  bool m_checked = false;
};

}  // namespace form_captures
