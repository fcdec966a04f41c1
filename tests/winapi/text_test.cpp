#include "dib.h"
#include "layer_fixture.h"

#include "winapi/default_font.h"

#include <cstdlib>
#include <string>

using winapi_test::Dib;
using winapi_test::LayerTest;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

SIZE Extent(const wchar_t* text) {
  const HDC screen = GetDC(nullptr);
  SIZE size{-1, -1};
  EXPECT_TRUE(GetTextExtentPoint32W(screen, text, static_cast<int>(std::wcslen(text)), &size));
  ReleaseDC(nullptr, screen);
  return size;
}

int CentreX2(const RECT& r) { return r.left + r.right; }  // twice the centre, to stay in integers
int CentreY2(const RECT& r) { return r.top + r.bottom; }

}  // namespace

TEST_F(LayerTest, DefaultFontHasAboutTheClassicLineHeight) {
  const SIZE empty = Extent(L"");
  EXPECT_EQ(empty.cx, 0);
  EXPECT_GE(empty.cy, 14);
  EXPECT_LE(empty.cy, 18);
  const SIZE one = Extent(L"8");
  const SIZE three = Extent(L"888");
  EXPECT_EQ(one.cy, empty.cy);
  EXPECT_GT(one.cx, 3);
  EXPECT_NEAR(three.cx, 3 * one.cx, 2);
  EXPECT_GT(Extent(L"\u00c5\u00e5\u4e2d").cx, 0);  // beyond ASCII
}

struct Placement {
  const char* name;
  UINT format;
  char horizontal;  // 'L', 'C', 'R'
  char vertical;    // 'T', 'C', 'B'
};

class DrawTextPlacement : public LayerTest, public ::testing::WithParamInterface<Placement> {};

TEST_P(DrawTextPlacement, InkLiesInsideTheRectangleWhereTheFlagsPutIt) {
  const Placement& p = GetParam();
  Dib dib(260, 120, kWhite);
  RECT box{20, 30, 220, 90};
  const SIZE text = Extent(L"Hello");
  SetBkMode(dib.Dc(), TRANSPARENT);
  const int height = DrawTextW(dib.Dc(), L"Hello", -1, &box, p.format);
  EXPECT_GT(height, 0);
  const RECT ink = dib.Ink(kWhite);
  ASSERT_LT(ink.left, ink.right) << "nothing drawn";
  EXPECT_GE(ink.left, box.left);
  EXPECT_LE(ink.right, box.right);
  EXPECT_GE(ink.top, box.top);
  EXPECT_LE(ink.bottom, box.bottom);

  switch (p.horizontal) {
    case 'L': EXPECT_LE(ink.left, box.left + 3); break;
    case 'C': EXPECT_NEAR(CentreX2(ink), CentreX2(box), 4); break;
    case 'R': EXPECT_GE(ink.right, box.right - 3); break;
  }
  // The line box: its top where the flags put it, one line high; the ink of
  // "Hello" sits inside it.
  int lineTop = box.top;
  if (p.vertical == 'C') {
    lineTop = box.top + (box.bottom - box.top - text.cy) / 2;
  } else if (p.vertical == 'B') {
    lineTop = box.bottom - text.cy;
  }
  EXPECT_GE(ink.top, lineTop);
  EXPECT_LE(ink.bottom, lineTop + text.cy);
  EXPECT_GT(ink.bottom - ink.top, text.cy / 2);
  if (p.vertical == 'C') {
    EXPECT_NEAR(CentreY2(ink), CentreY2(box), 2 * 4);
  }
}

INSTANTIATE_TEST_SUITE_P(Flags, DrawTextPlacement,
                         ::testing::Values(Placement{"Left", DT_SINGLELINE, 'L', 'T'},
                                           Placement{"Centre", DT_SINGLELINE | DT_CENTER, 'C', 'T'},
                                           Placement{"Right", DT_SINGLELINE | DT_RIGHT, 'R', 'T'},
                                           Placement{"VCentre", DT_SINGLELINE | DT_VCENTER, 'L', 'C'},
                                           Placement{"CentreBoth", DT_SINGLELINE | DT_CENTER | DT_VCENTER, 'C', 'C'},
                                           Placement{"WordBreakVCentre", DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER, 'L',
                                                     'C'},
                                           Placement{"Bottom", DT_SINGLELINE | DT_BOTTOM, 'L', 'B'},
                                           Placement{"RightBottom", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, 'R', 'B'},
                                           // Without DT_SINGLELINE vertical placement does not apply.
                                           Placement{"MultiLineBottom", DT_BOTTOM, 'L', 'T'},
                                           Placement{"MultiLineCentre", DT_CENTER | DT_VCENTER, 'C', 'T'}),
                         [](const ::testing::TestParamInfo<Placement>& info) { return std::string(info.param.name); });

TEST_F(LayerTest, TextIsClippedToTheRectangleAndToTheDcClip) {
  Dib dib(200, 60, kWhite);
  SetBkMode(dib.Dc(), TRANSPARENT);
  RECT narrow{10, 10, 40, 40};
  DrawTextW(dib.Dc(), L"A long line of text", -1, &narrow, DT_SINGLELINE);
  RECT ink = dib.Ink(kWhite);
  EXPECT_EQ(ink.left >= 10 && ink.right <= 40 && ink.right > 30, true);

  Dib clipped(200, 60, kWhite);
  SetBkMode(clipped.Dc(), TRANSPARENT);
  EXPECT_EQ(IntersectClipRect(clipped.Dc(), 0, 0, 25, 60), SIMPLEREGION);
  RECT wide{10, 10, 190, 40};
  DrawTextW(clipped.Dc(), L"A long line of text", -1, &wide, DT_SINGLELINE);
  ink = clipped.Ink(kWhite);
  EXPECT_GT(ink.right, 10);
  EXPECT_LE(ink.right, 25);
}

// A font selected into a DC sets the line height its text is measured and
// drawn at; selecting the previous one back, or deleting the font, returns
// the DC to the default font.
TEST_F(LayerTest, ASelectedFontMeasuresAndDrawsItsOwnLineHeight) {
  const SIZE normal = Extent(L"Statistik");
  Dib dib(200, 60, kWhite);
  SetBkMode(dib.Dc(), TRANSPARENT);
  const HFONT small = CreateFontW(normal.cy / 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr);
  ASSERT_NE(small, nullptr);
  const HGDIOBJ previous = SelectObject(dib.Dc(), small);
  ASSERT_NE(previous, nullptr);
  SIZE smaller{};
  ASSERT_TRUE(GetTextExtentPoint32W(dib.Dc(), L"Statistik", 9, &smaller));
  EXPECT_NEAR(smaller.cy, normal.cy / 2, 1);
  EXPECT_NEAR(smaller.cx, normal.cx / 2, normal.cx / 8);
  RECT box{0, 0, 200, 60};
  DrawTextW(dib.Dc(), L"Statistik", -1, &box, DT_SINGLELINE);
  const RECT ink = dib.Ink(kWhite);
  EXPECT_LE(ink.right, smaller.cx + 1) << "drawn as narrow as it is measured";
  EXPECT_LE(ink.bottom, smaller.cy + 1);

  EXPECT_EQ(SelectObject(dib.Dc(), previous), small);
  SIZE again{};
  ASSERT_TRUE(GetTextExtentPoint32W(dib.Dc(), L"Statistik", 9, &again));
  EXPECT_EQ(again.cx, normal.cx);
  SelectObject(dib.Dc(), small);
  EXPECT_TRUE(DeleteObject(small));
  ASSERT_TRUE(GetTextExtentPoint32W(dib.Dc(), L"Statistik", 9, &again));
  EXPECT_EQ(again.cy, normal.cy) << "a deleted font leaves the default one";
  EXPECT_FALSE(DeleteObject(small));
}

// A font asked for at any height, the ends of the int range included, is
// opened at a size a screen's text can have and measures text.
TEST_F(LayerTest, AFontOfAnyHeightMeasuresText) {
  Dib dib(20, 20, kWhite);
  for (const int height : {INT32_MIN, -100000, 100000, INT32_MAX}) {
    SCOPED_TRACE(height);
    const HFONT font = CreateFontW(height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr);
    ASSERT_NE(font, nullptr);
    const HGDIOBJ previous = SelectObject(dib.Dc(), font);
    SIZE extent{};
    EXPECT_TRUE(GetTextExtentPoint32W(dib.Dc(), L"X", 1, &extent));
    EXPECT_GT(extent.cy, 1000);
    EXPECT_LE(extent.cy, winapi::core::kLargestLineHeight + 64);
    SelectObject(dib.Dc(), previous);
    DeleteObject(font);
  }
}

TEST_F(LayerTest, MultiLineTextBreaksAtLineEndsAndWordBreakWraps) {
  const int line = Extent(L"").cy;
  Dib dib(200, 100, kWhite);
  SetBkMode(dib.Dc(), TRANSPARENT);
  RECT box{0, 0, 200, 100};
  EXPECT_EQ(DrawTextW(dib.Dc(), L"One\r\nTwo\nThree", -1, &box, 0), 3 * line);
  EXPECT_GT(dib.Ink(kWhite).bottom, 2 * line);

  // Word break: a sentence wider than the box wraps at spaces.
  const SIZE sentence = Extent(L"alpha beta gamma delta");
  RECT narrow{0, 0, sentence.cx / 2, 100};
  Dib wrapped(200, 100, kWhite);
  SetBkMode(wrapped.Dc(), TRANSPARENT);
  const int height = DrawTextW(wrapped.Dc(), L"alpha beta gamma delta", -1, &narrow, DT_WORDBREAK);
  EXPECT_GE(height, 2 * line);
  const RECT ink = wrapped.Ink(kWhite);
  EXPECT_LE(ink.right, narrow.right);
  EXPECT_GT(ink.bottom, line);

  // In single-line mode nothing wraps and line ends do not break.
  Dib single(200, 100, kWhite);
  EXPECT_EQ(DrawTextW(single.Dc(), L"One\nTwo", -1, &box, DT_SINGLELINE | DT_WORDBREAK), line);
}

TEST_F(LayerTest, TextIsBlackBlendedAndTheOpaqueModeFillsWhite) {
  RECT box{0, 0, 100, 30};

  // Transparent mode on a fully transparent image (a cached bitmap): only
  // the ink is touched, and it carries its coverage as alpha.
  Dib cached(100, 30, 0);
  SetBkMode(cached.Dc(), TRANSPARENT);
  DrawTextW(cached.Dc(), L"Ink", -1, &box, DT_SINGLELINE);
  unsigned opaqueInk = 0;
  unsigned partialInk = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 100; ++x) {
      const std::uint32_t p = cached.At(x, y);
      EXPECT_EQ(p & 0x00FFFFFFu, 0u) << "text is black";
      const unsigned alpha = p >> 24;
      opaqueInk += alpha >= 192;
      partialInk += alpha > 0 && alpha < 192;
    }
  }
  EXPECT_GT(opaqueInk, 10u);
  EXPECT_GT(partialInk, 0u) << "edges are anti-aliased";

  // The default background mode is opaque: the text cell becomes white.
  Dib plain(100, 30, 0);
  DrawTextW(plain.Dc(), L"Ink", -1, &box, DT_SINGLELINE);
  const SIZE text = Extent(L"Ink");
  EXPECT_EQ(plain.At(text.cx - 1, text.cy - 1), kWhite);
  EXPECT_EQ(plain.At(text.cx + 2, 2), 0u);
}

TEST_F(LayerTest, TextOnAWindowDcShowsInItsPicture) {
  const HWND hwnd = MakeWindow({0, 0, 100, 100});
  const HDC dc = GetDC(hwnd);
  RECT box{10, 10, 100, 30};
  DrawTextW(dc, L"Loading...", -1, &box, DT_BOTTOM);
  ReleaseDC(hwnd, dc);
  const winapi::Image picture = winapi::headless::Capture(hwnd);
  int dark = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      if ((picture.At(x, y) & 0xFF) < 128) {
        ++dark;
        EXPECT_TRUE(x >= 10 && y >= 10 && y < 30) << x << "," << y;
      }
    }
  }
  EXPECT_GT(dark, 20);
}

TEST_F(LayerTest, TextCallsRejectBadArguments) {
  RECT box{0, 0, 10, 10};
  SIZE size;
  EXPECT_EQ(DrawTextW(nullptr, L"x", -1, &box, 0), 0);
  EXPECT_FALSE(GetTextExtentPoint32W(nullptr, L"x", 1, &size));
  Dib dib(10, 10);
  EXPECT_EQ(DrawTextW(dib.Dc(), nullptr, -1, &box, 0), 0);
  EXPECT_FALSE(GetTextExtentPoint32W(dib.Dc(), nullptr, 1, &size));
}

// Rectangles at the ends of the int range: placement is worked out without
// overflow, so text lands where the flags put it (or nowhere) and the height
// is reported.
TEST_F(LayerTest, TextPlacementInRectanglesNearTheIntegerLimits) {
  constexpr int kMax = INT32_MAX;
  constexpr int kMin = INT32_MIN;
  const int lineHeight = Extent(L"").cy;
  const int width = Extent(L"Wide").cx;
  const struct {
    const char* what;
    const wchar_t* text;
    RECT box;
    UINT flags;
    RECT inkWithin;  // empty: no ink at all
  } cases[] = {
      // Centred on x = -0.5: the right half of the text shows at the left.
      {"centred across the whole range",
       L"Wide",
       {kMin, 0, kMax, 40},
       DT_CENTER | DT_SINGLELINE,
       {0, 0, width / 2 + 2, lineHeight}},
      // Centred on y = -0.5: the lower half of the line shows at the top.
      {"vertically centred across the whole range",
       L"Wide",
       {0, kMin, 100, kMax},
       DT_VCENTER | DT_SINGLELINE,
       {0, 0, width + 1, lineHeight / 2 + 2}},
      {"left edge near the largest int", L"Wide", {kMax - 10, 0, kMax, 20}, DT_SINGLELINE, {0, 0, 0, 0}},
      {"right and bottom near the smallest int",
       L"Wide",
       {kMin, kMin, kMin + 5, kMin + 5},
       DT_RIGHT | DT_BOTTOM | DT_SINGLELINE,
       {0, 0, 0, 0}},
      {"lines running past the largest int", L"a\nb\nc", {0, kMax - 20, 100, kMax}, 0, {0, 0, 0, 0}},
      {"word break in a rectangle wider than an int", L"Wide words", {kMin, 0, kMax, 40}, DT_WORDBREAK, {0, 0, 0, 0}},
      {"centred word break in a rectangle wider than an int",
       L"Wide",
       {kMin, 0, kMax, 40},
       DT_WORDBREAK | DT_CENTER,
       {0, 0, width / 2 + 2, lineHeight}},
  };
  for (const auto& c : cases) {
    Dib dib(100, 40, kWhite);
    SetBkMode(dib.Dc(), TRANSPARENT);
    RECT box = c.box;
    const int height = DrawTextW(dib.Dc(), c.text, -1, &box, c.flags);
    EXPECT_GT(height, 0) << c.what;
    const RECT ink = dib.Ink(kWhite);
    if (c.inkWithin.left >= c.inkWithin.right) {
      EXPECT_EQ(ink.right, 0) << c.what;
    } else {
      EXPECT_LT(ink.left, ink.right) << c.what << ": some ink shows";
      EXPECT_GE(ink.left, c.inkWithin.left) << c.what;
      EXPECT_GE(ink.top, c.inkWithin.top) << c.what;
      EXPECT_LE(ink.right, c.inkWithin.right) << c.what;
      EXPECT_LE(ink.bottom, c.inkWithin.bottom) << c.what;
    }
  }
}
