// Rectangle intersection and the model controller's update type.
#include <gtest/gtest.h>

#include <type_traits>

#include "notus/geometry.h"
#include "notus/model_controller.h"
#include "notus/traits.h"

namespace {

using rect = notus::rect<notus::traits>;

struct intersect_case {
  rect a, b;
  bool meet;
  rect expected;  // out, starting from {-1, -1, -1, -1}
};

class Intersection : public ::testing::TestWithParam<intersect_case> {};

TEST_P(Intersection, FollowsTheFrameworkRule) {
  const auto& c = GetParam();
  rect out{-1, -1, -1, -1};
  EXPECT_EQ(notus::intersect(c.a, c.b, out), c.meet);
  EXPECT_EQ(out.left, c.expected.left);
  EXPECT_EQ(out.top, c.expected.top);
  EXPECT_EQ(out.right, c.expected.right);
  EXPECT_EQ(out.bottom, c.expected.bottom);
}

INSTANTIATE_TEST_SUITE_P(Cases, Intersection,
                         ::testing::Values(intersect_case{{0, 0, 10, 10}, {5, 5, 20, 20}, true, {5, 5, 10, 10}},
                                           intersect_case{{0, 0, 10, 10}, {2, 3, 4, 5}, true, {2, 3, 4, 5}},
                                           // Shared edges meet, with an empty result.
                                           intersect_case{{0, 0, 10, 10}, {10, 0, 20, 10}, true, {10, 0, 10, 10}},
                                           intersect_case{{0, 0, 10, 10}, {0, 10, 10, 20}, true, {0, 10, 10, 10}},
                                           // Apart in x: out untouched; apart in y only: left and right written.
                                           intersect_case{{0, 0, 10, 10}, {11, 0, 20, 10}, false, {-1, -1, -1, -1}},
                                           intersect_case{{0, 0, 10, 10}, {2, 11, 8, 20}, false, {2, -1, 8, -1}}));

struct plain_model {
  int value;
};

struct model_with_own_update {
  struct model_update {
    int changed_line = 0;
  };
  int value;
};

struct counter {
  int calls = 0;
  int last_line = -1;
  void on_plain(notus::events::model_update&) { ++calls; }
  void on_own(model_with_own_update::model_update& u) {
    ++calls;
    last_line = u.changed_line;
  }
};

TEST(ModelController, AnnouncesThePlainUpdateOrTheModelsOwn) {
  static_assert(std::is_same_v<notus::model_controller<plain_model>::update_type, notus::events::model_update>);
  static_assert(
      std::is_same_v<notus::model_controller<model_with_own_update>::update_type, model_with_own_update::model_update>);
  static_assert(
      std::is_same_v<notus::model_controller<model_with_own_update, 0>::update_type, notus::events::model_update>);

  notus::model_controller<plain_model> plain;
  EXPECT_EQ(plain.value, 0);  // the model is value-initialised
  counter listener;
  auto c1 = notus::make_shared_connection(plain, std::bind_front(&counter::on_plain, &listener));
  plain.value = 4;
  notus::events::model_update u;
  plain.raise(u);

  notus::model_controller<model_with_own_update> own;
  auto c2 = notus::make_shared_connection(own, std::bind_front(&counter::on_own, &listener));
  model_with_own_update::model_update line{7};
  own.raise(line);
  EXPECT_EQ(listener.calls, 2);
  EXPECT_EQ(listener.last_line, 7);
}

}  // namespace
