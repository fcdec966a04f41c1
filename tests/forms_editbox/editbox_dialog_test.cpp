// The edit-box dialog and the two player commands that use it, answered by a
// script through the real main window procedure, controller and EDIT
// control, with the player list in the test's own settings folder.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/Users.h"
#include "base/utf.h"
#include "forms/editbox/EditUserCommand.h"
#include "forms/editbox/NewUserCommand.h"
#include "forms/editbox/editbox_dialog.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "tests/support/DialogScript.h"
#include "tests/support/FormsHost.h"

namespace forms_test {
namespace {

constexpr int kForm = 20;
constexpr int kOk = 2;
constexpr int kCancel = 3;
constexpr RECT kEntry{60, 280, 420, 306};

// One input of an answer; `then` holds the rest back until what came
// before it is handled (a key that moves the focus decides where the next
// key goes).
struct Input {
  enum Kind { text, key, click, close, then } kind;
  std::wstring typed;
  int value = 0;
};
Input Typed(std::wstring text) { return {Input::text, std::move(text)}; }
Input Press(int virtualKey) { return {Input::key, {}, virtualKey}; }
const Input kClickOk{Input::click, {}, kOk};
const Input kClickCancel{Input::click, {}, kCancel};
const Input kCloseBox{Input::close, {}};
const Input kThen{Input::then, {}};

const std::wstring kSmile = L"\U0001F600";  // two UTF-16 units

void Script(DialogScript::Steps& steps, const std::vector<Input>& answer) {
  for (const Input& input : answer) {
    switch (input.kind) {
      case Input::text: steps.Type(input.typed); break;
      case Input::key: steps.Key(input.value); break;
      case Input::click: steps.Click(kForm, input.value); break;
      case Input::close: steps.Close(); break;
      case Input::then: steps.Then(); break;
    }
  }
}

// Every write to a file fails from construction to destruction, as on a
// full disk; even root cannot write past the limit.
class FullDisk {
 public:
  FullDisk() {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit none = m_saved;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_savedHandler);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

 private:
  rlimit m_saved{};
  void (*m_savedHandler)(int) = nullptr;
};

class EditboxTest : public FormsTest {
 protected:
  void SetUp() override {
    // As start-up does: the entry's messages reach its window object.
    // Kept until the host has gone, as start-up keeps it.
    entryProcedure.Install(&notus::impl::details::set_native_control_procedure, &MainWindowProc);
    FormsTest::SetUp();
  }

  test_support::ScopedInstalls entryProcedure;

  void WritePlayers(const std::vector<std::wstring>& names) {
    data_objects::users users;
    LoadUsers(users);
    for (const std::wstring& name : names) ASSERT_TRUE(AddUser(users, name));
    ASSERT_TRUE(SaveUsers(users));
  }
  static std::vector<std::wstring> StoredNames() {
    data_objects::users users;
    LoadUsers(users);
    std::vector<std::wstring> names;
    for (const auto& player : users.players) names.push_back(player->name);
    return names;
  }
  std::string UsersFileBytes() const {
    std::ifstream in(folders.root / "settings" / "users.txt", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

enum Command { kRename, kAdd };              // EditUserCommand of "Ann", NewUserCommand
enum Outcome { kNothing, kDone, kRefused };  // executed and failed: no/no, yes/no, yes/yes

struct Case {
  const char* what;
  Command command;
  std::vector<std::wstring> file;  // the players in "users.txt" before
  std::vector<Input> answer;
  Outcome outcome;
  std::wstring answerText;  // newName, or the new player's name, afterwards
  std::vector<std::wstring> stored;
  bool fullDisk = false;
};

TEST_F(EditboxTest, ScriptedAnswersRenameOrAddPlayersOrAreRefused) {
  const std::vector<std::wstring> annBob{L"Ann", L"Bob"};
  const std::wstring letters = L"abcdefghijklmnopqrstuvwxyzABCDE";  // 31
  const std::wstring first30 = letters.substr(0, 30);
  const std::wstring x29 = std::wstring(29, L'x');
  const std::wstring x28 = std::wstring(28, L'x');
  const std::wstring clear = L"\b\b\b";  // empties the entry prefilled with "Ann"
  // 29 or 28 units, a pair, one more.
  const std::wstring pairOver = clear + x29 + kSmile + L"y";
  const std::wstring pairAt = clear + x28 + kSmile + L"y";
  const std::wstring x28Pair = x28 + kSmile;
  const std::vector<Input> typeA{Typed(L"a"), kClickOk};
  const Input typeE = Typed(L"e");
  const Input enter = Press(VK_RETURN);
  const std::vector<std::wstring> anneBob{L"Anne", L"Bob"};
  const Case cases[] = {
      {"31 characters keep 30", kRename, annBob, {Typed(clear + letters), kClickOk}, kDone, first30, {first30, L"Bob"}},
      {"a pair over the cut goes", kRename, annBob, {Typed(pairOver), kClickOk}, kDone, x29, {x29, L"Bob"}},
      {"a pair ending at the cut stays", kRename, annBob, {Typed(pairAt), kClickOk}, kDone, x28Pair, {x28Pair, L"Bob"}},
      {"unchanged name", kRename, annBob, {kClickOk}, kNothing, L"Ann", annBob},
      {"empty name", kRename, annBob, {Typed(clear), kClickOk}, kNothing, L"", annBob},
      {"cancel after editing", kRename, annBob, {Typed(L"x"), kClickCancel}, kNothing, L"", annBob},
      {"the close box ends the dialog as Cancel", kRename, annBob, {Typed(L"x"), kCloseBox}, kNothing, L"", annBob},
      {"the player left the file", kRename, {L"Bob", L"Cy"}, typeA, kRefused, L"Anna", {L"Bob", L"Cy"}},
      {"another player's name", kRename, annBob, {Typed(clear + L"Bob"), kClickOk}, kRefused, L"Bob", annBob},
      {"the list cannot be saved", kRename, annBob, typeA, kRefused, L"Anna", annBob, true},
      {"Return in the entry, then OK", kRename, annBob, {typeE, enter, kClickOk}, kDone, L"Anne", anneBob},
      {"Return in the entry, then Cancel", kRename, annBob, {typeE, enter, kClickCancel}, kNothing, L"", annBob},
      {"Tab leaves the entry for OK", kRename, annBob, {typeE, Press(VK_TAB), kThen, enter}, kDone, L"Anne", anneBob},
      {"Up leaves the entry for OK", kRename, annBob, {typeE, Press(VK_UP), kThen, enter}, kDone, L"Anne", anneBob},
      {"Down goes round to Cancel", kRename, annBob, {typeE, Press(VK_DOWN), kThen, enter}, kNothing, L"", annBob},
      {"a new player", kAdd, annBob, {Typed(L"Cy"), kClickOk}, kDone, L"Cy", {L"Ann", L"Bob", L"Cy"}},
      {"a new player with a taken name", kAdd, annBob, {Typed(L"Bob"), kClickOk}, kRefused, L"Bob", annBob},
      {"a new player, cancelled, keeps the name", kAdd, annBob, {Typed(L"Cy"), kClickCancel}, kNothing, L"Cy", annBob},
      {"a new player without a name", kAdd, annBob, {kClickOk}, kNothing, L"", annBob},
      {"a new player, the list cannot be saved", kAdd, annBob, {Typed(L"Cy"), kClickOk}, kRefused, L"Cy", annBob, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(folders.root / "settings" / "users.txt");
    WritePlayers(c.file);
    const std::string before = UsersFileBytes();

    DialogScript script(main);
    Script(script.Answer(), c.answer);
    EditUserCommand rename(L"Ann");
    NewUserCommand add;
    {
      std::optional<FullDisk> full;
      if (c.fullDisk) full.emplace();
      if (c.command == kRename)
        rename.Execute();
      else
        add.Execute();
    }
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(Settle()) << "a quit was left for the outer loop";

    const bool renamed = c.command == kRename;
    EXPECT_EQ(renamed ? rename.executed : add.executed, c.outcome != kNothing);
    EXPECT_EQ(renamed ? rename.failed : add.failed, c.outcome == kRefused);
    EXPECT_EQ(renamed ? rename.newName : add.name, c.answerText);
    EXPECT_EQ(StoredNames(), c.stored);
    if (c.outcome != kDone) {
      EXPECT_EQ(UsersFileBytes(), before) << "nothing is written";
    }
    EXPECT_TRUE(winapi::headless::MessageBoxes().empty()) << "refusals are silent";
  }
}

// The title is the prompt and the entry starts with the command's name,
// both as painted into the back buffer.
TEST_F(EditboxTest, TheDialogShowsThePromptAndTheNameItStartsWith) {
  struct Shown {
    bool rename;
    std::wstring name;
    int prompt;
  };
  for (const Shown& s : {Shown{true, L"Ann", 400}, Shown{false, L"", 401}}) {
    SCOPED_TRACE(s.prompt);
    std::vector<std::string> drawn;
    std::wstring entryText;
    bool placed = false;
    int differing = 0;
    int ink = 0;
    DialogScript script(main);
    script.Answer()
        .Do([&] {
          notus::gdi::set_device_recorder([&](const std::string& call) { drawn.push_back(call); });
          SendMessageW(main, notus::impl::message_paint_now, 0, 0);
          notus::gdi::set_device_recorder(nullptr);
          // The entry has the focus, so typing goes straight to it.
          const HWND entry = GetFocus();
          wchar_t text[64] = {};
          GetWindowTextW(entry, text, 64);
          entryText = text;
          // The entry lies in front of the title box: its own pixels, text
          // and caret, are what the back buffer holds there.
          const winapi::Image pixels = winapi::headless::Capture(entry);
          const auto& buffer = *app::instance().back_buffer();
          placed = pixels.width == kEntry.right - kEntry.left && pixels.height == kEntry.bottom - kEntry.top;
          if (!placed) return;
          for (int y = 0; y < pixels.height; ++y)
            for (int x = 0; x < pixels.width; ++x) {
              const std::uint32_t pixel = pixels.At(x, y) | 0xFF000000u;
              differing += (buffer.pixel(kEntry.left + x, kEntry.top + y) | 0xFF000000u) != pixel ? 1 : 0;
              ink += (pixel & 0xFF) < 0x80 ? 1 : 0;
            }
        })
        .Click(kForm, kCancel);
    if (s.rename) {
      EditUserCommand command(s.name);
      command.Execute();
    } else {
      NewUserCommand command(s.name);
      command.Execute();
    }
    EXPECT_TRUE(script.Done());

    const std::string title = "draw_text(\"" + wide_to_utf8(ResourceManager::GetString(s.prompt)) + "\"";
    EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [&](const std::string& call) {
      return call.starts_with(title);
    })) << title;
    EXPECT_EQ(entryText, s.name);
    EXPECT_TRUE(placed) << "the entry has the size of layout item (20, 4)";
    EXPECT_EQ(differing, 0) << "back-buffer pixels that differ from the entry's own";
    EXPECT_GT(ink, 0) << "at least the caret";
  }
}

}  // namespace
}  // namespace forms_test
