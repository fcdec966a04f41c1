#include "tests/support/host_fixture.h"

#include "notus/platform/ownerdrawWin32/device.h"

#include <string>

namespace host_test {
namespace {

using device = notus::gdi::device<notus::traits>;

class DeviceTextTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    buffer = &back_buffer(200, 60);
  }
  GDIBuffer* buffer = nullptr;
};

TEST_F(DeviceTextTest, ExtentOfEmptyTextHasHeightButNoWidth) {
  auto screen = device::create_for_screen();
  const auto empty = screen->text_extent(L"");
  EXPECT_EQ(empty.width, 0);
  EXPECT_GT(empty.height, 0);
  const auto word = screen->text_extent(L"Hello");
  const auto longer = screen->text_extent(L"Hello, world");
  EXPECT_GT(word.width, 0);
  EXPECT_GT(longer.width, word.width);
  EXPECT_EQ(word.height, empty.height);
  // Measuring needs no back buffer.
  app::instance().release();
  EXPECT_EQ(device::create_for_screen()->text_extent(L"Hello").width, word.width);
}

TEST_F(DeviceTextTest, CentredTextIsCentredInTheShiftedRectangle) {
  auto dev = device::create_for_dc(nullptr, nullptr, 10, 5);
  dev->draw_text(L"Hello", {0, 0, 120, 40}, DT_CENTER | DT_VCENTER);
  const RECT ink = ink_box(*buffer, kGrey);
  ASSERT_GT(ink.right, ink.left);
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 131);
  EXPECT_GE(ink.top, 5);
  EXPECT_LE(ink.bottom, 46);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 10 + 60, 2.0);
  // Black text on the grey.
  bool dark = false;
  for (int y = ink.top; y < ink.bottom; ++y)
    for (int x = ink.left; x < ink.right; ++x) dark = dark || (buffer->pixel(x, y) & 0xFFFFFF) == 0;
  EXPECT_TRUE(dark);
}

// A line its box would cut is drawn in a smaller font, whole; a line that
// fits keeps the program's text size.
TEST_F(DeviceTextTest, ALineTooWideForItsBoxIsDrawnSmallerAndWhole) {
  const auto full = device::create_for_screen()->text_extent(L"Statistik");
  const RECT box{10, 10, 10 + full.width * 3 / 4, 10 + full.height + 4};
  auto dev = device::create_for_dc(nullptr, nullptr, 0, 0);
  dev->draw_text(L"Statistik", box, DT_LEFT | DT_VCENTER);
  const RECT shrunk = ink_box(*buffer, kGrey);
  ASSERT_GT(shrunk.right, shrunk.left);
  EXPECT_GE(shrunk.left, box.left);
  EXPECT_LT(shrunk.right, box.right) << "the last letter is whole, not cut at the box's edge";

  back_buffer(200, 60);
  buffer = app::instance().back_buffer().get();
  dev = device::create_for_dc(nullptr, nullptr, 0, 0);
  dev->draw_text(L"Statistik", {10, 10, 190, box.bottom}, DT_LEFT | DT_VCENTER);
  const RECT fitting = ink_box(*buffer, kGrey);
  EXPECT_LT(shrunk.bottom - shrunk.top, fitting.bottom - fitting.top) << "smaller than where it fits";
  EXPECT_GT(fitting.right - fitting.left, box.right - box.left) << "at full size it is wider than the box";
}

// The line height chosen: the largest that fits the box's width and height
// (no more than a third higher than the box), down to the smallest that
// still reads; the default font's (0) for a text that fits, an empty text
// or an empty box.
TEST_F(DeviceTextTest, TheFittedLineHeightIsTheLargestThatFits) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const auto extent = [dc](const std::wstring& text, int line) {
    const HFONT font = CreateFontW(line, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr);
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    DeleteObject(font);
    return size;
  };
  const auto full = device::create_for_screen()->text_extent(L"00:12:34");
  struct Case {
    const char* name;
    std::wstring text;
    notus::gdi::device_rect box;
  };
  const Case shrinking[] = {
      {"too narrow", L"00:12:34", {0, 0, full.width * 4 / 5, 40}},
      {"too low", L"00:12:34", {0, 0, 400, full.height / 2}},
  };
  for (const Case& c : shrinking) {
    SCOPED_TRACE(c.name);
    const int line = notus::gdi::fitted_line_height(dc, c.text, c.box);
    ASSERT_GT(line, notus::gdi::smallest_fitted_line_height);
    ASSERT_LT(line, full.height);
    const SIZE at = extent(c.text, line), above = extent(c.text, line + 1);
    EXPECT_LE(at.cx, c.box.right - c.box.left);
    EXPECT_LE(3 * at.cy, 4 * (c.box.bottom - c.box.top));
    EXPECT_TRUE(above.cx > c.box.right - c.box.left || 3 * above.cy > 4 * (c.box.bottom - c.box.top))
        << "a line higher than " << line << " fits as well";
  }
  EXPECT_EQ(notus::gdi::fitted_line_height(dc, L"00:12:34", {0, 0, 4, 4}), notus::gdi::smallest_fitted_line_height)
      << "never below the smallest that reads";
  EXPECT_EQ(notus::gdi::fitted_line_height(dc, L"00:12:34", {0, 0, full.width, full.height}), 0);
  EXPECT_EQ(notus::gdi::fitted_line_height(dc, L"00:12:34", {0, 0, full.width, full.height * 3 / 4}), 0)
      << "a box a quarter lower than the line still shows it whole";
  EXPECT_EQ(notus::gdi::fitted_line_height(dc, L"", {0, 0, 1, 1}), 0);
  EXPECT_EQ(notus::gdi::fitted_line_height(dc, L"00:12:34", {0, 0, 0, 40}), 0);
  DeleteDC(dc);
}

TEST_F(DeviceTextTest, TextStaysInsideItsRectangleAndTheClipBox) {
  auto dev = device::create_for_dc(nullptr, nullptr, 0, 0);
  dev->draw_text(L"A rather long line of text", {20, 10, 60, 40}, 0);
  RECT ink = ink_box(*buffer, kGrey);
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 60);

  back_buffer(200, 60);
  buffer = app::instance().back_buffer().get();
  buffer->set_clip_rect(RECT{0, 0, 50, 60});
  device::create_for_dc(nullptr, nullptr, 0, 0)->draw_text(L"A rather long line of text", {20, 10, 190, 40}, 0);
  ink = ink_box(*buffer, kGrey);
  EXPECT_GE(ink.left, 20);
  EXPECT_EQ(ink.right, 50);
}

TEST_F(DeviceTextTest, TextIntoACachedBitmapLandsThereAtOriginZero) {
  auto dev = device::create_for_dc(nullptr, nullptr, 30, 30);
  dev->begin_bitmap(9, 60, 20);
  dev->draw_text(L"Hi", {0, 0, 60, 20}, DT_CENTER);
  GDIBuffer& bitmap = app::instance().current_target();
  dev->end_bitmap();
  const RECT ink = ink_box(bitmap, 0);
  EXPECT_GT(ink.right, ink.left);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 30, 2.0);
  EXPECT_EQ(ink_box(*buffer, kGrey).right, 0);
}

}  // namespace
}  // namespace host_test
