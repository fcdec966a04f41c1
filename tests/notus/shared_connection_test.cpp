#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "notus/event_source.h"
#include "notus/shared_connection.h"

namespace {
struct counter {
  int calls = 0;
  void on_event(int) { ++calls; }
};
}  // namespace

TEST(SharedConnection, TheSlotStaysUntilTheLastCopyGoesInEveryOrder) {
  std::array<int, 3> order{0, 1, 2};
  do {
    notus::event_source<int> source;
    counter listener;
    std::array<std::optional<notus::shared_connection<>>, 3> copies;
    copies[0] = notus::make_shared_connection(source, std::bind_front(&counter::on_event, &listener));
    copies[1] = copies[0];
    copies[2] = copies[1];
    int expected = 0;
    for (int step = 0; step < 3; ++step) {
      source.raise(step);
      EXPECT_EQ(listener.calls, ++expected);
      copies[order[step]].reset();
    }
    source.raise(9);
    EXPECT_EQ(listener.calls, expected) << "the slot outlived its last shared connection";
    EXPECT_TRUE(source.signal().empty());
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST(SharedConnection, TheSourceMayDieFirst) {
  counter listener;
  auto source = std::make_unique<notus::event_source<int>>();
  notus::shared_connection<> connection =
      notus::make_shared_connection(*source, std::bind_front(&counter::on_event, &listener));
  notus::shared_connection<> copy = connection;
  source->raise(1);
  source.reset();  // disconnects; the holder waits for the connection
  EXPECT_FALSE(connection.connected());
  EXPECT_FALSE(copy.connected());
  EXPECT_EQ(listener.calls, 1);
}  // under ASan: the holder is freed here without touching the dead signal

TEST(SharedConnection, CutsTheSlotEvenWhileAPlainConnectionRemains) {
  notus::event_source<int> source;
  counter listener;
  ttl::sig::connection plain = source.connect(std::bind_front(&counter::on_event, &listener));
  std::optional<notus::shared_connection<>> shared{notus::shared_connection<>(plain)};
  source.raise(1);
  shared.reset();
  source.raise(2);
  EXPECT_EQ(listener.calls, 1);
  EXPECT_FALSE(plain.connected());
}

TEST(EventSource, RaisesToListenersInConnectionOrderByReference) {
  struct record {
    std::vector<int> seen;
  };
  notus::event_source<record&> source;
  auto first = notus::make_shared_connection(source, [](record& r) { r.seen.push_back(1); });
  auto second = notus::make_shared_connection(source, [](record& r) { r.seen.push_back(2); });
  record r;
  source.raise(r);
  EXPECT_EQ(r.seen, (std::vector<int>{1, 2})) << "listeners must share the raised object";
}
