#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "ttl/function.h"

using ttl::func::function0;
using ttl::func::function1;
using ttl::func::function2;
using ttl::func::function3;

TEST(TtlExceptions, CarryTheirFixedTextsAndDeriveFromRuntimeError) {
  struct row {
    std::function<void()> thrower;
    const char* text;
  };
  const row rows[] = {
      {[] { throw ttl::func::exception(); }, "ttl::func::function error"},
      {[] { throw ttl::sig::exception(); }, "signal error"},
      {[] { throw ttl::meta::exception(); }, "typelist error"},
      {[] { throw ttl::exception("given by the thrower"); }, "given by the thrower"},
  };
  for (const row& r : rows) {
    try {
      r.thrower();
      ADD_FAILURE() << "nothing thrown for " << r.text;
    } catch (const ttl::exception& e) {
      EXPECT_STREQ(e.what(), r.text);
      EXPECT_NE(dynamic_cast<const std::runtime_error*>(&e), nullptr);
    }
  }
}

TEST(TtlFunction, CallingAnEmptyWrapperThrowsFunctionError) {
  function1<void, int> empty;
  EXPECT_TRUE(empty.empty());
  try {
    empty(1);
    FAIL() << "an empty wrapper was called";
  } catch (const ttl::func::exception& e) {
    EXPECT_STREQ(e.what(), "ttl::func::function error");
  }
  // A null function pointer must not become a call through address 0.
  void (*no_function)(int) = nullptr;
  function1<void, int> from_null(no_function);
  EXPECT_TRUE(from_null.empty());
  EXPECT_THROW(from_null(1), ttl::func::exception);
}

namespace {
int twice(int a) { return 2 * a; }
}  // namespace

// A function named without & reaches the wrapper as a function reference,
// which can never be null: it wraps, and calls, as its pointer does.
TEST(TtlFunction, WrapsAFunctionNamedWithoutItsAddress) {
  function1<int, int> by_reference(twice);
  EXPECT_FALSE(by_reference.empty());
  EXPECT_EQ(by_reference(21), 42);
}

namespace {
struct measurer {
  int calls = 0;
  int width(const std::wstring& text, int scale) {
    ++calls;
    return static_cast<int>(text.size()) * scale;
  }
};

int add3(int a, int b, int c) { return a + b + c; }
}  // namespace

TEST(TtlFunction, EachArityCallsItsTargetAndReturnsItsResult) {
  measurer m;
  function2<int, const std::wstring&, int> measure = std::bind_front(&measurer::width, &m);
  EXPECT_EQ(measure(L"abcd", 3), 12);
  EXPECT_EQ(m.calls, 1);

  function3<int, int, int, int> sum = &add3;
  EXPECT_EQ(sum(1, 2, 3), 6);

  int hidden = 0;
  function0<void> on_hide = [&hidden] { ++hidden; };
  on_hide();
  on_hide();
  EXPECT_EQ(hidden, 2);

  // Reference arguments reach the target as the same object.
  function2<void, int, int&> out = [](int in, int& result) { result = in * 2; };
  int result = 0;
  out(21, result);
  EXPECT_EQ(result, 42);
}

TEST(TtlFunction, ACopyOwnsAnIndependentCaller) {
  auto counter = std::make_shared<int>(0);
  auto source = std::make_unique<function0<int>>([counter, n = 0]() mutable {
    ++*counter;
    return ++n;
  });
  EXPECT_EQ((*source)(), 1);

  function0<int> copy(*source);
  EXPECT_EQ(copy(), 2) << "the copy starts from the source's state at copy time";
  EXPECT_EQ((*source)(), 2) << "calling the copy must not advance the source";

  source.reset();  // the copy must not refer to the destroyed caller
  EXPECT_EQ(copy(), 3);
  EXPECT_EQ(*counter, 4);

  function0<int> empty;
  function0<int> empty_copy(empty);
  EXPECT_TRUE(empty_copy.empty());

  copy = copy;  // self-assignment keeps the caller
  EXPECT_EQ(copy(), 4);
  copy = empty;
  EXPECT_TRUE(copy.empty());
}
