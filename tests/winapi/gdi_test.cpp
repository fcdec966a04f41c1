#include "dib.h"
#include "layer_fixture.h"

#include <algorithm>

using winapi_test::Dib;
using winapi_test::LayerTest;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

BITMAPINFO Header(LONG width, LONG height, WORD bits = 32) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bits;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

TEST_F(LayerTest, DibSectionIsBottomUpForAPositiveHeight) {
  const BITMAPINFO info = Header(4, 3);
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  ASSERT_NE(bits, nullptr);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  EXPECT_TRUE(std::all_of(pixels, pixels + 12, [](std::uint32_t p) { return p == 0; }));
  pixels[0] = kRed;  // first in memory = bottom-left on screen

  Dib topDown(4, -3);
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  ASSERT_TRUE(BitBlt(topDown.Dc(), 0, 0, 4, 3, dc, 0, 0, SRCCOPY));
  EXPECT_EQ(topDown.At(0, 2), kRed);
  EXPECT_EQ(topDown.At(0, 0), 0u);
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(LayerTest, DibSectionRefusesFormatsItDoesNotSupport) {
  void* bits = reinterpret_cast<void*>(1);
  for (const BITMAPINFO& info :
       {Header(0, 10), Header(10, 0), Header(-4, 4), Header(10, 10, 24), Header(100000, 100000)}) {
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
  }
  BITMAPINFO compressed = Header(4, 4);
  compressed.bmiHeader.biCompression = 3;
  EXPECT_EQ(CreateDIBSection(nullptr, &compressed, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

// A width and a height that each fit the header but whose byte count does
// not fit in 64 bits signed, nor in memory: refused, never wrapped round.
TEST_F(LayerTest, DibSectionRefusesSizesWhoseByteCountOverflows) {
  void* bits = reinterpret_cast<void*>(1);
  for (const BITMAPINFO& info : {Header(INT32_MAX, INT32_MAX), Header(INT32_MAX, -INT32_MAX),
                                 Header(0x7FFFFFFF, 0x40000001), Header(65536, 65536)}) {
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr)
        << info.bmiHeader.biWidth << " x " << info.bmiHeader.biHeight;
    EXPECT_EQ(bits, nullptr);
  }
}

// Rectangles and source points at the ends of the int range: what lies
// inside both images is copied, the rest is clipped, and no sum overflows.
TEST_F(LayerTest, BitBltClipsCoordinatesNearTheIntegerLimits) {
  constexpr int kMax = INT32_MAX;
  constexpr int kMin = INT32_MIN;
  const struct {
    const char* what;
    int x, y, cx, cy, x1, y1;
  } cases[] = {
      {"huge extent from inside", 1, 1, kMax, kMax, 0, 0},
      {"huge extent, source shifted", 0, 2, kMax, kMax, 2, 0},
      {"source point far right", -5, 0, 10, 4, kMax - 2, 0},
      {"source point far left", 0, 0, 4, 4, kMin, kMin},
      {"destination far left, source near its end", kMin, 0, kMax, 4, kMax, 0},
      {"source partly left of the image", 0, 0, 4, 4, -2, -1},
  };
  for (const auto& c : cases) {
    Dib source(4, 4, 0);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 4; ++x) {
        source.At(x, y) = 0xFF000000u | static_cast<std::uint32_t>(y * 10 + x + 1);
      }
    }
    Dib target(4, 4, 0);
    EXPECT_TRUE(BitBlt(target.Dc(), c.x, c.y, c.cx, c.cy, source.Dc(), c.x1, c.y1, SRCCOPY)) << c.what;
    for (int ty = 0; ty < 4; ++ty) {
      for (int tx = 0; tx < 4; ++tx) {
        // Worked out in 64 bits: inside the destination rectangle,
        // and the matching source pixel inside the source image.
        const long long sx = static_cast<long long>(tx) - c.x + c.x1;
        const long long sy = static_cast<long long>(ty) - c.y + c.y1;
        const bool inDest = tx >= c.x && tx < static_cast<long long>(c.x) + c.cx && ty >= c.y &&
                            ty < static_cast<long long>(c.y) + c.cy;
        const bool inSource = sx >= 0 && sx < 4 && sy >= 0 && sy < 4;
        const std::uint32_t expected = inDest && inSource ? source.At(static_cast<int>(sx), static_cast<int>(sy)) : 0u;
        EXPECT_EQ(target.At(tx, ty), expected) << c.what << " at " << tx << "," << ty;
      }
    }
  }
}

TEST_F(LayerTest, BitBltCopiesARectangleAndClipsToBothImages) {
  Dib source(10, 10, kBlue);
  source.At(2, 3) = kRed;
  Dib target(8, 8, kWhite);
  // Source (1,2)-(5,6) to target (5,5): only a 3x3 corner fits.
  ASSERT_TRUE(BitBlt(target.Dc(), 5, 5, 4, 4, source.Dc(), 1, 2, SRCCOPY));
  EXPECT_EQ(target.At(6, 6), kRed);
  EXPECT_EQ(target.At(5, 5), kBlue);
  EXPECT_EQ(target.At(7, 7), kBlue);
  EXPECT_EQ(target.At(4, 4), kWhite);
  EXPECT_EQ(target.At(4, 7), kWhite);

  // Source outside its image leaves the target alone.
  ASSERT_TRUE(BitBlt(target.Dc(), 0, 0, 3, 3, source.Dc(), 9, 9, SRCCOPY));
  EXPECT_EQ(target.At(0, 0), source.At(9, 9));
  EXPECT_EQ(target.At(1, 1), kWhite);
  EXPECT_FALSE(BitBlt(target.Dc(), 0, 0, 3, 3, source.Dc(), 0, 0, 0x00EE0086 /* SRCPAINT */));
}

TEST_F(LayerTest, BitBltWithinOneImageHandlesOverlap) {
  Dib image(6, 6, 0);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      image.At(x, y) = static_cast<std::uint32_t>(y * 10 + x);
    }
  }
  ASSERT_TRUE(BitBlt(image.Dc(), 1, 1, 4, 4, image.Dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(image.At(1, 1), 0u);
  EXPECT_EQ(image.At(4, 4), 33u);
  EXPECT_EQ(image.At(2, 3), 21u);
}

TEST_F(LayerTest, BitBltOntoAWindowShowsInItsPicture) {
  const HWND hwnd = MakeWindow({0, 0, 20, 10});
  Dib backBuffer(20, 10, kBlue);
  backBuffer.At(3, 4) = kRed;
  winapi::headless::TakeDrawnRect(hwnd);
  const HDC dc = GetDC(hwnd);
  ASSERT_NE(dc, nullptr);
  ASSERT_TRUE(BitBlt(dc, 2, 2, 5, 5, backBuffer.Dc(), 2, 2, SRCCOPY));
  ReleaseDC(hwnd, dc);

  const winapi::Image picture = winapi::headless::Capture(hwnd);
  EXPECT_EQ(picture.At(3, 4), kRed);
  EXPECT_EQ(picture.At(2, 2), kBlue);
  EXPECT_EQ(picture.At(1, 1), kWhite);  // a new window is white
  EXPECT_EQ(picture.At(7, 7), kWhite);
  const RECT drawn = winapi::headless::TakeDrawnRect(hwnd);
  EXPECT_EQ(drawn.left, 2);
  EXPECT_EQ(drawn.bottom, 7);
}

// Drawing from WM_DESTROY, after the backend has let the window go, must not
// bring back the backend's record of it (which nothing would remove again).
TEST_F(LayerTest, DrawingWhileBeingDestroyedLeavesNoRecordOfTheWindow) {
  Dib red(4, 4, kRed);
  const HWND hwnd = MakeWindow({0, 0, 20, 10}, WS_VISIBLE, nullptr, [&](HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) {
      const HDC dc = GetDC(h);
      BitBlt(dc, 0, 0, 4, 4, red.Dc(), 0, 0, SRCCOPY);
      ReleaseDC(h, dc);
    }
    return DefWindowProcW(h, m, w, l);
  });
  DestroyWindow(hwnd);
  const RECT drawn = winapi::headless::TakeDrawnRect(hwnd);
  EXPECT_EQ(drawn.right, 0);
  EXPECT_EQ(drawn.bottom, 0);
}

TEST_F(LayerTest, ChildSurfacesAreShownAboveTheParent) {
  const HWND main = MakeWindow({0, 0, 40, 20});
  const HWND child = MakeWindow({10, 5, 20, 15}, WS_VISIBLE, main);
  Dib red(10, 10, kRed);
  const HDC dc = GetDC(child);
  BitBlt(dc, 0, 0, 10, 10, red.Dc(), 0, 0, SRCCOPY);
  ReleaseDC(child, dc);

  winapi::Image picture = winapi::headless::Capture(main);
  EXPECT_EQ(picture.At(10, 5), kRed);
  EXPECT_EQ(picture.At(19, 14), kRed);
  EXPECT_EQ(picture.At(9, 5), kWhite);
  EXPECT_EQ(picture.At(20, 14), kWhite);

  // The child's DC reads the child's own pixels, as a copy into a back
  // buffer needs.
  Dib copy(10, 10, 0);
  const HDC childDc = GetDC(child);
  BitBlt(copy.Dc(), 0, 0, 10, 10, childDc, 0, 0, SRCCOPY);
  ReleaseDC(child, childDc);
  EXPECT_EQ(copy.At(5, 5), kRed);

  ShowWindow(child, SW_HIDE);
  picture = winapi::headless::Capture(main);
  EXPECT_EQ(picture.At(10, 5), kWhite);
}

TEST_F(LayerTest, BitmapsStayInOneDcAndCannotBeDeletedWhileSelected) {
  Dib dib(4, 4);
  const HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, dib.Bitmap()), nullptr);
  EXPECT_FALSE(DeleteObject(dib.Bitmap()));
  // Window DCs take no bitmap.
  const HWND hwnd = MakeWindow();
  const HDC windowDc = GetDC(hwnd);
  EXPECT_EQ(SelectObject(windowDc, dib.Bitmap()), nullptr);
  ReleaseDC(hwnd, windowDc);
  DeleteDC(other);
  // Nothing to draw into: a memory DC without a bitmap.
  const HDC empty = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(BitBlt(empty, 0, 0, 1, 1, dib.Dc(), 0, 0, SRCCOPY));
  DeleteDC(empty);
}

TEST_F(LayerTest, DcsOfDeadWindowsDrawNothing) {
  const HWND hwnd = MakeWindow();
  const HDC dc = GetDC(hwnd);
  DestroyWindow(hwnd);
  Dib source(4, 4, kRed);
  EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 4, source.Dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
  EXPECT_EQ(GetDC(hwnd), nullptr);
}

TEST_F(LayerTest, UpdateRegionBeginPaintAndValidate) {
  const HWND hwnd = MakeWindow({0, 0, 100, 50}, 0);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
  const RECT a{10, 10, 20, 20};
  const RECT b{50, 5, 60, 15};
  InvalidateRect(hwnd, &a, FALSE);
  InvalidateRect(hwnd, &b, FALSE);
  ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
  EXPECT_EQ(update.left, 10);
  EXPECT_EQ(update.top, 5);
  EXPECT_EQ(update.right, 60);
  EXPECT_EQ(update.bottom, 20);

  const RECT outside{90, 40, 500, 500};
  InvalidateRect(hwnd, &outside, FALSE);  // clipped to the client area
  GetUpdateRect(hwnd, &update, FALSE);
  EXPECT_EQ(update.right, 100);
  EXPECT_EQ(update.bottom, 50);

  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(hwnd, &ps);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(ps.hdc, dc);
  EXPECT_EQ(ps.rcPaint.left, 10);
  EXPECT_EQ(ps.rcPaint.top, 5);
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
  // The paint DC draws only inside the paint rectangle.
  Dib red(100, 50, kRed);
  BitBlt(dc, 0, 0, 100, 50, red.Dc(), 0, 0, SRCCOPY);
  EndPaint(hwnd, &ps);
  const winapi::Image picture = winapi::headless::Capture(hwnd);
  EXPECT_EQ(picture.At(10, 5), kRed);
  EXPECT_EQ(picture.At(9, 5), kWhite);
  EXPECT_EQ(picture.At(10, 4), kWhite);

  InvalidateRect(hwnd, nullptr, FALSE);
  const RECT top{0, 0, 100, 20};
  ValidateRect(hwnd, &top);  // a band across the whole width shrinks the region
  GetUpdateRect(hwnd, &update, FALSE);
  EXPECT_EQ(update.top, 20);
  ValidateRect(hwnd, nullptr);
  EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
}

TEST_F(LayerTest, WindowSurfaceFollowsTheClientSize) {
  const HWND hwnd = MakeWindow({0, 0, 10, 10});
  Dib red(10, 10, kRed);
  const HDC dc = GetDC(hwnd);
  BitBlt(dc, 0, 0, 10, 10, red.Dc(), 0, 0, SRCCOPY);
  MoveWindow(hwnd, 0, 0, 30, 20, FALSE);
  // The old DC draws at the new size.
  BitBlt(dc, 20, 10, 10, 10, red.Dc(), 0, 0, SRCCOPY);
  ReleaseDC(hwnd, dc);
  const winapi::Image picture = winapi::headless::Capture(hwnd);
  ASSERT_EQ(picture.width, 30);
  ASSERT_EQ(picture.height, 20);
  EXPECT_EQ(picture.At(9, 9), kRed);  // kept
  EXPECT_EQ(picture.At(15, 5), kWhite);
  EXPECT_EQ(picture.At(29, 19), kRed);
}
