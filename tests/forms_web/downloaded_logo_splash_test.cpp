// Hostile logos served to the worker: each is refused or stored, and the
// splash of the next start then shows it or the built-in logo, without
// failing, and without a render that costs more than its budget.  Our own
// art, drawn as a logo, keeps within that budget.
#include <string>

#include "app/web/WebWorkerThread.h"
#include "platform/host/splash_logo.h"
#include "platform/win32/Application/ShowSplashLogo.h"
#include "svg/builtin_logo.h"
#include "svg/xml_document_file.h"
#include "tests/forms_web/web_fixture.h"

namespace web_test {
namespace {

using std::chrono::milliseconds;

using DownloadedLogoTest = WebFormsTest;

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  text.reserve(piece.size() * count);
  for (int k = 0; k < count; ++k) text += piece;
  return text;
}

// A frame and four paths zigzagging 500 times across it with a stroke
// over half its width: some 14 KB.
std::string HostileLogo() {
  const std::string path = "<path fill='none' stroke='#000000' stroke-width='60' stroke-linejoin='round' d='M0,0" +
                           Repeat(" L100,100 L0,100 L100,0 L0,0", 125) + "'/>";
  return "<svg><rect width='100' height='100' fill='none'/>" + Repeat(path, 4) + "</svg>";
}

// Full-size half-transparent rectangles, one over the other: few cells, but
// every one of them blends every pixel of the splash.
std::string Layers(int count) {
  return "<svg><rect width='100' height='100' fill='none'/>" +
         Repeat("<rect width='100' height='100' fill-opacity='0.5'/>", count) + "</svg>";
}

TEST_F(DownloadedLogoTest, EachServedLogoIsRefusedOrStoredAndTheSplashCopes) {
  desktop::ShowSplashLogo();  // no download yet: the built-in logo
  const winapi::Image builtin = Shot();
  // Our own logo keeps well within the render budget: it is drawn (above
  // the splash's text lines at the bottom).
  int logoInk = 0;
  for (int y = 0; y < builtin.height * 6 / 10; ++y)
    for (int x = 0; x < builtin.width; ++x) logoInk += (builtin.At(x, y) & 0xFFFFFFu) != 0xFFFFFFu;
  ASSERT_GT(logoInk, 1000) << "the built-in logo";

  const std::string longPath = "<svg><path fill='#000000' d='M0,0" + Repeat(" L1,2 L3,1", 100'000) + " Z'/></svg>";
  struct Case {
    const char* name;
    std::string logo;
    bool stored;
    bool builtinShown;
  };
  const Case cases[] = {
      {"a plain logo", "<svg><rect width='20' height='10' fill='#ff0000'/></svg>", true, false},
      {"deep nesting", "<svg>" + Repeat("<g>", 50'000) + Repeat("</g>", 50'000) + "</svg>", false, true},
      {"16,000 wide strokes: too many nodes to read",
       "<svg>" + Repeat("<path d='M0,0 L10,10' stroke='#000000' stroke-width='1000000'/>", 16'000) + "</svg>", false,
       true},
      {"4,000 wide strokes: too many vertices to draw",
       "<svg>" + Repeat("<path d='M0,0 L10,10 L0,0 L10,10 L0,0' stroke='#000000' stroke-width='1000000'/>", 4'000) +
           "</svg>",
       true, true},
      {"a zero-size drawing", "<svg><rect width='0' height='0' fill='#000000'/></svg>", true, true},
      {"a path up to the cap", longPath, true, true},
      {"a path over the cap", longPath.substr(0, 5) + std::string(1024 * 1024, ' ') + longPath.substr(5), false, true},
      // Kilobytes that would make the rasteriser keep millions of cells.
      {"thick, long strokes over the render budget", HostileLogo(), true, true},
      // Kilobytes that would blend a hundred million pixels.
      {"440 full-size layers over the render budget", Layers(440), true, true},
      {"a few full-size layers", Layers(4), true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string logoFile = (Settings() / "sudoku_current_logo.dat").string();
    std::filesystem::remove(logoFile);

    TestHttpServer server({Ok("1.1 x"), Ok(c.logo)});
    WebJob job;
    job.host = server.Host();
    job.queryPath = "/products/tavlin/sudoku_pc_stat.php?guid=abcdefghijklmnop";
    job.versionFile = (Settings() / "sudoku_version.dat").string();
    job.logoFile = logoFile;
    job.logoLimits.totalTimeout = milliseconds(5000);  // 1 MiB under the sanitizers
    WebWorkerThread(job);
    EXPECT_EQ(ReadSetting("sudoku_current_logo.dat").has_value(), c.stored);

    desktop::ShowSplashLogo();
    EXPECT_EQ(Shot().pixels == builtin.pixels, c.builtinShown);
  }
}

// Every drawing we ship, fitted to the splash as a downloaded logo would be,
// is drawn: the budget leaves room for art like ours.
TEST(LogoBudget, OurOwnArtDrawnAsALogoKeepsWithinIt) {
  notus::impl::details::GDIBuffer buffer(nullptr, 480, 640);
  const auto drawn = [&](const TiXmlNode& logo) {
    buffer.fill_bytes(255);
    return host::DrawDownloadedLogo(buffer, logo);
  };
  TiXmlDocument builtin;
  builtin.Parse(agg::svg::builtin_logo_svg());
  EXPECT_TRUE(drawn(builtin)) << "the built-in logo";
  int drawings = 0;
  for (const char* file : {"glyphs.dat", "titular_digits.dat"}) {
    TiXmlDocument art;
    load_xml_document(art, std::filesystem::path(TAVLIN_SOURCE_RESOURCES).append(file).wstring());
    ASSERT_NE(art.RootElement(), nullptr) << file;
    for (const TiXmlElement* g = art.RootElement()->FirstChildElement(); g; g = g->NextSiblingElement()) {
      TiXmlDocument logo;
      TiXmlElement svg("svg");
      svg.InsertEndChild(*g);
      logo.InsertEndChild(svg);
      EXPECT_TRUE(drawn(logo)) << file << " " << (g->Attribute("id") ? g->Attribute("id") : "");
      ++drawings;
    }
  }
  EXPECT_GT(drawings, 50);
}

}  // namespace
}  // namespace web_test
