#include <gtest/gtest.h>

#include <string>

#include "ttl/variant.h"

// Name and number as one string.  Built by appending: GCC 12 misreports
// "literal" + std::to_string(...) under -O2 as an overlapping copy.
inline std::string labelled(std::string name, long long number) {
  name += std::to_string(number);
  return name;
}

namespace {
// Counts live instances, so that copies, resets and assignments that forget
// to destroy (or destroy twice) show up.
struct tracked {
  static int alive;
  std::string text;
  explicit tracked(std::string t) : text(std::move(t)) { ++alive; }
  tracked(const tracked& other) : text(other.text) { ++alive; }
  ~tracked() { --alive; }
};
int tracked::alive = 0;

struct point {
  int x, y;
};

using small_variant = ttl::var::variant<int, tracked, point&>;

// Reads the held alternative back as text.
struct describe {
  std::string out;
  void operator()(int v) { out = labelled("int ", v); }
  void operator()(tracked& t) { out = "tracked " + t.text; }
  void operator()(point& p) { out = labelled("point ", p.x) + labelled(",", p.y); }
};

std::string text_of(small_variant& v) {
  describe d;
  v.visit(d);
  return d.out;
}

// The only way to reach a damaged index: tests stand in for corrupted memory.
struct raw_variant : small_variant {
  using small_variant::small_variant;
  void force_index(int index) { m_index = index; }
};
}  // namespace

TEST(TtlVariant, HoldsOneAlternativeAndVisitsIt) {
  small_variant empty;
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(text_of(empty), "") << "an empty variant is skipped";

  small_variant number(7);
  EXPECT_EQ(number.index(), 0);
  EXPECT_EQ(text_of(number), "int 7");
  EXPECT_EQ(number.get_if<1>(), nullptr);

  point p{1, 2};
  small_variant ref(p);
  EXPECT_EQ(ref.index(), 2);
  EXPECT_EQ(ref.get_if<2>(), &p) << "a reference alternative keeps the object's address";
  p.x = 5;
  EXPECT_EQ(text_of(ref), "point 5,2");
}

TEST(TtlVariant, CopiesAreIndependentAndAssignmentReplacesTheOldValue) {
  ASSERT_EQ(tracked::alive, 0);
  {
    small_variant a(tracked("one"));
    small_variant b(a);
    EXPECT_EQ(tracked::alive, 2);
    b.get_if<1>()->text = "changed";
    EXPECT_EQ(text_of(a), "tracked one");

    a = small_variant(3);
    EXPECT_EQ(tracked::alive, 1) << "assignment destroys the value it replaces";
    EXPECT_EQ(text_of(a), "int 3");

    a = b;
    EXPECT_EQ(tracked::alive, 2);
    EXPECT_EQ(text_of(a), "tracked changed");

    small_variant& same = a;
    a = same;  // self-assignment must not reset before copying from itself
    EXPECT_EQ(text_of(a), "tracked changed");
    EXPECT_EQ(tracked::alive, 2);

    a.reset();
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(text_of(a), "");
    EXPECT_EQ(tracked::alive, 1);

    small_variant copy_of_empty(a);
    EXPECT_TRUE(copy_of_empty.empty());
  }
  EXPECT_EQ(tracked::alive, 0);
}

TEST(TtlVariant, AnIndexOutsideTheAlternativesGivesTypelistError) {
  for (int bad : {3, 14, 25, -1}) {
    raw_variant v(11);
    v.force_index(bad);
    small_variant target(4);
    try {
      small_variant copy(v);
      ADD_FAILURE() << "copy accepted index " << bad;
    } catch (const ttl::meta::exception& e) {
      EXPECT_STREQ(e.what(), "typelist error");
    }
    EXPECT_THROW(target = v, ttl::meta::exception) << bad;
    EXPECT_EQ(text_of(target), "int 4") << "a failed assignment leaves the target alone";
    EXPECT_THROW(v.visit(describe{}), ttl::meta::exception) << bad;
    EXPECT_THROW(v.reset(), ttl::meta::exception) << bad;
    v.force_index(0);
    EXPECT_EQ(text_of(v), "int 11");
  }
}
