// Keeping the handheld awake during a game, on the emulated device: what the
// registry's timeouts, the backlight requirement and the power manager show
// after each sequence of requests, plain and counted.
#include "platform/handheld/SuspendKiller.h"
#include "winapi/device.h"
#include "winapi/headless/headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace handheld_test {
namespace {

namespace device = winapi::device;
using handheld::KeepAwakeCount;
using handheld::SuspendKiller;

std::string Value(const wchar_t* name) {
  const auto value = device::RegistryDword(device::kPowerTimeoutsKey, name);
  return value ? std::to_string(*value) : "-";
}

// The device at a glance: the two timeouts, the requirements held, the
// writes to the registry and the manager's rereads.
std::string Describe() {
  return "ac=" + Value(L"ACSuspendTimeout") + " batt=" + Value(L"BattSuspendTimeout") +
         " held=" + std::to_string(device::HeldPowerRequirements()) +
         " writes=" + std::to_string(device::RegistryWrites()) + " reloads=" + std::to_string(device::TimeoutReloads());
}

struct Case {
  const char* name;
  std::function<void()> device;    // how the device differs from its start
  std::vector<const char*> steps;  // "on"/"off": Apply; "+"/"-": the counted request
  std::string results;             // Apply's results, "t" or "f" each
  std::string expected;
};

TEST(SuspendKiller, EachSequenceLeavesTheDeviceAsItShould) {
  const auto none = [] {};
  const Case cases[] = {
      {"on holds the backlight and zeroes the timeouts", none, {"on"}, "t", "ac=0 batt=0 held=1 writes=2 reloads=1"},
      {"on then off restores and releases", none, {"on", "off"}, "tt", "ac=300 batt=240 held=0 writes=4 reloads=2"},
      {"on, on, off restores the first values and leaks no handle",
       none,
       {"on", "on", "off"},
       "ttt",
       "ac=300 batt=240 held=0 writes=6 reloads=3"},
      {"off without on writes nothing", none, {"off"}, "t", "ac=300 batt=240 held=0 writes=0 reloads=1"},
      {"a key that does not open does nothing at all",
       [] { device::RemoveRegistryKey(device::kPowerTimeoutsKey); },
       {"on", "off"},
       "ff",
       "ac=- batt=- held=0 writes=0 reloads=0"},
      {"a missing AC value restores 120",
       [] { device::RemoveRegistryValue(device::kPowerTimeoutsKey, L"ACSuspendTimeout"); },
       {"on", "off"},
       "tt",
       "ac=120 batt=240 held=0 writes=4 reloads=2"},
      {"a missing battery value restores 180",
       [] { device::RemoveRegistryValue(device::kPowerTimeoutsKey, L"BattSuspendTimeout"); },
       {"on", "off"},
       "tt",
       "ac=300 batt=180 held=0 writes=4 reloads=2"},
      {"without the power manager's event it still succeeds",
       [] { device::SetPowerManagerRunning(false); },
       {"on"},
       "t",
       "ac=0 batt=0 held=1 writes=2 reloads=0"},
      {"counted: a game form rebuilt while showing keeps it on",
       none,
       {"+", "+", "-"},
       "t",
       "ac=0 batt=0 held=1 writes=2 reloads=1"},
      {"counted: the last form gone restores",
       none,
       {"+", "+", "-", "-"},
       "tt",
       "ac=300 batt=240 held=0 writes=4 reloads=2"},
      {"counted: an off with nothing on does nothing", none, {"-", "+"}, "t", "ac=0 batt=0 held=1 writes=2 reloads=1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    winapi::headless::Reset();
    c.device();
    std::string results;
    {
      SuspendKiller killer;
      KeepAwakeCount count(killer);
      for (const std::string step : c.steps) {
        if (step == "on" || step == "off") {
          results += killer.Apply(step == "on") ? "t" : "f";
        } else {
          const std::size_t reloads = device::TimeoutReloads();
          count.Request(step == "+");
          // A counted request that reached the killer rereads once.
          if (device::TimeoutReloads() != reloads) results += "t";
        }
      }
      EXPECT_EQ(results, c.results);
      EXPECT_EQ(Describe(), c.expected);
      EXPECT_EQ(device::OpenRegistryKeys(), 0u);
      EXPECT_EQ(device::OpenEventHandles(), 0u);
    }
  }
  winapi::headless::Reset();
}

TEST(SuspendKiller, AProgramEndingDuringAGameGivesTheDeviceItsTimeoutsBack) {
  winapi::headless::Reset();
  {
    SuspendKiller killer;
    ASSERT_TRUE(killer.Apply(true));
    EXPECT_TRUE(device::KeepsDisplayAwake());
  }
  EXPECT_EQ(Describe(), "ac=300 batt=240 held=0 writes=4 reloads=2");
  EXPECT_FALSE(device::KeepsDisplayAwake());
  winapi::headless::Reset();
}

}  // namespace
}  // namespace handheld_test
