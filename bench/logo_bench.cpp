// The splash logo's render against its work budget: for the built-in logo,
// each drawing of the shipped art fitted as a logo, hostile logos of a few
// kilobytes, and logos made to come just under the budget, the measured
// work and the time of the whole splash draw (read, measure, render or
// refuse) and of the render alone, headless at 480 x 640; then whether
// each is drawn on larger splashes, whose budget grows with their area.
// Last, files up to the logo's 1 MB cap made to be hard to read: the time
// from the file to the splash (read, parse or refuse, draw) and the memory
// the parsed document keeps.
//
//   logo_bench [repeats]
#include "platform/host/splash_logo.h"
#include "svg/builtin_logo.h"
#include "svg/fitted_render.h"
#include "svg/render_budget.h"
#include "svg/svg_exception.h"
#include "svg/svg_parser.h"
#include "svg/xml_document_file.h"

#include <malloc.h>
#include <tinyxml.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using notus::impl::details::GDIBuffer;
using clock_type = std::chrono::steady_clock;

constexpr int kWidth = 480;
constexpr int kHeight = 640;
const std::size_t kBudget = host::logo_work_budget(kWidth, kHeight);

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

// What the reader refuses (too many vertices), or a drawing that cannot be
// measured (over the largest limit, or not finite), counts as over any budget.
std::size_t Work(const std::string& svg) {
  Parsed parsed;
  try {
    Parse(parsed, svg);
  } catch (const agg::svg::exception&) {
    return std::size_t(-1);
  }
  if (!parsed.fits) return 0;
  return agg::svg::render_work(parsed.paths, parsed.matrix, kWidth, kHeight, std::size_t(1) << 50)
      .value_or(std::size_t(-1));
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
  const double render = MedianMs(std::max(1, work > 20 * kBudget ? repeats / 10 : repeats),
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
  drawn = host::DrawDownloadedLogo(buffer, document);
  const double first = std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
  const double splash = MedianMs(repeats, [&] {
    buffer.fill_bytes(255);
    drawn = host::DrawDownloadedLogo(buffer, document);
  });
  std::printf(
      "%-44s %6.1f KB  work %10zu (%6.2f of budget)  %-7s splash first %7.2f ms, median %7.2f ms  "
      "render alone %8.2f ms\n",
      name, svg.size() / 1024.0, work, double(work) / double(kBudget), drawn ? "drawn" : "refused", first, splash,
      render);
}

// The most copies of a piece whose logo stays within the budget.
int MostWithinBudget(const std::function<std::string(int)>& make) {
  int low = 0;
  int high = 1;
  while (Work(make(high)) <= kBudget) {
    low = high;
    high *= 2;
  }
  while (high - low > 1) {
    const int middle = (low + high) / 2;
    (Work(make(middle)) <= kBudget ? low : high) = middle;
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

// Whether the logo is drawn as a downloaded one on each splash size, and
// the share of that size's budget its work takes.
void ReportSizes(const char* name, const std::string& svg) {
  static const std::pair<int, int> sizes[] = {{480, 640}, {1024, 768}, {1920, 1080}, {3840, 2160}};
  std::printf("%-44s", name);
  for (const auto& [width, height] : sizes) {
    TiXmlDocument document;
    document.Parse(svg.c_str());
    GDIBuffer buffer(nullptr, width, height);
    buffer.fill_bytes(255);
    bool drawn = false;
    double share = 0.0;
    try {
      drawn = host::DrawDownloadedLogo(buffer, document);
      agg::svg::path_renderer paths;
      agg::svg::parser reader(paths);
      reader.parse(document);
      double x1, x2, y1, y2;
      paths.bounding_rect(x1, x2, y1, y2);
      agg::trans_affine matrix;
      if (agg::svg::fit_box_matrix(x1, x2, y1, y2, width, height, matrix)) {
        paths.expand(0.0);
        const std::size_t budget = host::logo_work_budget(width, height);
        share =
            double(
                agg::svg::render_work(paths, matrix, width, height, std::size_t(1) << 50).value_or(std::size_t(-1))) /
            double(budget);
      }
    } catch (const agg::svg::exception&) {
    }
    std::printf("  %4dx%-4d %-7s %6.2f", width, height, drawn ? "drawn" : "refused", share);
  }
  std::printf("\n");
}

// The bytes the heap holds in use.
std::size_t HeapInUse() { return mallinfo2().uordblks; }

// The file as the desktop's splash takes it: read and parsed (or refused),
// then drawn, or our own logo in its place.
void ReportFile(const char* name, const std::string& text, int repeats) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("logo_bench_" + std::to_string(getpid()) + ".dat");
  std::ofstream(file, std::ios::binary) << text;
  const std::wstring path = file.wstring();
  std::size_t kept = 0;
  bool parsed = false;
  GDIBuffer buffer(nullptr, kWidth, kHeight);
  const auto splash = [&] {
    const std::size_t before = HeapInUse();
    TiXmlDocument downloaded;
    load_xml_document(downloaded, path);
    kept = HeapInUse() - std::min(before, HeapInUse());
    parsed = !downloaded.Error() && downloaded.RootElement() != nullptr;
    buffer.fill_bytes(255);
    bool drawn = false;
    try {
      drawn = parsed && host::DrawDownloadedLogo(buffer, downloaded);
    } catch (const agg::svg::exception&) {
    }
    if (!drawn) {
      TiXmlDocument builtin;
      builtin.Parse(agg::svg::builtin_logo_svg());
      host::DrawFittedLogo(buffer, builtin);
    }
  };
  const double ms = MedianMs(repeats, splash);
  std::filesystem::remove(file);
  std::printf("%-52s %7.1f KB  %-8s document %7.2f MB  file to splash median %7.2f ms\n", name, text.size() / 1024.0,
              parsed ? "parsed" : "refused", kept / (1024.0 * 1024.0), ms);
}

// Names of three or four letters, some 7 bytes an attribute.
std::string ManyAttributes(int count) {
  std::string svg = "<svg";
  for (int k = 0; k < count; ++k) {
    std::string name;
    for (int n = k; n > 0 || name.empty(); n /= 26) name += static_cast<char>('a' + n % 26);
    svg += " " + std::string(name.size() < 3 ? 3 - name.size() : 0, '_') + name + "=''";
  }
  return svg + "><rect width='10' height='10'/></svg>";
}

// As many elements of `attributes` attributes each as the node bound lets
// through, with names sharing all but their last letters, so that every
// comparison TinyXML makes between them runs to their end.
std::string LongSimilarNames(int attributes, int elements, int nameLength) {
  std::string svg = "<svg><rect width='10' height='10'/>";
  const std::string prefix(static_cast<std::size_t>(nameLength - 4), 'n');
  for (int e = 0; e < elements; ++e) {
    svg += "<g";
    for (int k = 0; k < attributes; ++k) {
      const std::string number = std::to_string(10'000 + k % 10'000);
      svg += " " + prefix + number.substr(1) + "='1'";
    }
    svg += "/>";
  }
  return svg + "</svg>";
}

std::string EmptyElements(int count) {
  return "<svg><rect width='10' height='10'/>" + Repeat("<g/>", count) + "</svg>";
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  std::printf("budget %.3f a pixel, %zu at %dx%d, a cell counts %zu\n", host::logo_work_per_pixel, kBudget, kWidth,
              kHeight, agg::svg::cell_work);
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

  std::printf("\ndrawn as a downloaded logo, and the share of the budget at each size:\n");
  ReportSizes("the built-in logo", agg::svg::builtin_logo_svg());
  ReportSizes("4 full-size rectangles", Rectangles(4));
  ReportSizes("10 full-size rectangles", Rectangles(10));
  ReportSizes("11 full-size rectangles", Rectangles(11));
  ReportSizes("440 full-size rectangles", Rectangles(440));
  ReportSizes("4 paths of thick zigzag strokes", ThickStrokes());
  ReportSizes("28 zigzags of one thick stroke", ThickZigzag(28));
  ReportSizes("29 zigzags of one thick stroke", ThickZigzag(29));
  ReportSizes("11 corner-to-corner hairlines", Hairlines(11));
  ReportSizes("12 corner-to-corner hairlines", Hairlines(12));

  std::printf("\nfiles up to the 1 MB cap, from the file to the splash at %dx%d:\n", kWidth, kHeight);
  const int fileRepeats = repeats;
  ReportFile("the built-in logo", agg::svg::builtin_logo_svg(), fileRepeats);
  ReportFile("an element with 64 attributes", ManyAttributes(64), fileRepeats);
  ReportFile("an element with 65 attributes", ManyAttributes(65), fileRepeats);
  ReportFile("an element with 10,000 attributes", ManyAttributes(10'000), fileRepeats);
  ReportFile("an element with 30,000 attributes", ManyAttributes(30'000), fileRepeats);
  ReportFile("an element with 100,000 attributes", ManyAttributes(100'000), fileRepeats);
  for (const int attributes : {64, 32}) {
    // Within the node bound, and the file within its cap.
    const int elements = 19'900 / (attributes + 1);
    ReportFile(
        (std::to_string(elements) + " elements of " + std::to_string(attributes) + " 44-letter attributes").c_str(),
        LongSimilarNames(attributes, elements, 44), fileRepeats);
  }
  ReportFile("9,990 empty elements", EmptyElements(9'990), fileRepeats);
  ReportFile("19,990 empty elements", EmptyElements(19'990), fileRepeats);
  ReportFile("20,000 empty elements", EmptyElements(20'000), fileRepeats);
  ReportFile("a megabyte of empty elements", EmptyElements(262'000), fileRepeats);
  return 0;
}
