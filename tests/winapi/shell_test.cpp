// ShellExecuteW on the headless backend: which calls reach the backend's
// opener, and how its answer comes back in Win32's codes.
#include "winapi/headless/headless.h"
#include "winapi/windows.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::intptr_t Code(HINSTANCE result) { return reinterpret_cast<std::intptr_t>(result); }

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override { winapi::headless::Reset(); }
  void TearDown() override { winapi::headless::Reset(); }
};

TEST_F(ShellTest, OpenHandsTheTargetToTheBackendAndSucceedsAbove32) {
  EXPECT_GT(Code(ShellExecuteW(nullptr, L"open", L"https://www.kestrelmill.example/", nullptr, nullptr, SW_SHOW)), 32);
  EXPECT_GT(Code(ShellExecuteW(nullptr, nullptr, L"http://a.example/x", L"-v", nullptr, SW_SHOWNORMAL)), 32)
      << "no verb is the default verb, open";
  const auto& opens = winapi::headless::ShellOpens();
  ASSERT_EQ(opens.size(), 2u);
  EXPECT_EQ(opens[0].target, L"https://www.kestrelmill.example/");
  EXPECT_EQ(opens[0].parameters, L"");
  EXPECT_EQ(opens[0].showCommand, SW_SHOW);
  EXPECT_EQ(opens[1].target, L"http://a.example/x");
  EXPECT_EQ(opens[1].parameters, L"-v");
}

TEST_F(ShellTest, UnknownVerbsEmptyTargetsAndRefusalsFailWithoutOpening) {
  EXPECT_LE(Code(ShellExecuteW(nullptr, L"print", L"http://a.example/", nullptr, nullptr, SW_SHOW)), 32);
  EXPECT_LE(Code(ShellExecuteW(nullptr, L"open", L"", nullptr, nullptr, SW_SHOW)), 32);
  EXPECT_LE(Code(ShellExecuteW(nullptr, L"open", nullptr, nullptr, nullptr, SW_SHOW)), 32);
  EXPECT_TRUE(winapi::headless::ShellOpens().empty());

  winapi::headless::SetShellOpenHook([](const winapi::ShellOpenRequest&) { return false; });
  EXPECT_LE(Code(ShellExecuteW(nullptr, L"open", L"http://a.example/", nullptr, nullptr, SW_SHOW)), 32)
      << "nothing on the system could open it";
  EXPECT_EQ(winapi::headless::ShellOpens().size(), 1u);
}

}  // namespace
