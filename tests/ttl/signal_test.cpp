#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "ttl/signal.h"

using ttl::sig::connection;
using signal_type = ttl::sig::signal1<void, int>;
using slot_type = ttl::func::function1<void, int>;

// Name and number as one string.  Built by appending: GCC 12 misreports
// "literal" + std::to_string(...) under -O2 as an overlapping copy.
inline std::string labelled(std::string name, long long number) {
  name += std::to_string(number);
  return name;
}

namespace {
// Records which slot saw which value, in call order.
struct journal {
  std::vector<std::string> calls;
  slot_type slot(const std::string& name) {
    return [this, name](int value) { calls.push_back(labelled(name, value)); };
  }
};
}  // namespace

TEST(TtlSignal, WithoutSlotsEmissionDoesNothing) {
  signal_type signal;
  signal(1);
  EXPECT_TRUE(signal.empty());
}

TEST(TtlSignal, CallsSlotsInConnectionOrderAndSkipsACutOne) {
  journal j;
  signal_type signal;
  connection first = signal.connect(j.slot("a"));
  connection second = signal.connect(j.slot("b"));
  connection third = signal.connect(j.slot("c"));
  signal(1);
  second.disconnect();
  signal(2);
  second.disconnect();  // twice is harmless
  EXPECT_FALSE(second.connected());
  signal(3);
  EXPECT_EQ(j.calls, (std::vector<std::string>{"a1", "b1", "c1", "a2", "c2", "a3", "c3"}));
  EXPECT_EQ(signal.size(), 2u);
}

TEST(TtlSignal, DroppingTheLastConnectionCutsAndFreesTheSlot) {
  journal j;
  signal_type signal;
  {
    connection kept = signal.connect(j.slot("a"));
    connection copy = kept;
    signal(1);
  }
  signal(2);  // the holder is gone; under ASan a leak or a stale entry shows
  EXPECT_EQ(j.calls, (std::vector<std::string>{"a1"}));
  EXPECT_TRUE(signal.empty());
}

TEST(TtlSignal, AnEmptySlotStopsEmissionWithFunctionError) {
  journal j;
  signal_type signal;
  connection first = signal.connect(j.slot("a"));
  connection empty = signal.connect(slot_type());
  connection third = signal.connect(j.slot("c"));
  try {
    signal(1);
    FAIL() << "emission went through an empty slot";
  } catch (const ttl::func::exception& e) {
    EXPECT_STREQ(e.what(), "ttl::func::function error");
  }
  EXPECT_EQ(j.calls, (std::vector<std::string>{"a1"}));
  // The pins of the aborted emission were released: the slots still work.
  empty.disconnect();
  signal(2);
  EXPECT_EQ(j.calls, (std::vector<std::string>{"a1", "a2", "c2"}));
}

namespace {
// A callable whose copy fails the way an exhausted heap does.
struct copy_fails {
  copy_fails() = default;
  copy_fails(copy_fails&&) = default;
  copy_fails(const copy_fails&) { throw std::bad_alloc(); }
  void operator()(int) const {}
};
}  // namespace

TEST(TtlSignal, AHolderThatCannotBeMadeGivesSignalErrorAndLeavesTheSignalAlone) {
  journal j;
  signal_type signal;
  connection first = signal.connect(j.slot("a"));
  slot_type failing{copy_fails()};
  try {
    signal.connect(std::move(failing));
    FAIL() << "connect succeeded";
  } catch (const ttl::sig::exception& e) {
    EXPECT_STREQ(e.what(), "signal error");
  }
  EXPECT_EQ(signal.size(), 1u);
  signal(1);
  EXPECT_EQ(j.calls, (std::vector<std::string>{"a1"}));
}

TEST(TtlSignal, TheSignalMayDieBeforeItsConnections) {
  journal j;
  auto signal = std::make_unique<signal_type>();
  connection c = signal->connect(j.slot("a"));
  connection copy = c;
  EXPECT_TRUE(c.connected());
  signal.reset();
  EXPECT_FALSE(c.connected());
  c.disconnect();  // must not reach into the dead signal
  EXPECT_TRUE(j.calls.empty());
}  // the holder is freed here, without touching the signal

// Emission while handlers rearrange the slots; run under ASan, where touching a
// freed holder or list entry fails the test.
class TtlSignalReentrancy : public ::testing::Test {
 protected:
  journal j;
  signal_type signal;
  std::array<std::optional<connection>, 3> slots;
};

TEST_F(TtlSignalReentrancy, ASlotMayCutALaterSlot) {
  slots[0] = signal.connect([this](int v) {
    j.calls.push_back(labelled("a", v));
    slots[1].reset();  // last reference: the holder must outlive this emission
  });
  slots[1] = signal.connect(j.slot("b"));
  slots[2] = signal.connect(j.slot("c"));
  signal(1);
  signal(2);
  EXPECT_EQ(j.calls, (std::vector<std::string>{"a1", "c1", "a2", "c2"}));
}

TEST_F(TtlSignalReentrancy, ASlotMayCutItselfAndTheNextStillRuns) {
  slots[0] = signal.connect([this](int v) {
    j.calls.push_back(labelled("a", v));
    slots[0].reset();  // frees the caller we are running inside, once we return
  });
  slots[1] = signal.connect(j.slot("b"));
  signal(1);
  signal(2);
  EXPECT_EQ(j.calls, (std::vector<std::string>{"a1", "b1", "b2"}));
}

TEST_F(TtlSignalReentrancy, ASlotConnectedDuringEmissionRunsFromTheNextOne) {
  slots[0] = signal.connect([this](int v) {
    j.calls.push_back(labelled("a", v));
    if (!slots[1]) slots[1] = signal.connect(j.slot("late"));
  });
  signal(1);
  signal(2);
  EXPECT_EQ(j.calls, (std::vector<std::string>{"a1", "a2", "late2"}));
}

TEST_F(TtlSignalReentrancy, ASlotMayEmitTheSameSignalAgain) {
  slots[0] = signal.connect([this](int v) {
    j.calls.push_back(labelled("a", v));
    if (v > 0) signal(v - 1);
  });
  slots[1] = signal.connect([this](int v) {
    j.calls.push_back(labelled("b", v));
    if (v == 0) slots[2].reset();  // cut from the innermost emission
  });
  slots[2] = signal.connect(j.slot("c"));
  signal(2);
  EXPECT_EQ(j.calls, (std::vector<std::string>{"a2", "a1", "a0", "b0", "b1", "b2"}));
}

// A window object (and the signal inside it) may be destroyed by a handler of
// the event it is delivering; the emission must end without touching it, and
// the connections still held keep working as plain disconnected handles.
TEST(TtlSignalReentrancyOwner, ASlotMayDestroyTheEmittingSignal) {
  journal j;
  auto owned = std::make_unique<signal_type>();
  std::array<std::optional<connection>, 3> slots;
  slots[0] = owned->connect(j.slot("a"));
  slots[1] = owned->connect([&](int v) {
    j.calls.push_back(labelled("b", v));
    owned.reset();
  });
  slots[2] = owned->connect(j.slot("c"));
  (*owned)(1);
  EXPECT_EQ(owned, nullptr);
  EXPECT_EQ(j.calls, (std::vector<std::string>{"a1", "b1"}));
  for (auto& c : slots) {
    EXPECT_FALSE(c->connected());
    c->disconnect();
  }
}
