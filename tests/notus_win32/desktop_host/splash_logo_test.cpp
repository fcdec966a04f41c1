// The splash on the real main window: where a downloaded logo lands, which
// downloads fall back to the built-in logo, and where the two text lines go.
// Everything is read from what the window shows, so the immediate paint is
// checked too.
#include "desktop_fixture.h"
#include "platform/win32/Application/ShowSplashLogo.h"
#include "tests/support/folders.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace desktop_test {
namespace {

class SplashTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    ASSERT_TRUE(folders.LoadLayouts());  // item (0, 1) is {0, 0, 480, 640}
    ASSERT_TRUE(InitInstance(nullptr, SW_SHOW));
    main = app::instance().main_window();
    SizeWindow(480, 640);
  }

  void SizeWindow(int width, int height) {
    MoveWindow(main, 0, 0, width, height, FALSE);
    ASSERT_EQ(app::instance().back_buffer()->width(), width);
    ASSERT_EQ(app::instance().back_buffer()->height(), height);
  }
  void WriteLogo(const std::string& text) const {
    std::ofstream(folders.root / "settings" / "sudoku_current_logo.dat", std::ios::binary) << text;
  }
  winapi::Image Shown() const { return winapi::headless::Capture(main); }

  grid_test::Folders folders{{"resources.dat"}};
  HWND main = nullptr;
};

std::uint32_t Rgb(std::uint32_t argb) { return argb & 0xFFFFFFu; }
bool IsDark(std::uint32_t argb) { return (argb & 0xFF) < 0x40 && ((argb >> 8) & 0xFF) < 0x40; }
bool IsWhite(std::uint32_t argb) { return Rgb(argb) == 0xFFFFFFu; }

// A black rectangle of the given box as the whole logo.
std::string RectangleLogo(int x, int y, int width, int height) {
  return "<svg><rect x='" + std::to_string(x) + "' y='" + std::to_string(y) + "' width='" + std::to_string(width) +
         "' height='" + std::to_string(height) + "' fill='#000000'/></svg>";
}

TEST_F(SplashTest, TheLogoIsScaledUniformlyAndCentredOnAWhiteBuffer) {
  struct Probe {
    int x, y;
    bool dark;
  };
  struct Case {
    const char* name;
    std::string logo;
    std::vector<Probe> probes;  // the first pixel in and out at each edge
  };
  const Case cases[] = {
      // 2.4 times: 480 x 240 from row 200 to 440.
      {"wide",
       RectangleLogo(0, 0, 200, 100),
       {{240, 199, false}, {240, 200, true}, {240, 439, true}, {240, 440, false}, {0, 320, true}, {479, 320, true}}},
      // 1.6 times: 160 x 640 from column 160 to 320.
      {"tall",
       RectangleLogo(0, 0, 100, 400),
       {{159, 320, false}, {160, 320, true}, {319, 320, true}, {320, 320, false}, {240, 0, true}}},
      // Far from the origin: the centre of the box goes to the centre.
      // 4.8 times: 480 x 480 from row 80 to 560.
      {"offset",
       RectangleLogo(-50, 1000, 100, 100),
       {{240, 79, false}, {240, 80, true}, {240, 559, true}, {240, 560, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteLogo(c.logo);
    desktop::ShowSplashLogo();
    const winapi::Image shown = Shown();
    for (const Probe& p : c.probes) {
      SCOPED_TRACE(testing::Message() << "at " << p.x << "," << p.y);
      if (p.dark)
        EXPECT_TRUE(IsDark(shown.At(p.x, p.y))) << std::hex << shown.At(p.x, p.y);
      else
        EXPECT_TRUE(IsWhite(shown.At(p.x, p.y))) << std::hex << shown.At(p.x, p.y);
    }
    // Cleared with all four bytes 255, alpha too (the buffer starts grey).
    EXPECT_EQ(app::instance().back_buffer()->pixel(2, 2), 0xFFFFFFFFu);
  }
}

TEST_F(SplashTest, ALogoThatCannotBeDrawnGivesWayToTheBuiltInOne) {
  desktop::ShowSplashLogo();  // no file: the built-in logo
  const winapi::Image builtin = Shown();
  int inked = 0;
  for (int y = 100; y < 450; ++y)
    for (int x = 0; x < 480; ++x) inked += IsWhite(builtin.At(x, y)) ? 0 : 1;
  ASSERT_GT(inked, 10000) << "the built-in logo is drawn";

  struct Case {
    const char* name;
    std::string logo;
  };
  const Case cases[] = {
      {"empty file", ""},
      {"not XML", "\x89PNG\r\n\x1a\n<<< binary"},
      {"XML, not SVG", "<html><body><p>Moved</p></body></html>"},
      {"the reader throws (an arc)", "<svg><path d='M0,0 A5,5 0 0 1 10,10'/></svg>"},
      {"the reader throws (a colour)", "<svg><rect width='10' height='10' fill='nocolour'/></svg>"},
      {"empty extent", "<svg><g></g></svg>"},
      {"zero width", "<svg><line x1='5' y1='0' x2='5' y2='100' stroke='#000000'/></svg>"},
      {"zero size", "<svg><polyline points='5,5 5,5' stroke='#000000'/></svg>"},
      {"infinite extent", "<svg><rect x='0' y='0' width='1e400' height='10' fill='#000000'/></svg>"},
      {"only elements the reader skips", "<svg><circle cx='50' cy='50' r='40' fill='#ff0000'/></svg>"},
      {"only skipped elements in an unfilled frame",
       "<svg><rect width='100' height='100' fill='none'/><circle cx='50' cy='50' r='40' fill='#ff0000'/></svg>"},
      {"fully transparent", "<svg><rect width='100' height='100' fill='#ff0000' fill-opacity='0'/></svg>"},
      {"white on the white splash", "<svg><rect width='100' height='100' fill='#ffffff'/></svg>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteLogo(RectangleLogo(0, 0, 10, 10));  // a good logo first, so each case must replace it
    desktop::ShowSplashLogo();
    ASSERT_NE(Shown().pixels, builtin.pixels);
    WriteLogo(c.logo);
    desktop::ShowSplashLogo();
    EXPECT_EQ(Shown().pixels, builtin.pixels);
  }
}

// The budget is work per pixel of the splash: a logo that passes on the
// 480 x 640 splash passes on larger ones, and one refused there is refused
// on them too.
TEST_F(SplashTest, ADownloadedLogoPassesOrFailsAtEverySize) {
  std::string layers = "<svg><rect width='100' height='100' fill='none'/>";
  std::string heavy = layers;
  for (int k = 0; k < 440; ++k) {
    const std::string layer = "<rect width='100' height='100' fill-opacity='0.5'/>";
    if (k < 4) layers += layer;
    heavy += layer;
  }
  layers += "</svg>";
  heavy += "</svg>";
  const std::pair<int, int> sizes[] = {{480, 640}, {1024, 768}, {1920, 1080}};
  for (const auto& [width, height] : sizes) {
    SCOPED_TRACE(testing::Message() << width << "x" << height);
    SizeWindow(width, height);
    std::remove((folders.root / "settings" / "sudoku_current_logo.dat").c_str());
    desktop::ShowSplashLogo();
    const winapi::Image builtin = Shown();

    WriteLogo(layers);
    desktop::ShowSplashLogo();
    const winapi::Image drawn = Shown();
    EXPECT_NE(drawn.pixels, builtin.pixels) << "four full-size layers are drawn";
    EXPECT_TRUE(IsDark(drawn.At(width / 2, height / 2))) << std::hex << drawn.At(width / 2, height / 2);

    WriteLogo(heavy);
    desktop::ShowSplashLogo();
    EXPECT_EQ(Shown().pixels, builtin.pixels) << "440 layers are refused";
  }
}

TEST_F(SplashTest, TheTextLinesSitAtTheBottomCornersOfTheLayoutItem) {
  // A window taller than item (0, 1): the text follows the item, the logo
  // the whole buffer (2.4 times: rows 230 to 470).
  SizeWindow(480, 700);
  WriteLogo(RectangleLogo(0, 0, 200, 100));
  desktop::ShowSplashLogo();
  const winapi::Image shown = Shown();

  SIZE line{};
  const HDC dc = GetDC(main);
  ASSERT_TRUE(GetTextExtentPoint32W(dc, L"Loading...", 10, &line));
  ReleaseDC(main, dc);
  ASSERT_GT(line.cy, 0);

  int left = 480, right = -1, top = 700, bottom = -1;
  bool gap_in_middle = true;
  for (int y = 480; y < 700; ++y)
    for (int x = 0; x < 480; ++x) {
      if (!IsDark(shown.At(x, y))) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      if (x >= line.cx + 2 && x < 240) gap_in_middle = false;
    }
  ASSERT_GE(right, 0) << "no text below the logo";
  EXPECT_GE(top, 640 - line.cy);
  EXPECT_LT(bottom, 640);
  EXPECT_LT(left, 4) << "\"Loading...\" starts at the left edge";
  EXPECT_GT(right, 480 - line.cy) << "the address ends near the right edge";
  EXPECT_TRUE(gap_in_middle) << "two lines, not one";
}

}  // namespace
}  // namespace desktop_test
