// The emulated handheld device: the screen size a program may ask for, the
// registry stand-in, the power manager and its named event, the soft
// keyboard's count and the shell it tells, and finding a window of this
// process by class and title.
#include "winapi/device.h"
#include "tests/winapi/layer_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace winapi_test {
namespace {

namespace device = winapi::device;

std::string Describe(const std::optional<SIZE>& size) {
  return size ? std::to_string(size->cx) + "x" + std::to_string(size->cy) : "none";
}

// Every form works and reads from 240 a side: 240x320 and 320x240 are the
// smallest devices.
TEST(ScreenSize, ParsesWidthByHeightWithinTheSidesADeviceCanHave) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"240x320", "240x320"},   {"320x240", "320x240"}, {"480X640", "480x640"},    {"240x240", "240x240"},
      {"240x4096", "240x4096"}, {"120x160", "none"},    {"176x220", "none"},       {"239x320", "none"},
      {"320x239", "none"},      {"240x4097", "none"},   {"240", "none"},           {"x320", "none"},
      {"240x", "none"},         {"240x320x2", "none"},  {" 240x320", "none"},      {"240x320 ", "none"},
      {"-240x320", "none"},     {"0x0", "none"},        {"99999999999x1", "none"}, {"", "none"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Describe(device::ParseScreenSize(c.text)), c.expected);
  }
}

TEST(ScreenSize, AnEnvironmentValueThatIsRefusedIsSaidOnceAndMeansFullScreen) {
  EXPECT_EQ(Describe(device::ScreenFromEnvironment(nullptr)), "none");
  EXPECT_EQ(Describe(device::ScreenFromEnvironment("")), "none");
  testing::internal::CaptureStderr();
  EXPECT_EQ(Describe(device::ScreenFromEnvironment("big")), "none");
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("TAVLIN_HANDHELD_SCREEN=\"big\" ignored"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(Describe(device::ScreenFromEnvironment("120x160")), "none");
  const std::string small = testing::internal::GetCapturedStderr();
  EXPECT_NE(small.find("TAVLIN_HANDHELD_SCREEN=\"120x160\" ignored"), std::string::npos) << small;
  EXPECT_NE(small.find("the smallest screen is 240x240"), std::string::npos) << small;
  testing::internal::CaptureStderr();
  EXPECT_EQ(Describe(device::ScreenFromEnvironment("240x320")), "240x320");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// Full screen on a monitor under the smallest screen would cut the forms as
// a small emulated screen does: a window whose short sides are raised to the
// smallest, said once.
TEST(ScreenSize, AMonitorUnderTheSmallestScreenGetsAWindowOfTheSmallestSides) {
  struct Case {
    SIZE monitor;
    const char* expected;
  };
  const Case cases[] = {
      {{1920, 1080}, "none"},  {{320, 240}, "none"},    {{240, 240}, "none"},
      {{200, 150}, "240x240"}, {{320, 200}, "320x240"}, {{0, 0}, "240x240"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.monitor.cx) + "x" + std::to_string(c.monitor.cy));
    testing::internal::CaptureStderr();
    EXPECT_EQ(Describe(device::WindowForASmallMonitor(c.monitor)), c.expected);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), c.expected == std::string("none") ? 0 : 1) << said;
  }
}

// What the shell was told, in order.
class RecordingShell : public device::DeviceShell {
 public:
  void Raise(HWND window) override { said.push_back("raise " + std::to_string(window != nullptr)); }
  void SetFullScreen(HWND, bool on) override { said.push_back(on ? "full" : "windowed"); }
  void KeepDisplayAwake(bool awake) override { said.push_back(awake ? "awake" : "may sleep"); }
  void SetTextInput(bool on) override { said.push_back(on ? "text on" : "text off"); }
  std::vector<std::string> said;
};

class DeviceTest : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    previous_ = device::InstallDeviceShell(&shell_);
  }
  void TearDown() override {
    device::InstallDeviceShell(previous_);
    LayerTest::TearDown();
  }
  RecordingShell shell_;
  device::DeviceShell* previous_ = nullptr;
};

TEST_F(DeviceTest, TheEmulatedScreenIsWhatTheProgramIsToldAndItsWindowIsNotFullScreen) {
  winapi::headless::SetScreenSize(1024, 768);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_TRUE(device::FullScreenMode());
  const HWND window = MakeWindow();
  SHFullScreen(window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
  SHFullScreen(window, SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON);
  EXPECT_EQ(shell_.said, (std::vector<std::string>{"full", "windowed"}));

  shell_.said.clear();
  device::SetEmulatedScreen(SIZE{240, 320});
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
  SHFullScreen(window, SHFS_HIDETASKBAR);
  EXPECT_TRUE(device::ShellChromeHidden()) << "recorded all the same";
  EXPECT_TRUE(shell_.said.empty()) << "a window of the device's size stays one";
}

TEST_F(DeviceTest, TextInputStaysOnWhileAnyRequestForTheKeyboardIsOpen) {
  SipShowIM(SIPF_ON);
  SipShowIM(SIPF_ON);
  SipShowIM(SIPF_OFF);
  EXPECT_TRUE(device::TextInputOn()) << "the second edit still wants it";
  SipShowIM(SIPF_OFF);
  EXPECT_FALSE(device::TextInputOn());
  SipShowIM(SIPF_OFF);
  EXPECT_EQ(device::SoftKeyboardRequests(), 0) << "an extra off is not saved up";
  SipShowIM(SIPF_ON);
  EXPECT_TRUE(device::TextInputOn());
  EXPECT_EQ(shell_.said, (std::vector<std::string>{"text on", "text off", "text on"})) << "told on changes only";
}

std::optional<DWORD> ReadDword(HKEY key, const wchar_t* name) {
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
    return std::nullopt;
  EXPECT_EQ(type, REG_DWORD);
  return value;
}

TEST_F(DeviceTest, TheRegistryHoldsTheDevicesTimeoutsAndOpensOnlyKeysItHas) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"\\system\\CurrentControlSet\\Control\\Power\\TIMEOUTS", 0,
                          KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS)
      << "names compare without regard to case";
  EXPECT_EQ(ReadDword(key, L"ACSuspendTimeout"), device::kDeviceAcSuspendTimeout);
  EXPECT_EQ(ReadDword(key, L"BattSuspendTimeout"), device::kDeviceBatterySuspendTimeout);
  EXPECT_NE(device::kDeviceAcSuspendTimeout, 120u);
  EXPECT_NE(device::kDeviceBatterySuspendTimeout, 180u);
  EXPECT_EQ(ReadDword(key, L"NoSuchValue"), std::nullopt);

  DWORD small = 0;
  DWORD room = 2;
  EXPECT_EQ(RegQueryValueExW(key, L"ACSuspendTimeout", nullptr, nullptr, reinterpret_cast<BYTE*>(&small), &room),
            ERROR_MORE_DATA);
  EXPECT_EQ(room, sizeof(DWORD)) << "the size it needs";

  const DWORD zero = 0;
  EXPECT_EQ(RegSetValueExW(key, L"ACSuspendTimeout", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero),
            ERROR_SUCCESS);
  EXPECT_EQ(device::RegistryDword(device::kPowerTimeoutsKey, L"acsuspendtimeout"), 0u);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(ReadDword(key, L"ACSuspendTimeout"), std::nullopt) << "a closed key reads nothing";

  HKEY missing = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"\\Software\\Nobody", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, device::kPowerTimeoutsKey, 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(device::OpenRegistryKeys(), 0u);

  winapi::headless::Reset();
  EXPECT_EQ(device::RegistryDword(device::kPowerTimeoutsKey, L"ACSuspendTimeout"), device::kDeviceAcSuspendTimeout)
      << "every start sees the device's own values";
}

// The manager rereads the timeouts only when its event is set, and holds
// the display awake while the backlight is held or a timeout is zero.
TEST_F(DeviceTest, ThePowerManagerRereadsTheTimeoutsWhenItsEventIsSet) {
  const HANDLE event = OpenEventW(EVENT_ALL_ACCESS, FALSE, L"PowerManager/ReloadActivityTimeouts");
  ASSERT_NE(event, nullptr);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, device::kPowerTimeoutsKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  const DWORD zero = 0;
  RegSetValueExW(key, L"BattSuspendTimeout", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  RegCloseKey(key);
  EXPECT_FALSE(device::KeepsDisplayAwake()) << "not reread yet";
  EXPECT_TRUE(EventModify(event, EVENT_SET));
  EXPECT_EQ(device::TimeoutReloads(), 1u);
  EXPECT_EQ(device::ReloadedBatteryTimeout(), 0u);
  EXPECT_TRUE(device::KeepsDisplayAwake());
  EXPECT_TRUE(CloseHandle(event));
  EXPECT_FALSE(CloseHandle(event));
  EXPECT_FALSE(EventModify(event, EVENT_SET)) << "a closed handle";
  EXPECT_EQ(device::OpenEventHandles(), 0u);

  device::SetPowerManagerRunning(false);
  EXPECT_EQ(OpenEventW(EVENT_ALL_ACCESS, FALSE, L"PowerManager/ReloadActivityTimeouts"), nullptr);
  EXPECT_EQ(OpenEventW(EVENT_ALL_ACCESS, FALSE, L"Other"), nullptr);
  EXPECT_EQ(shell_.said, (std::vector<std::string>{"awake"}));
}

TEST_F(DeviceTest, TheBacklightRequirementHoldsTheDisplayAwakeUntilReleased) {
  wchar_t backlight[] = L"BKL1:";
  const HANDLE first = SetPowerRequirement(backlight, D0, POWER_NAME, nullptr, 0);
  const HANDLE second = SetPowerRequirement(backlight, D0, POWER_NAME, nullptr, 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, first);
  EXPECT_EQ(device::HeldPowerRequirements(), 2u);
  EXPECT_EQ(ReleasePowerRequirement(first), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(device::KeepsDisplayAwake()) << "the second still holds it";
  EXPECT_EQ(ReleasePowerRequirement(second), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_NE(ReleasePowerRequirement(second), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(device::KeepsDisplayAwake());
  EXPECT_EQ(shell_.said, (std::vector<std::string>{"awake", "may sleep"}));

  SystemIdleTimerReset();
  SystemIdleTimerReset();
  EXPECT_EQ(device::IdleTimerResets(), 2u);
}

TEST_F(DeviceTest, FindWindowFindsThisProgramsTopLevelWindowByClassAndTitle) {
  device::SetInstanceScope(L"/tmp/device-test-own-window/");
  const HWND window = MakeWindow();
  SetWindowTextW(window, L"Games");
  EXPECT_EQ(FindWindowW(L"test window", L"Games"), window);
  EXPECT_EQ(FindWindowW(L"Test Window", nullptr), window);
  EXPECT_FALSE(device::HoldsInstanceLock()) << "a window of ours needs no lock";
  EXPECT_TRUE(SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(window) | 1)));
  EXPECT_EQ(shell_.said, (std::vector<std::string>{"raise 1"}));
}

}  // namespace
}  // namespace winapi_test
