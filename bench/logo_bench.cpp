// The splash logo's render against its work budget: for the built-in logo,
// each drawing of the shipped art fitted as a logo, hostile logos of a few
// kilobytes, and logos made to come just under the budget, the measured
// work and the time of the whole splash draw (read, measure, render or
// refuse) and of the render alone.  Headless, 480 x 640.
//
//   logo_bench [repeats]
#include "platform/host/splash_logo.h"
#include "svg/builtin_logo.h"
#include "svg/fitted_render.h"
#include "svg/render_budget.h"
#include "svg/svg_exception.h"
#include "svg/svg_parser.h"
#include "svg/xml_document_file.h"

#include <tinyxml.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using notus::impl::details::GDIBuffer;
using clock_type = std::chrono::steady_clock;

constexpr int kWidth = 480;
constexpr int kHeight = 640;

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int k = 0; k < count; ++k) text += piece;
  return text;
}

// Full-size half-transparent rectangles, one over the other.
std::string Rectangles(int count) {
  return "<svg><rect width='100' height='100' fill='none'/>" +
         Repeat("<rect width='100' height='100' fill-opacity='0.5'/>", count) + "</svg>";
}

// One path zigzagging `count` times across the frame with a stroke over
// half its width: all its cells in one pass of the rasteriser.
std::string ThickZigzag(int count) {
  return "<svg><rect width='100' height='100' fill='none'/><path fill='none' stroke='#000000' stroke-width='60' "
         "stroke-linejoin='round' d='M0,0" +
         Repeat(" L100,100 L0,100 L100,0 L0,0", count) + "'/></svg>";
}

// Four such paths of 125 zigzags each: some 14 KB.
std::string ThickStrokes() {
  const std::string path = "<path fill='none' stroke='#000000' stroke-width='60' stroke-linejoin='round' d='M0,0" +
                           Repeat(" L100,100 L0,100 L100,0 L0,0", 125) + "'/>";
  return "<svg><rect width='100' height='100' fill='none'/>" + Repeat(path, 4) + "</svg>";
}

// Hairlines from corner to corner: many cells, few pixels each.
std::string Hairlines(int count) {
  return "<svg><rect width='480' height='640' fill='none'/>" +
         Repeat("<path fill='none' stroke='#000000' stroke-width='0.5' d='M0,0 L480,640 M480,0 L0,640'/>", count) +
         "</svg>";
}

// Small squares scattered over the frame: many passes, each cheap.
std::string Dots(int count) {
  std::string svg = "<svg><rect width='480' height='640' fill='none'/>";
  for (int k = 0; k < count; ++k) {
    svg += "<rect x='" + std::to_string((k * 37) % 470) + "' y='" + std::to_string((k * 53) % 630) +
           "' width='6' height='6' fill='#c03030'/>";
  }
  return svg + "</svg>";
}

struct Parsed {
  TiXmlDocument document;
  agg::svg::path_renderer paths;
  agg::trans_affine matrix;
  bool fits = false;
};

void Parse(Parsed& parsed, const std::string& svg) {
  parsed.document.Parse(svg.c_str());
  agg::svg::parser reader(parsed.paths);
  reader.parse(parsed.document);
  double x1, x2, y1, y2;
  parsed.paths.bounding_rect(x1, x2, y1, y2);
  parsed.fits = agg::svg::fit_box_matrix(x1, x2, y1, y2, kWidth, kHeight, parsed.matrix);
  parsed.paths.expand(0.0);
}

// What the reader refuses (too many vertices) counts as over any budget.
std::size_t Work(const std::string& svg) {
  Parsed parsed;
  try {
    Parse(parsed, svg);
  } catch (const agg::svg::exception&) {
    return std::size_t(-1);
  }
  if (!parsed.fits) return 0;
  return agg::svg::render_work(parsed.paths, parsed.matrix, kWidth, kHeight, std::size_t(1) << 50);
}

double MedianMs(int repeats, const std::function<void()>& run) {
  std::vector<double> times;
  for (int k = 0; k < repeats; ++k) {
    const auto start = clock_type::now();
    run();
    times.push_back(std::chrono::duration<double, std::milli>(clock_type::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Report(const char* name, const std::string& svg, int repeats) {
  const std::size_t work = Work(svg);
  if (work == std::size_t(-1)) {
    std::printf("%-44s the reader refuses it\n", name);
    return;
  }
  Parsed parsed;
  Parse(parsed, svg);
  std::vector<unsigned char> pixels(std::size_t(kWidth) * kHeight * 4);
  const agg::svg::bgra_view view{pixels.data(), kWidth, kHeight, kWidth * 4};
  // The render alone, as if there were no budget.
  const double render = MedianMs(std::max(1, work > 20 * host::logo_work_budget ? repeats / 10 : repeats),
                                 [&] { agg::svg::render_over(parsed.paths, view, parsed.matrix); });
  GDIBuffer buffer(nullptr, kWidth, kHeight);
  bool drawn = false;
  TiXmlDocument document;
  document.Parse(svg.c_str());
  // The first draw of a process is the one a start makes: its memory is
  // fresh, which costs the rasteriser's cells a page fault each time a
  // page of them is first touched.
  const auto start = clock_type::now();
  buffer.fill_bytes(255);
  drawn = host::DrawFittedLogo(buffer, document);
  const double first = std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
  const double splash = MedianMs(repeats, [&] {
    buffer.fill_bytes(255);
    drawn = host::DrawFittedLogo(buffer, document);
  });
  std::printf(
      "%-44s %6.1f KB  work %10zu (%6.2f of budget)  %-7s splash first %7.2f ms, median %7.2f ms  "
      "render alone %8.2f ms\n",
      name, svg.size() / 1024.0, work, double(work) / double(host::logo_work_budget), drawn ? "drawn" : "refused",
      first, splash, render);
}

// The most copies of a piece whose logo stays within the budget.
int MostWithinBudget(const std::function<std::string(int)>& make) {
  int low = 0;
  int high = 1;
  while (Work(make(high)) <= host::logo_work_budget) {
    low = high;
    high *= 2;
  }
  while (high - low > 1) {
    const int middle = (low + high) / 2;
    (Work(make(middle)) <= host::logo_work_budget ? low : high) = middle;
  }
  return low;
}

std::string ReadArt(const std::string& path, std::vector<std::string>& drawings) {
  TiXmlDocument document;
  load_xml_document(document, std::wstring(path.begin(), path.end()));
  if (document.RootElement() == nullptr) return "cannot read " + path;
  for (const TiXmlElement* g = document.RootElement()->FirstChildElement(); g; g = g->NextSiblingElement()) {
    TiXmlPrinter printer;
    g->Accept(&printer);
    drawings.push_back("<svg>" + printer.Str() + "</svg>");
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  std::printf("budget %zu, a cell counts %zu\n", host::logo_work_budget, agg::svg::cell_work);
  Report("the built-in logo", agg::svg::builtin_logo_svg(), repeats);

  for (const char* file : {"glyphs.dat", "titular_digits.dat"}) {
    std::vector<std::string> drawings;
    const std::string error = ReadArt(std::string(TAVLIN_SOURCE_RESOURCES "/") + file, drawings);
    if (!error.empty()) {
      std::printf("%s\n", error.c_str());
      continue;
    }
    std::size_t most = 0;
    std::string heaviest;
    for (const std::string& svg : drawings) {
      const std::size_t work = Work(svg);
      if (work >= most) {
        most = work;
        heaviest = svg;
      }
    }
    Report((std::string("the heaviest drawing of ") + file).c_str(), heaviest, repeats);
  }

  Report("440 full-size half-transparent rectangles", Rectangles(440), repeats);
  Report("4 paths of thick zigzag strokes", ThickStrokes(), repeats);

  struct Kind {
    const char* name;
    std::function<std::string(int)> make;
  };
  const Kind kinds[] = {
      {"full-size rectangles", Rectangles},
      {"zigzags of one thick stroke", ThickZigzag},
      {"corner-to-corner hairlines", Hairlines},
      {"small squares", Dots},
  };
  // Small squares reach the reader's cap on vertices before the budget.
  for (const Kind& kind : kinds) {
    const int count = MostWithinBudget(kind.make);
    Report((std::string("just under: ") + std::to_string(count) + " " + kind.name).c_str(), kind.make(count), repeats);
    Report((std::string("just over: ") + std::to_string(count + 1) + " " + kind.name).c_str(), kind.make(count + 1),
           repeats);
  }
  return 0;
}
