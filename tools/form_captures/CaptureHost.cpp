#include "tools/form_captures/CaptureHost.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "app/SessionMemory.h"
#include "forms/application/FormatSeconds.h"
#include "forms/common/ProgramHost.h"
#include "forms/tabbar/ApplicationTabBar.h"
#include "notus/ownerdraw/installed_functions.h"
#include "notus/ownerdraw/main_window.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/svg_glyph.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "platform/win32/Application/app_entry.h"
#include "platform/win32/Application/desktop_resources.h"
#include "tests/support/DrawnTexts.h"

namespace form_captures {

namespace {

using notus::impl::details::app;

constexpr DWORD kStartTicks = 1'000'000;
constexpr UINT kRelayMessage = WM_USER + 1;
constexpr const wchar_t* kRelayClass = L"FormCapturesRelay";

// The host whose relay window is alive; there is one host at a time.
CaptureHost* g_host = nullptr;

}  // namespace

CaptureHost::CaptureHost(const std::wstring& language, const Device& device) : m_language(language), m_device(device) {
  if (g_host != nullptr) throw std::logic_error("one capture host at a time");
  // A host that fails half-built leaves the process as clean as one that
  // ends, for the next scene.
  try {
    SetUp();
  } catch (...) {
    TearDown();
    throw;
  }
}

CaptureHost::~CaptureHost() { TearDown(); }

void CaptureHost::SetUp() {
  winapi::headless::Reset();
  app::instance().release();
  notus::impl::details::clear_invalid_rect();
  winapi::headless::SetTickCount(kStartTicks);
  winapi::headless::SetScreenSize(m_device.screen.width, m_device.screen.height);
  ProgramHost program;
  program.kind = m_device.kind;
  program.screenSize = [screen = m_device.screen] { return screen; };
  InstallProgramHost(std::move(program));
  desktop::RegisterDesktopResources();
  // The language list is read once per run; a fresh host reads it afresh.
  ResourceManager::Clear();
  // What the forms keep between showings (the clock's shown flag, which a
  // game writes as it goes) lasts for the process; a scene starts as a
  // program does, with none.
  SessionMemory::Clear();
  if (!LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), m_language, m_device.screen.width,
                           m_device.screen.height)) {
    throw std::runtime_error("the layouts of this language cannot be loaded");
  }
  // The glyphs live with the application object, which each host makes anew.
  notus::gdi::load_svg_glyphs(JoinPath(GetResourcesDirectory(), L"glyphs.dat"));
  m_root = std::make_unique<notus::impl::details::virtual_window_controller>();
  if (!InitInstance(nullptr, SW_SHOW)) throw std::runtime_error("no main window");
  m_main = app::instance().main_window();
  InstallApplicationTabBar();
  // The game's clock shows no time without it; start-up installs it too.
  InstallTimeFormatter();
  notus::mainwindow::set_deferred_form_builder([] {
    if (Application* state = Application::Instance()) state->RunPendingFormCommand();
  });
  m_state = std::make_unique<Application>();
  m_state->options.language = m_language;

  WNDCLASSW relayClass{};
  relayClass.lpfnWndProc = &RelayProc;
  relayClass.lpszClassName = kRelayClass;
  RegisterClassW(&relayClass);  // fails harmlessly once registered
  m_relay = CreateWindowExW(0, kRelayClass, L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  if (m_relay == nullptr) throw std::runtime_error("no relay window");
  g_host = this;
  Settle();
}

void CaptureHost::TearDown() {
  g_host = nullptr;
  app::set_loop_entry_hook(nullptr);
  winapi::headless::SetIdleHook(nullptr);
  if (m_relay != nullptr) DestroyWindow(m_relay);
  m_relay = nullptr;
  m_state.reset();
  notus::mainwindow::set_tab_bar_factory(nullptr);
  notus::mainwindow::set_deferred_form_builder(nullptr);
  notus::ownerdraw::set_time_formatter(nullptr);
  m_root.reset();
  app::instance().release();
  notus::impl::details::clear_invalid_rect();
  winapi::headless::Reset();
  ResourceManager::Clear();
  InstallProgramHost(ProgramHost{});
}

void CaptureHost::ClickItem(int form, int item) const {
  const ItemConfig c = ResourceManager::GetItemConfig(form, item);
  ClickAt((c.left + c.right) / 2, (c.top + c.bottom) / 2);
}

void CaptureHost::ClickAt(int x, int y) const { winapi::headless::InjectClick(m_main, x, y); }

void CaptureHost::Key(int virtualKey) const {
  winapi::headless::InjectKey(m_main, virtualKey, true);
  winapi::headless::InjectKey(m_main, virtualKey, false);
}

void CaptureHost::Type(const std::wstring& text) const {
  for (wchar_t c : text) winapi::headless::InjectChar(m_main, c);
}

void CaptureHost::Close() const { PostMessageW(m_main, WM_CLOSE, 0, 0); }

void CaptureHost::Settle() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) app::pump_message();
  SendMessageW(m_main, notus::impl::message_paint_now, 0, 0);
}

winapi::Image CaptureHost::Shot() const { return winapi::headless::Capture(m_main); }

namespace {

void AddOnce(std::vector<std::string>& list, const std::string& said) {
  if (std::find(list.begin(), list.end(), said) == list.end()) list.push_back(said);
}

}  // namespace

void CaptureHost::CheckTexts() {
  m_checked = true;
  const std::vector<std::pair<std::string, POINT>> placed = forms_test::RepaintAllPlacedCalls(m_main);
  std::vector<std::string> calls;
  for (const auto& [call, origin] : placed) calls.push_back(call);
  for (const forms_test::DrawnText& drawn : forms_test::DrawnTextsOf(calls)) {
    if (forms_test::IsCut(drawn)) AddOnce(m_cut, "cut " + forms_test::Describe(drawn));
    if (drawn.lineHeight > 0) {
      AddOnce(m_smaller, "smaller \"" + drawn.text + "\" (line " + std::to_string(forms_test::ExtentOf(drawn.text).cy) +
                             " -> " + std::to_string(drawn.lineHeight) + " px)");
    }
  }
  for (const std::string& said : forms_test::OverlappedTexts(placed)) AddOnce(m_cut, said);
}

winapi::Image CaptureHost::CaptureDialog(const std::function<void()>& open, const std::function<void()>& input,
                                         const std::function<void()>& answer) {
  m_input = input;
  m_answer = answer;
  m_loopsStarted = 0;
  m_ranDry = false;
  m_capture = {};
  app::set_loop_entry_hook([this](int) { OnLoopEntry(); });
  // A loop that waits for more than the scene gave would wait for ever.
  winapi::headless::SetIdleHook([this] {
    m_ranDry = true;
    PostQuitMessage(0);
    return true;
  });
  open();
  app::set_loop_entry_hook(nullptr);
  winapi::headless::SetIdleHook(nullptr);
  if (m_loopsStarted == 0) throw std::runtime_error("no dialog loop started");
  if (m_loopsStarted > 1) throw std::runtime_error("a second dialog loop started");
  if (m_ranDry) throw std::runtime_error("the dialog waited for input the scene did not give");
  if (m_capture.pixels.empty()) throw std::runtime_error("the dialog ended before it was captured");
  return std::move(m_capture);
}

winapi::Image CaptureHost::CaptureWhilePumping(const std::function<void()>& work) {
  m_input = nullptr;
  m_answer = nullptr;
  m_capture = {};
  // Whatever is queued already goes first, so the relay comes at the first
  // message work itself pumps.
  Settle();
  PostMessageW(m_relay, kRelayMessage, 0, 0);
  work();
  if (m_capture.pixels.empty()) throw std::runtime_error("the work ended before it let a message through");
  return std::move(m_capture);
}

void CaptureHost::OnLoopEntry() {
  if (++m_loopsStarted > 1) {
    PostQuitMessage(0);
    return;
  }
  if (m_input) m_input();
  // Handled after the input posted before it.
  PostMessageW(m_relay, kRelayMessage, 0, 0);
}

void CaptureHost::OnRelay() {
  SendMessageW(m_main, notus::impl::message_paint_now, 0, 0);
  CheckTexts();
  m_capture = Shot();
  if (m_answer) m_answer();
}

LRESULT CALLBACK CaptureHost::RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kRelayMessage || g_host == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  g_host->OnRelay();
  return 0;
}

}  // namespace form_captures
