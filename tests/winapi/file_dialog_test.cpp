// GetOpenFileNameW and GetSaveFileNameW on the headless backend: what the
// core asks the backend for, and how the answer reaches the caller's
// OPENFILENAMEW and GetLastError.
#include "winapi/headless/headless.h"
#include "winapi/windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

using winapi::FileDialogRequest;
using winapi::FileDialogResult;

namespace {

// The game's filter: two pairs, the list ended by the literal's own NUL.
constexpr wchar_t kGameFilter[] = L"All\0*.*\0Text\0*.TXT\0";
constexpr wchar_t kUntouched = L'#';
constexpr DWORD kGuard = 8;

// The game's call: a MAX_PATH buffer (or a smaller one), followed by guard
// characters that no answer may reach.
struct Caller {
  explicit Caller(DWORD size = MAX_PATH) : buffer(size + kGuard, kUntouched) {
    buffer[0] = L'\0';
    ofn.lStructSize = sizeof(OPENFILENAMEW);
    ofn.lpstrFilter = kGameFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = size;
  }

  std::wstring Text() const { return std::wstring(buffer.data()); }
  bool Untouched(std::size_t from, std::size_t to) const {
    return std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(from),
                       buffer.begin() + static_cast<std::ptrdiff_t>(to), [](wchar_t c) { return c == kUntouched; });
  }

  std::vector<wchar_t> buffer;
  OPENFILENAMEW ofn{};
};

using DialogFunction = BOOL (*)(LPOPENFILENAMEW);

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winapi::headless::Reset();
    SetLastError(0xBAD);  // a cancel must clear what an earlier call left
  }
  void TearDown() override { winapi::headless::Reset(); }

  static void Answer(FileDialogResult result) {
    winapi::headless::SetFileDialogHook([result](const FileDialogRequest&) { return result; });
  }
};

}  // namespace

TEST_F(FileDialogTest, TheAnswerReachesTheBufferAndGetLastError) {
  const std::wstring fits(MAX_PATH - 1, L'a');  // with its NUL, exactly the buffer
  struct Case {
    const char* what;
    FileDialogResult answer;
    DWORD size;
    BOOL returned;
    DWORD error;
    std::wstring text;  // what the buffer holds afterwards
  };
  const Case cases[] = {
      {"chosen", FileDialogResult::Chosen(L"/home/ann/my games/\"grid\" 1.txt"), MAX_PATH, TRUE, 0,
       L"/home/ann/my games/\"grid\" 1.txt"},
      {"non-ASCII", FileDialogResult::Chosen(L"/tmp/\u00e9t\u00e9 \u4e2d\U0001F600.txt"), MAX_PATH, TRUE, 0,
       L"/tmp/\u00e9t\u00e9 \u4e2d\U0001F600.txt"},
      {"just fits", FileDialogResult::Chosen(L"/" + fits.substr(1)), MAX_PATH, TRUE, 0, L"/" + fits.substr(1)},
      {"cancelled", FileDialogResult::Cancelled(), MAX_PATH, FALSE, 0, L""},
      {"failed", FileDialogResult::Failed(CDERR_DIALOGFAILURE), MAX_PATH, FALSE, CDERR_DIALOGFAILURE, L""},
      {"bad name", FileDialogResult::Failed(FNERR_INVALIDFILENAME), MAX_PATH, FALSE, FNERR_INVALIDFILENAME, L""},
      // A failure without a reason must not look like a cancel.
      {"failed silently", FileDialogResult::Failed(0), MAX_PATH, FALSE, CDERR_DIALOGFAILURE, L""},
  };
  for (const DialogFunction dialog : {&GetOpenFileNameW, &GetSaveFileNameW}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (dialog == &GetOpenFileNameW ? " (open)" : " (save)"));
      Answer(c.answer);
      Caller caller(c.size);
      SetLastError(0xBAD);
      EXPECT_EQ(dialog(&caller.ofn), c.returned);
      EXPECT_EQ(GetLastError(), c.error);
      EXPECT_EQ(caller.Text(), c.text);
      EXPECT_TRUE(caller.Untouched(c.size, c.size + kGuard));
    }
  }
}

TEST_F(FileDialogTest, APathLongerThanTheBufferFailsAndWritesOnlyTheSizeNeeded) {
  struct Case {
    DWORD size;
    std::wstring path;
  };
  const Case cases[] = {
      {MAX_PATH, L"/" + std::wstring(MAX_PATH - 1, L'b')},  // one too many with its NUL
      {8, L"/tmp/abcd"},
      {1, L"/a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    Answer(FileDialogResult::Chosen(c.path));
    Caller caller(c.size);
    std::fill(caller.buffer.begin(), caller.buffer.end(), kUntouched);
    EXPECT_FALSE(GetSaveFileNameW(&caller.ofn));
    EXPECT_EQ(GetLastError(), FNERR_BUFFERTOOSMALL);
    EXPECT_EQ(static_cast<std::size_t>(caller.buffer[0]), c.path.size() + 1);
    EXPECT_TRUE(caller.Untouched(1, c.size + kGuard)) << "no part of the path is written";
  }
}

TEST_F(FileDialogTest, TheBackendIsAskedWhatTheCallerAsked) {
  Caller open;
  open.ofn.hwndOwner = reinterpret_cast<HWND>(0x1234);
  GetOpenFileNameW(&open.ofn);

  Caller save;
  save.ofn.nFilterIndex = 2;
  save.ofn.lpstrTitle = L"Save the grid";
  save.ofn.lpstrInitialDir = L"/home/ann";
  save.ofn.Flags = OFN_OVERWRITEPROMPT;
  std::wcscpy(save.buffer.data(), L"grid.txt");
  GetSaveFileNameW(&save.ofn);

  const auto& asked = winapi::headless::FileDialogs();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_FALSE(asked[0].save);
  EXPECT_EQ(asked[0].owner, reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(asked[0].title, L"Open");
  ASSERT_EQ(asked[0].filters.size(), 2u);
  EXPECT_EQ(asked[0].filters[0].name, L"All");
  EXPECT_EQ(asked[0].filters[0].patterns, std::vector<std::wstring>{L"*.*"});
  EXPECT_EQ(asked[0].filters[1].name, L"Text");
  EXPECT_EQ(asked[0].filters[1].patterns, std::vector<std::wstring>{L"*.TXT"});
  EXPECT_EQ(asked[0].filterIndex, 0u);
  EXPECT_EQ(asked[0].initialPath, L"");

  EXPECT_TRUE(asked[1].save);
  EXPECT_EQ(asked[1].title, L"Save the grid");
  EXPECT_EQ(asked[1].filterIndex, 1u);
  EXPECT_EQ(asked[1].initialPath, L"/home/ann/grid.txt");
  EXPECT_EQ(asked[1].flags, OFN_OVERWRITEPROMPT);
  EXPECT_EQ(save.Text(), L"grid.txt") << "a cancel leaves the suggestion";
}

TEST_F(FileDialogTest, OddFiltersIndicesAndSuggestionsAreReadSafely) {
  struct Case {
    const char* what;
    const wchar_t* filter;
    DWORD filterIndex;
    const wchar_t* initialDir;
    std::wstring suggestion;  // put in the buffer, NUL-terminated if it fits
    DWORD size;
    std::vector<std::wstring> firstPatterns;  // empty: no filter at all
    std::size_t shownFirst;
    std::wstring initialPath;
  };
  const Case cases[] = {
      {"no filter", nullptr, 1, nullptr, L"", MAX_PATH, {}, 0, L""},
      {"index 0", kGameFilter, 0, nullptr, L"", MAX_PATH, {L"*.*"}, 0, L""},
      {"index past the list", kGameFilter, 3, nullptr, L"", MAX_PATH, {L"*.*"}, 0, L""},
      {"several patterns, then a name without any",
       L"Grids\0*.txt;;*.sdk;\0Broken\0",
       1,
       nullptr,
       L"",
       MAX_PATH,
       {L"*.txt", L"*.sdk"},
       0,
       L""},
      {"folder only", nullptr, 1, L"/home/ann/", L"", MAX_PATH, {}, 0, L"/home/ann/"},
      {"folder and file", nullptr, 1, L"/home/ann", L"a.txt", MAX_PATH, {}, 0, L"/home/ann/a.txt"},
      {"absolute suggestion wins", nullptr, 1, L"/home/ann", L"/tmp/a.txt", MAX_PATH, {}, 0, L"/tmp/a.txt"},
      {"no NUL within the buffer", nullptr, 1, nullptr, L"abcdef", 4, {}, 0, L"abcd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    winapi::headless::Reset();
    Caller caller(c.size);
    caller.ofn.lpstrFilter = c.filter;
    caller.ofn.nFilterIndex = c.filterIndex;
    caller.ofn.lpstrInitialDir = c.initialDir;
    std::copy(c.suggestion.begin(), c.suggestion.end(), caller.buffer.begin());
    if (c.suggestion.size() < c.size) {
      caller.buffer[c.suggestion.size()] = L'\0';
    }
    GetOpenFileNameW(&caller.ofn);
    ASSERT_EQ(winapi::headless::FileDialogs().size(), 1u);
    const FileDialogRequest& asked = winapi::headless::FileDialogs()[0];
    if (c.firstPatterns.empty()) {
      EXPECT_TRUE(asked.filters.empty());
    } else {
      ASSERT_EQ(asked.filters.size(), c.filter == kGameFilter ? 2u : 1u);
      EXPECT_EQ(asked.filters[0].patterns, c.firstPatterns);
    }
    EXPECT_EQ(asked.filterIndex, c.shownFirst);
    EXPECT_EQ(asked.initialPath, c.initialPath);
  }
}

TEST_F(FileDialogTest, NameOffsetsFileTitleAndDefaultExtension) {
  struct Case {
    std::wstring chosen;
    const wchar_t* defaultExtension;
    DWORD titleSize;
    std::wstring path;
    WORD nameOffset;
    WORD extensionOffset;
    std::wstring title;
  };
  const Case cases[] = {
      {L"/home/ann/grid.txt", nullptr, 64, L"/home/ann/grid.txt", 10, 15, L"grid.txt"},
      {L"/home/ann/grid", L"txt", 64, L"/home/ann/grid.txt", 10, 15, L"grid.txt"},
      {L"/home/a.b/grid", nullptr, 64, L"/home/a.b/grid", 10, 14, L"grid"},     // no extension: the end
      {L"/home/ann/grid.", L"txt", 64, L"/home/ann/grid.", 10, 0, L"grid."},    // a final '.': none, and none added
      {L"/home/ann/grid.txt", nullptr, 8, L"/home/ann/grid.txt", 10, 15, L""},  // no room for the title
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.chosen));
    Answer(FileDialogResult::Chosen(c.chosen));
    Caller caller;
    std::vector<wchar_t> title(c.titleSize, kUntouched);
    caller.ofn.lpstrFileTitle = title.data();
    caller.ofn.nMaxFileTitle = c.titleSize;
    caller.ofn.lpstrDefExt = c.defaultExtension;
    ASSERT_TRUE(GetSaveFileNameW(&caller.ofn));
    EXPECT_EQ(caller.Text(), c.path);
    EXPECT_EQ(caller.ofn.nFileOffset, c.nameOffset);
    EXPECT_EQ(caller.ofn.nFileExtension, c.extensionOffset);
    EXPECT_EQ(std::wstring(title.data()), c.title);
  }
}

TEST_F(FileDialogTest, ABadStructureFailsWithoutADialog) {
  Caller noSize;
  noSize.ofn.lStructSize = 0;
  Caller noBuffer;
  noBuffer.ofn.lpstrFile = nullptr;
  Caller emptyBuffer;
  emptyBuffer.ofn.nMaxFile = 0;
  const std::pair<LPOPENFILENAMEW, DWORD> cases[] = {
      {nullptr, CDERR_INITIALIZATION},
      {&noSize.ofn, CDERR_STRUCTSIZE},
      {&noBuffer.ofn, CDERR_INITIALIZATION},
      {&emptyBuffer.ofn, CDERR_INITIALIZATION},
  };
  for (const auto& [ofn, error] : cases) {
    SCOPED_TRACE(error);
    EXPECT_FALSE(GetOpenFileNameW(ofn));
    EXPECT_EQ(GetLastError(), error);
  }
  EXPECT_TRUE(winapi::headless::FileDialogs().empty());
}

TEST_F(FileDialogTest, LastErrorBelongsToTheThread) {
  SetLastError(5);
  DWORD seenByOther = 0xBAD;
  std::thread other([&] {
    seenByOther = GetLastError();
    SetLastError(7);
  });
  other.join();
  EXPECT_EQ(seenByOther, 0u);
  EXPECT_EQ(GetLastError(), 5u);
}
